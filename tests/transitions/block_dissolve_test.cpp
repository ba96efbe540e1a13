// The random block dissolve as a caller sees it: how long a run lasts, what
// it shows on the way and at the end, and what starts the next run.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kBlock = 8;
constexpr int kCalls = 2 * (kWidth * kHeight / (kBlock * kBlock));  // calls that show the run

struct BlockDissolve : ::testing::Test {
  static void SetUpTestSuite() { start_headless_allegro(15); }
  void TearDown() override {
    while (zephyrun::dispixflag) step();  // no run left behind
  }
  BitmapPtr first = make_pattern_bitmap(kWidth, kHeight, 1);
  BitmapPtr second = make_pattern_bitmap(kWidth, kHeight, 2);
  BitmapPtr work = make_filled_bitmap(kWidth, kHeight, 0);
  BitmapPtr target = make_filled_bitmap(kWidth, kHeight, 0);
  int step(int block = kBlock) {
    return zephyrun::dissolvcas(work.get(), target.get(), first.get(), 0, second.get(), 0, kWidth,
                                kHeight, block);
  }
};

TEST_F(BlockDissolve, EveryRunShowsBlocksThenTheWholeSecondPictureThenEndsWithoutDrawing) {
  for (int run = 0; run < 2; run++) {
    SCOPED_TRACE(run);
    ASSERT_EQ(step(), 0);
    EXPECT_EQ(step(0), -1) << "a zero block is refused and the run goes on";
    for (int call = 2; call < kCalls; call++) ASSERT_EQ(step(), 0) << "call " << call;
    // No block starts beyond the area less a block: the bottom row and the
    // last column keep the first picture until the end.
    for (int x = 0; x < kWidth; x++)
      ASSERT_EQ(getpixel(target.get(), x, kHeight - 1), getpixel(first.get(), x, kHeight - 1));
    for (int y = 0; y < kHeight; y++)
      ASSERT_EQ(getpixel(target.get(), kWidth - 1, y), getpixel(first.get(), kWidth - 1, y));
    ASSERT_EQ(step(), 0);
    EXPECT_EQ(first_difference(second.get(), target.get()), "");
    clear(target.get());
    EXPECT_EQ(step(), 1);
    EXPECT_TRUE(pixel_is(target.get(), 5, 5, 0, 0, 0)) << "the ending call drew";
  }
}

TEST_F(BlockDissolve, BlockBiggerThanTheAreaEndsAtOnceWithTheFirstPictureInTheWork) {
  EXPECT_EQ(step(kWidth + kHeight), 1);
  EXPECT_EQ(first_difference(first.get(), work.get()), "");
  EXPECT_TRUE(pixel_is(target.get(), 0, 0, 0, 0, 0));
}

}  // namespace
