// The cross-fade: what each call shows and what it prepares for the next.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

class CrossFade : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { start_headless_allegro(15); }
  void fade(BITMAP *pic1, int col1, BITMAP *pic2, int col2, int level, int w = 64, int h = 48) {
    zephyrun::dissolvenza(work_.get(), target_.get(), pic1, col1, pic2, col2, w, h, level);
  }
  int red_at(int x, int y) { return getr(getpixel(target_.get(), x, y)); }
  const int black_ = makecol(0, 0, 0);
  BitmapPtr work_ = make_filled_bitmap(64, 48, makecol(0, 255, 0));
  BitmapPtr target_ = make_filled_bitmap(64, 48, makecol(10, 10, 10));
  BitmapPtr white_ = make_filled_bitmap(64, 48, makecol(255, 255, 255));
};

TEST_F(CrossFade, EachCallShowsTheBlendOfThePreviousOneWithinWidthAndHeight) {
  fade(white_.get(), 0, nullptr, black_, 0, 32, 24);
  EXPECT_TRUE(pixel_is(target_.get(), 31, 23, 0, 255, 0)) << "first the work as it was";
  EXPECT_TRUE(pixel_is(target_.get(), 32, 23, 10, 10, 10)) << "only 32 columns reach it";
  EXPECT_TRUE(pixel_is(target_.get(), 31, 24, 10, 10, 10)) << "only 24 rows reach it";
  fade(white_.get(), 0, nullptr, black_, 200);
  EXPECT_GT(red_at(5, 5), 230) << "second call shows the level-0 blend";
  fade(white_.get(), 0, nullptr, black_, 200);
  EXPECT_LT(red_at(5, 5), 40) << "third call shows the level-200 blend";
}

TEST_F(CrossFade, PlainColoursStandInForMissingPicturesAndLevel255EndsOnTheSecond) {
  const int red = makecol(255, 0, 0), blue = makecol(0, 0, 255);
  for (int level : {0, 255}) {
    fade(nullptr, red, nullptr, blue, level);
    fade(nullptr, red, nullptr, blue, level);
    const int shown = getpixel(target_.get(), 63, 47);
    EXPECT_EQ(getr(shown) > 230 && getb(shown) < 16, level == 0) << "red at level " << level;
    EXPECT_EQ(getb(shown) > 230 && getr(shown) < 16, level == 255) << "blue at level " << level;
  }
}

// With a black second picture the white fades twice; with an invisible
// (magic pink) one, once.
TEST_F(CrossFade, MaskColouredPlainPictureDrawsNothing) {
  const int pink = makecol(255, 0, 255);
  fade(white_.get(), 0, nullptr, black_, 100);
  fade(white_.get(), 0, nullptr, black_, 100);
  const int over_black = red_at(20, 20);
  fade(white_.get(), 0, nullptr, pink, 100);
  fade(white_.get(), 0, nullptr, pink, 100);
  EXPECT_NEAR(red_at(20, 20), 255 * (1 - 100 / 255.0), 16);
  EXPECT_GT(red_at(20, 20), over_black + 40);
}

TEST_F(CrossFade, SmallPictureCoversOnlyItsOwnCornerOfAClearedWork) {
  BitmapPtr small = make_filled_bitmap(16, 8, makecol(255, 255, 255));
  fade(small.get(), 0, nullptr, black_, 0);
  fade(small.get(), 0, nullptr, black_, 0);
  EXPECT_GT(red_at(15, 7), 230);
  EXPECT_TRUE(pixel_is(target_.get(), 16, 7, 0, 0, 0)) << "outside the picture the work is black";
  EXPECT_TRUE(pixel_is(target_.get(), 15, 8, 0, 0, 0));
}

}  // namespace
