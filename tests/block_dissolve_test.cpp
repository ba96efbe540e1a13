#include <gtest/gtest.h>

#include <cstdlib>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

constexpr int W = 64, H = 48, BLOCK = 8, LIMIT = 2 * (W * H / (BLOCK * BLOCK));

struct BlockDissolve : ::testing::Test {
  static void SetUpTestSuite() { start_headless_allegro(15); }
  void TearDown() override { while (zephyrun::dispixflag) step(); }  // no run left behind
  BitmapPtr first = make_pattern_bitmap(W, H, 1), second = make_pattern_bitmap(W, H, 2);
  BitmapPtr work = make_filled_bitmap(W, H, 0), target = make_filled_bitmap(W, H, 0);
  int step(int block = BLOCK) {
    return zephyrun::dissolvcas(work.get(), target.get(), first.get(), 0, second.get(), 0, W, H, block);
  }
};

TEST_F(BlockDissolve, RunTakesLPlusOneCallsShowsTheSecondPictureFromCallLThenStartsOver) {
  for (int call = 1; call < LIMIT; call++) ASSERT_EQ(step(), 0) << "call " << call;
  for (int x = 0, y = H - 1; y >= 0; x < W - 1 ? x++ : y--)  // bottom row, then last column
    ASSERT_EQ(getpixel(target.get(), x, y), getpixel(first.get(), x, y)) << x << "," << y;
  ASSERT_EQ(step(), 0);
  EXPECT_EQ(first_difference(second.get(), target.get()), "");
  clear(target.get());  // the completing call must not draw
  EXPECT_EQ(step(), 1);
  EXPECT_TRUE(pixel_is(target.get(), 5, 5, 0, 0, 0));
  std::srand(7);  // the next run: first picture plus one reproducible block
  const int x = std::rand() % W - BLOCK, y = std::rand() % H - BLOCK;
  std::srand(7);
  ASSERT_EQ(step(), 0);
  BitmapPtr expected = make_pattern_bitmap(W, H, 1);
  blit(second.get(), expected.get(), x, y, x, y, BLOCK, BLOCK);
  EXPECT_EQ(first_difference(expected.get(), target.get()), "");
}

TEST_F(BlockDissolve, OversizedBlockEndsAtOnceAndZeroBlockIsRefusedKeepingTheRun) {
  EXPECT_EQ(step(W + H), 1);  // L = 0: the work bitmap gets the first picture, the target nothing
  EXPECT_EQ(first_difference(first.get(), work.get()), "");
  EXPECT_TRUE(pixel_is(target.get(), 0, 0, 0, 0, 0));
  ASSERT_EQ(step(), 0);
  EXPECT_EQ(step(0), -1);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(zephyrun::dispixciclo, 2.0f);
}

