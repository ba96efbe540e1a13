#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using zephyrun::rendervoxel;
using zephyrun::tofixed;

namespace {

constexpr int BASE = 300, CELL = 65536, HALF = CELL / 2;
constexpr float STRAIGHT_ALONG_X = -0.5233333333333333f;  // with one ray, its angle is exactly 0

struct VoxelTerrain : ::testing::Test {
  static void SetUpTestSuite() { start_headless_allegro(15); }
  BitmapPtr heights{create_bitmap_ex(8, 700, 640)};
  BitmapPtr colours = make_pattern_bitmap(640, 640, 1);
  BitmapPtr sky = make_filled_bitmap(640, 480, makecol(90, 140, 250));
  BitmapPtr view = make_filled_bitmap(640, 480, 0);
  int sky_colour() { return getpixel(sky.get(), 0, 0); }
  void fill_heights(int h) { clear_to_color(heights.get(), h); }
  void render(int x, int y, float heading, int steps, int rays) {
    rendervoxel(view.get(), heights.get(), colours.get(), sky.get(), x, y, heading, 0, steps,
                rays, BASE);
  }
};

TEST_F(VoxelTerrain, FlatGroundGivesEachColumnOneSegmentColouredByItsFirstCell) {
  for (auto [height, top_row] : {std::pair{128, BASE - 100}, std::pair{255, 0}}) {
    fill_heights(height);
    const int x = 100 * CELL + HALF, y = 120 * CELL + HALF, rays = 8;
    render(x, y, 0.3f, 40, rays);
    float angle = float(0.3f - 0.5233333333333333);
    for (int column = 0; column < rays; column++) {
      angle += float(1.0466666666666666 / rays);
      const int dx = tofixed(float(std::cos(double(angle)))), dy = tofixed(float(std::sin(double(angle))));
      const int first_cell = getpixel(colours.get(), (x + dx) >> 16, (y + dy) >> 16);
      for (int row = 0; row < 480; row++) {
        const bool covered = row >= top_row && row <= BASE;
        ASSERT_EQ(getpixel(view.get(), column, row), covered ? first_cell : sky_colour())
            << "height " << height << " column " << column << " row " << row;
      }
    }
    EXPECT_EQ(getpixel(view.get(), rays, BASE), sky_colour());
  }
}

TEST_F(VoxelTerrain, ProjectionTruncatesTowardZero) {
  fill_heights(0);
  heights->line[100][103] = 127;  // third step: (127*32 - 4096)/3 = -10, so 90 rows
  render(100 * CELL + HALF, 100 * CELL + HALF, STRAIGHT_ALONG_X, 3, 1);
  EXPECT_NE(getpixel(view.get(), 0, BASE - 90), sky_colour());
  EXPECT_EQ(getpixel(view.get(), 0, BASE - 91), sky_colour());
}

TEST_F(VoxelTerrain, LastFixedPointCoordinateIsStillOnTheMap) {
  fill_heights(0);
  heights->line[100][639] = heights->line[100][640] = 255;  // the map reaches beyond 640 here
  render(41943039 - CELL, 100 * CELL, STRAIGHT_ALONG_X, 1, 1);
  EXPECT_NE(getpixel(view.get(), 0, BASE), sky_colour());
  render(41943040 - CELL, 100 * CELL, STRAIGHT_ALONG_X, 1, 1);
  EXPECT_EQ(getpixel(view.get(), 0, BASE), sky_colour());
}

TEST_F(VoxelTerrain, NoRaysNoStepsOrTooSmallAMapLeaveOnlyWhatWasThere) {
  fill_heights(200);
  render(CELL, CELL, 0, 0, 64);
  EXPECT_EQ(first_difference(sky.get(), view.get()), "");
  render(CELL, CELL, 0, 300, 0);
  EXPECT_EQ(first_difference(sky.get(), view.get()), "");
  BitmapPtr small_map{create_bitmap_ex(8, 639, 640)}, before = make_filled_bitmap(640, 480, 0);
  clear_to_color(small_map.get(), 200);
  clear(view.get());
  rendervoxel(view.get(), small_map.get(), colours.get(), sky.get(), CELL, CELL, 0, 0, 300, 64, BASE);
  EXPECT_EQ(first_difference(before.get(), view.get()), "");
}

TEST(VoxelHelpers, FixedPointTruncatesAndTicksCount) {
  EXPECT_EQ(tofixed(1.0f), 65536);
  EXPECT_EQ(tofixed(0.5f), 32768);
  EXPECT_EQ(tofixed(-0.70710677f), -46340);
  const int before = zephyrun::counter;
  zephyrun::voxelfn();
  zephyrun::voxelfn();
  zephyrun::voxelwaitfn();
  EXPECT_EQ(zephyrun::counter, before + 1);
}

}  // namespace
