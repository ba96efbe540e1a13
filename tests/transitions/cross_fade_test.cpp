// The cross-fade: each call shows the blend the previous call prepared.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

struct CrossFade : HeadlessTest {
  void fade(BITMAP *pic1, BITMAP *pic2, int level, int width = 64, int height = 48) {
    zephyrun::dissolvenza(work.get(), target.get(), pic1, red, pic2, blue, width, height, level);
  }
  const int red = makecol(255, 0, 0);
  const int blue = makecol(0, 0, 255);
  BitmapPtr work = make_filled_bitmap(64, 48, makecol(0, 255, 0));
  BitmapPtr target = make_filled_bitmap(64, 48, makecol(10, 10, 10));
};

TEST_F(CrossFade, PlainColoursFadeFromFirstToSecondOneCallLateWithinWidthAndHeight) {
  fade(nullptr, nullptr, 0, 32, 24);
  EXPECT_TRUE(pixel_is(target.get(), 31, 23, 0, 255, 0)) << "first the work as it was";
  EXPECT_TRUE(pixel_is(target.get(), 32, 23, 10, 10, 10)) << "only 32 columns reach it";
  EXPECT_TRUE(pixel_is(target.get(), 31, 24, 10, 10, 10)) << "only 24 rows reach it";
  fade(nullptr, nullptr, 255);
  const int level_0 = getpixel(target.get(), 20, 20);
  EXPECT_TRUE(getr(level_0) > 230 && getb(level_0) < 16) << "level 0 shows the first";
  fade(nullptr, nullptr, 255);
  const int level_255 = getpixel(target.get(), 63, 47);
  EXPECT_TRUE(getb(level_255) > 230 && getr(level_255) < 16) << "level 255 shows the second";
}

TEST_F(CrossFade, SmallPictureCoversOnlyItsOwnCornerOfAClearedWork) {
  BitmapPtr small = make_filled_bitmap(16, 8, makecol(255, 255, 255));
  BitmapPtr black = make_filled_bitmap(64, 48, makecol(0, 0, 0));
  fade(small.get(), black.get(), 0);
  fade(small.get(), black.get(), 0);
  EXPECT_TRUE(pixel_is(target.get(), 15, 7, 255, 255, 255));
  EXPECT_TRUE(pixel_is(target.get(), 16, 7, 0, 0, 0)) << "outside the picture the work is black";
  EXPECT_TRUE(pixel_is(target.get(), 15, 8, 0, 0, 0));
}

}  // namespace
