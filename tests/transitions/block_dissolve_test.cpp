// The random block dissolve as a caller sees it: how long a run lasts, what
// it shows on the way and at the end, and what starts the next run.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

constexpr int area_width = 64;
constexpr int area_height = 48;
constexpr int block_side = 8;
constexpr int run_calls =
    2 * (area_width * area_height / (block_side * block_side));  // calls that show the run

struct BlockDissolve : HeadlessTest {
  void TearDown() override {
    while (zephyrun::dispixflag) step();  // no run left behind
  }
  BitmapPtr first = make_pattern_bitmap(area_width, area_height, 1);
  BitmapPtr second = make_pattern_bitmap(area_width, area_height, 2);
  BitmapPtr work = make_filled_bitmap(area_width, area_height, 0);
  BitmapPtr target = make_filled_bitmap(area_width, area_height, 0);
  int step(int block = block_side) {
    return zephyrun::dissolvcas(work.get(), target.get(), first.get(), 0, second.get(), 0,
                                area_width, area_height, block);
  }
};

TEST_F(BlockDissolve, EveryRunShowsBlocksThenTheWholeSecondPictureThenEndsWithoutDrawing) {
  for (int run = 0; run < 2; run++) {
    SCOPED_TRACE(run);
    ASSERT_EQ(step(), 0);
    EXPECT_EQ(step(0), -1) << "a zero block is refused and the run goes on";
    for (int call = 2; call < run_calls; call++) ASSERT_EQ(step(), 0) << "call " << call;
    // No block starts beyond the area less a block: the bottom row and the
    // last column keep the first picture until the end.
    for (int x = 0; x < area_width; x++)
      ASSERT_EQ(getpixel(target.get(), x, area_height - 1),
                getpixel(first.get(), x, area_height - 1));
    for (int y = 0; y < area_height; y++)
      ASSERT_EQ(getpixel(target.get(), area_width - 1, y),
                getpixel(first.get(), area_width - 1, y));
    ASSERT_EQ(step(), 0);
    EXPECT_EQ(first_difference(second.get(), target.get()), "");
    clear(target.get());
    EXPECT_EQ(step(), 1);
    EXPECT_TRUE(pixel_is(target.get(), 5, 5, 0, 0, 0)) << "the ending call drew";
  }
}

TEST_F(BlockDissolve, BlockBiggerThanTheAreaEndsAtOnceWithTheFirstPictureInTheWork) {
  EXPECT_EQ(step(area_width + area_height), 1);
  EXPECT_EQ(first_difference(first.get(), work.get()), "");
  EXPECT_TRUE(pixel_is(target.get(), 0, 0, 0, 0, 0));
}

}  // namespace
