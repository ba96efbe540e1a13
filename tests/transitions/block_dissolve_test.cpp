#include <gtest/gtest.h>

// The random block dissolve: blocks of the second picture over the first,
// then the whole second picture, then the end of the run.
#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kBlock = 8;
constexpr int kLimit = 2 * (kWidth * kHeight / (kBlock * kBlock));  // L, the run's length

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

TEST_F(BlockDissolve, RunTakesLPlusOneCallsShowsTheSecondPictureFromCallLThenStartsOver) {
  for (int call = 1; call < kLimit; call++) ASSERT_EQ(step(), 0) << "call " << call;
  // Blocks start at most a block above and left of the area: the bottom row
  // and the last column keep the first picture until the end.
  for (int x = 0; x < kWidth; x++)
    ASSERT_EQ(getpixel(target.get(), x, kHeight - 1), getpixel(first.get(), x, kHeight - 1)) << x;
  for (int y = 0; y < kHeight; y++)
    ASSERT_EQ(getpixel(target.get(), kWidth - 1, y), getpixel(first.get(), kWidth - 1, y)) << y;
  ASSERT_EQ(step(), 0);
  EXPECT_EQ(first_difference(second.get(), target.get()), "");
  clear(target.get());  // the completing call must not draw
  EXPECT_EQ(step(), 1);
  EXPECT_TRUE(pixel_is(target.get(), 5, 5, 0, 0, 0));
  // The next run starts afresh: after three calls, the first picture with
  // three blocks of the second at most.
  for (int call = 0; call < 3; call++) ASSERT_EQ(step(), 0);
  int from_first = 0, from_second = 0;
  for (int y = 0; y < kHeight; y++)
    for (int x = 0; x < kWidth; x++) {
      from_first += getpixel(target.get(), x, y) == getpixel(first.get(), x, y);
      from_second += getpixel(target.get(), x, y) == getpixel(second.get(), x, y);
    }
  EXPECT_EQ(from_first + from_second, kWidth * kHeight);
  EXPECT_TRUE(from_second > 0 && from_second <= 3 * kBlock * kBlock) << from_second;
}

TEST_F(BlockDissolve, OversizedBlockEndsAtOnceAndZeroBlockIsRefusedKeepingTheRun) {
  // L = 0: the work gets the first picture, the target nothing.
  EXPECT_EQ(step(kWidth + kHeight), 1);
  EXPECT_EQ(first_difference(first.get(), work.get()), "");
  EXPECT_TRUE(pixel_is(target.get(), 0, 0, 0, 0, 0));
  ASSERT_EQ(step(), 0);
  EXPECT_EQ(step(0), -1);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(zephyrun::dispixciclo, 2.0f);
}

}  // namespace
