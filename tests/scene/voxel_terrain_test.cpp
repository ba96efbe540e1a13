// The voxel terrain renderer: where a column's segment starts and ends, which
// way each ray looks, and how positions truncate.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

constexpr int base_row = 300;
constexpr int one_cell = 65536;
constexpr int start_x = 100 * one_cell + one_cell / 2;
constexpr int start_y = 120 * one_cell + one_cell / 2;

struct VoxelTerrain : HeadlessTest {
  BitmapPtr heights{create_bitmap_ex(8, 700, 640)};
  BitmapPtr colours = make_pattern_bitmap(640, 640, 1);
  BitmapPtr sky = make_filled_bitmap(640, 480, makecol(90, 140, 250));
  BitmapPtr view = make_filled_bitmap(640, 480, 0);
  const int sky_colour = getpixel(sky.get(), 0, 0);
  // Two rays about heading 0: the first looks straight along the columns.
  void render(int x, int y, int steps, int eye = 0) {
    rendervoxel(view.get(), heights.get(), colours.get(), sky.get(), x, y, 0, eye, steps, 2,
                base_row);
  }
};

TEST_F(VoxelTerrain, FlatGroundGivesTheColumnOneSegmentColouredByItsFirstCell) {
  for (auto [height, top_row] : {std::pair{128, base_row - 100}, std::pair{255, 0}}) {
    clear_to_color(heights.get(), height);
    render(start_x, start_y, 40);
    const int cell = getpixel(colours.get(), start_x / one_cell + 1, start_y / one_cell);
    for (int row = 0; row < 480; row++)
      ASSERT_EQ(getpixel(view.get(), 0, row), row >= top_row && row <= base_row ? cell : sky_colour)
          << "height " << height << " row " << row;
    EXPECT_EQ(getpixel(view.get(), 2, base_row), sky_colour);  // columns beyond the rays
  }
}

TEST_F(VoxelTerrain, FixedPointAndProjectionTruncateTowardZeroAndTheMapEndsAtItsLastCoordinate) {
  EXPECT_EQ(tofixed(-0.70710677f), -46340);
  clear(heights.get());
  heights->line[100][103] = 127;  // third step: (127*32 - 4096)/3 = -10, so 90 rows
  render(100 * one_cell, 100 * one_cell, 3);
  EXPECT_NE(getpixel(view.get(), 0, base_row - 90), sky_colour);
  EXPECT_EQ(getpixel(view.get(), 0, base_row - 91), sky_colour);
  render(100 * one_cell, 100 * one_cell, 3, 3);  // eye 3 up: -42, so 58 rows
  EXPECT_NE(getpixel(view.get(), 0, base_row - 58), sky_colour);
  EXPECT_EQ(getpixel(view.get(), 0, base_row - 59), sky_colour);
  heights->line[100][639] = heights->line[100][640] = 255;  // the bitmap reaches beyond 640 here
  for (auto [x, inside] : {std::pair{41943039, true}, std::pair{41943040, false}}) {
    render(x - one_cell, 100 * one_cell, 1);
    EXPECT_EQ(getpixel(view.get(), 0, base_row) != sky_colour, inside) << x;
  }
}

// The second of two rays looks 3.14 / 6 (29.97 degrees) off the heading,
// towards increasing rows: 40 steps from (100.5, 120) reach 40 x (cos, sin) of
// that further, (135.15, 139.99), a row short of where a true 30 degrees ends.
TEST_F(VoxelTerrain, TheSecondOfTwoRaysLooksASixthOf3Point14RadiansOffTheHeading) {
  clear(heights.get());
  heights->line[139][135] = 255;
  render(start_x, 120 * one_cell, 40);
  EXPECT_NE(getpixel(view.get(), 1, base_row), sky_colour);
  EXPECT_EQ(getpixel(view.get(), 0, base_row), sky_colour) << "the first looks along row 120";
}

}  // namespace
