// The voxel terrain renderer: where a column's segment starts and ends, which
// way each ray looks, and how positions truncate.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

constexpr int kBase = 300;
constexpr int kCell = 65536;
constexpr int kX = 100 * kCell + kCell / 2;
constexpr int kY = 120 * kCell + kCell / 2;
constexpr float kStraightAlongX = -0.5233333333333333f;  // with one ray, its angle is exactly 0

struct VoxelTerrain : ::testing::Test {
  static void SetUpTestSuite() { start_headless_allegro(15); }
  BitmapPtr heights{create_bitmap_ex(8, 700, 640)};
  BitmapPtr colours = make_pattern_bitmap(640, 640, 1);
  BitmapPtr sky = make_filled_bitmap(640, 480, makecol(90, 140, 250));
  BitmapPtr view = make_filled_bitmap(640, 480, 0);
  const int sky_colour = getpixel(sky.get(), 0, 0);
  void render(int x, int y, float heading, int steps, int rays, int eye = 0) {
    rendervoxel(view.get(), heights.get(), colours.get(), sky.get(), x, y, heading, eye, steps,
                rays, kBase);
  }
};

TEST_F(VoxelTerrain, FlatGroundGivesTheColumnOneSegmentColouredByItsFirstCell) {
  for (auto [height, top_row] : {std::pair{128, kBase - 100}, std::pair{255, 0}}) {
    clear_to_color(heights.get(), height);
    render(kX, kY, kStraightAlongX, 40, 1);
    const int cell = getpixel(colours.get(), kX / kCell + 1, kY / kCell);
    for (int row = 0; row < 480; row++)
      ASSERT_EQ(getpixel(view.get(), 0, row), row >= top_row && row <= kBase ? cell : sky_colour)
          << "height " << height << " row " << row;
    EXPECT_EQ(getpixel(view.get(), 1, kBase), sky_colour);  // columns beyond the rays
  }
}

TEST_F(VoxelTerrain, FixedPointAndProjectionTruncateTowardZeroAndTheMapEndsAtItsLastCoordinate) {
  EXPECT_EQ(tofixed(-0.70710677f), -46340);
  clear(heights.get());
  heights->line[100][103] = 127;  // third step: (127*32 - 4096)/3 = -10, so 90 rows
  render(100 * kCell, 100 * kCell, kStraightAlongX, 3, 1);
  EXPECT_NE(getpixel(view.get(), 0, kBase - 90), sky_colour);
  EXPECT_EQ(getpixel(view.get(), 0, kBase - 91), sky_colour);
  render(100 * kCell, 100 * kCell, kStraightAlongX, 3, 1, 3);  // eye 3 up: -42, so 58 rows
  EXPECT_NE(getpixel(view.get(), 0, kBase - 58), sky_colour);
  EXPECT_EQ(getpixel(view.get(), 0, kBase - 59), sky_colour);
  heights->line[100][639] = heights->line[100][640] = 255;  // the bitmap reaches beyond 640 here
  for (auto [x, inside] : {std::pair{41943039, true}, std::pair{41943040, false}}) {
    render(x - kCell, 100 * kCell, kStraightAlongX, 1, 1);
    EXPECT_EQ(getpixel(view.get(), 0, kBase) != sky_colour, inside) << x;
  }
}

}  // namespace
