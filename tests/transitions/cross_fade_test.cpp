// The cross-fade: what each call shows and what it prepares for the next.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

class CrossFade : public ::testing::Test {
 protected:
  void SetUp() override {
    start_headless_allegro(15);
    work_ = make_filled_bitmap(64, 48, makecol(0, 255, 0));
    target_ = make_filled_bitmap(64, 48, makecol(10, 10, 10));
    white_ = make_filled_bitmap(64, 48, makecol(255, 255, 255));
  }
  int red_shown_after(int level, BITMAP *pic2, int col2) {
    dissolvenza(work_.get(), target_.get(), white_.get(), 0, pic2, col2, 64, 48, level);
    dissolvenza(work_.get(), target_.get(), white_.get(), 0, pic2, col2, 64, 48, level);
    return getr(getpixel(target_.get(), 20, 20));
  }
  BitmapPtr work_, target_, white_;
};

TEST_F(CrossFade, EachCallShowsTheBlendOfThePreviousOne) {
  dissolvenza(work_.get(), target_.get(), white_.get(), 0, nullptr, makecol(0, 0, 0), 64, 48, 0);
  EXPECT_TRUE(pixel_is(target_.get(), 5, 5, 0, 255, 0)) << "first call shows the work as it was";
  dissolvenza(work_.get(), target_.get(), white_.get(), 0, nullptr, makecol(0, 0, 0), 64, 48, 200);
  EXPECT_GT(getr(getpixel(target_.get(), 5, 5)), 230) << "second call shows the level-0 blend";
  dissolvenza(work_.get(), target_.get(), white_.get(), 0, nullptr, makecol(0, 0, 0), 64, 48, 200);
  EXPECT_LT(getr(getpixel(target_.get(), 5, 5)), 40) << "third call shows the level-200 blend";
}

TEST_F(CrossFade, PlainColoursStandInForMissingPicturesAndLevel255EndsOnTheSecond) {
  const int red = makecol(255, 0, 0), blue = makecol(0, 0, 255);
  for (int level : {0, 255}) {
    dissolvenza(work_.get(), target_.get(), nullptr, red, nullptr, blue, 64, 48, level);
    dissolvenza(work_.get(), target_.get(), nullptr, red, nullptr, blue, 64, 48, level);
    const int p = getpixel(target_.get(), 63, 47);
    EXPECT_EQ(getr(p) > 230 && getb(p) < 16, level == 0) << "red at level " << level;
    EXPECT_EQ(getb(p) > 230 && getr(p) < 16, level == 255) << "blue at level " << level;
  }
}

TEST_F(CrossFade, MaskColouredPlainPictureDrawsNothing) {
  // With a black second picture the white fades twice; with an invisible one, once.
  int over_black = red_shown_after(100, nullptr, makecol(0, 0, 0));
  int over_nothing = red_shown_after(100, nullptr, makecol(255, 0, 255));
  EXPECT_NEAR(over_nothing, 255 * (1 - 100 / 255.0), 16);
  EXPECT_GT(over_nothing, over_black + 40);
}

TEST_F(CrossFade, SmallPictureCoversOnlyItsOwnCorner) {
  BitmapPtr small = make_filled_bitmap(16, 8, makecol(255, 255, 255));
  dissolvenza(work_.get(), target_.get(), small.get(), 0, nullptr, makecol(0, 0, 0), 64, 48, 0);
  dissolvenza(work_.get(), target_.get(), small.get(), 0, nullptr, makecol(0, 0, 0), 64, 48, 0);
  EXPECT_GT(getr(getpixel(target_.get(), 15, 7)), 230);
  EXPECT_TRUE(pixel_is(target_.get(), 16, 7, 0, 0, 0)) << "outside the picture the work is black";
  EXPECT_TRUE(pixel_is(target_.get(), 15, 8, 0, 0, 0));
}

TEST_F(CrossFade, WidthAndHeightLimitWhatReachesTheTarget) {
  dissolvenza(work_.get(), target_.get(), white_.get(), 0, nullptr, makecol(0, 0, 0), 32, 24, 0);
  EXPECT_TRUE(pixel_is(target_.get(), 31, 23, 0, 255, 0));
  EXPECT_TRUE(pixel_is(target_.get(), 32, 23, 10, 10, 10));
  EXPECT_TRUE(pixel_is(target_.get(), 31, 24, 10, 10, 10));
}

}  // namespace
