#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using zephyrun::collisione;

namespace {

constexpr int AREA_W = 100, AREA_H = 80, SIZE = 10;

// A SIZE x SIZE sprite, magic pink except at the given opaque points.
BitmapPtr sprite_with(std::initializer_list<std::pair<int, int>> opaque) {
  BitmapPtr sprite = make_filled_bitmap(SIZE, SIZE, makecol(255, 0, 255));
  for (auto [x, y] : opaque) putpixel(sprite.get(), x, y, makecol(200, 100, 50));
  return sprite;
}

struct CollisionTest : ::testing::Test {
  static void SetUpTestSuite() {
    start_headless_allegro(15);
    BitmapPtr any = sprite_with({});
    collisione(AREA_W, AREA_H, any.get(), SIZE, SIZE, 0, 0, any.get(), 0, 0);  // fixes the area
  }
  BitmapPtr solid = make_filled_bitmap(SIZE, SIZE, makecol(10, 200, 10));
  int test(BITMAP *second, int x2, int y2, int x1 = 20, int y1 = 20, int w = SIZE, int h = SIZE,
           int area = AREA_W) {
    return collisione(area, area, solid.get(), w, h, x1, y1, second, x2, y2);
  }
};

TEST_F(CollisionTest, OnlyPointsOpaqueInBothSpritesCount) {
  EXPECT_EQ(test(solid.get(), 31, 20), 0);  // rectangles apart
  BitmapPtr right_half = sprite_with({{5, 0}, {9, 9}});
  EXPECT_EQ(test(right_half.get(), 25, 20), 0);  // its opaque points lie beyond the first
  EXPECT_EQ(test(right_half.get(), 24, 20), 1);
  EXPECT_EQ(zephyrun::collx, 9);
  EXPECT_EQ(zephyrun::colly, 0);
}

TEST_F(CollisionTest, FirstHitIsTheLeftmostColumnThenTheTopmostRow) {
  BitmapPtr points = sprite_with({{6, 1}, {5, 8}, {5, 7}, {8, 0}});
  EXPECT_EQ(test(points.get(), 20, 20), 1);
  EXPECT_EQ(zephyrun::collx, 5);
  EXPECT_EQ(zephyrun::colly, 7);
}

TEST_F(CollisionTest, WindowLimitsWhereHitsAreLookedFor) {
  BitmapPtr corner = sprite_with({{9, 9}});
  EXPECT_EQ(test(corner.get(), 20, 20, 20, 20, 8, 8), 0);  // smaller window misses (9, 9)
  EXPECT_EQ(test(corner.get(), 20, 20, 20, 20, -1, SIZE), 0);
  EXPECT_EQ(test(corner.get(), 20, 20, 20, 20, SIZE, -1), 0);
  EXPECT_EQ(test(corner.get(), 20, 20), 1);
}

TEST_F(CollisionTest, NothingOutsideTheFirstCallsAreaHits) {
  BitmapPtr top_left = sprite_with({{0, 0}, {4, 4}});
  EXPECT_EQ(test(top_left.get(), -5, -5, -5, -5), 0);  // both opaque points off the area
  EXPECT_EQ(test(solid.get(), 150, 150, 150, 150, SIZE, SIZE, 200), 0);
  EXPECT_EQ(test(solid.get(), AREA_W - 1, AREA_H - 1, AREA_W - 1, AREA_H - 1, SIZE, SIZE, 200), 1);
  EXPECT_EQ(zephyrun::collx + zephyrun::colly, 0);
}

TEST_F(CollisionTest, SmallerLaterAreaSeesNoSpriteOfAnEarlierCall) {
  ASSERT_EQ(test(solid.get(), 50, 50, 50, 50), 1);
  EXPECT_EQ(test(solid.get(), 0, 0, 50, 50, SIZE, SIZE, 10), 0);
}

}  // namespace
