#include <gtest/gtest.h>

#include <cstdlib>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

constexpr int W = 64, H = 48, BLOCK = 8, LIMIT = 2 * (W * H / (BLOCK * BLOCK));

struct BlockDissolve : ::testing::Test {
  static void SetUpTestSuite() { start_headless_allegro(15); }
  void TearDown() override {  // leave no run behind for the next test
    while (zephyrun::dispixflag) step();
  }
  BitmapPtr first = make_pattern_bitmap(W, H, 1), second = make_pattern_bitmap(W, H, 2);
  BitmapPtr work = make_filled_bitmap(W, H, 0), target = make_filled_bitmap(W, H, 0);
  int step(int block = BLOCK, BITMAP *pic1 = nullptr, BITMAP *pic2 = nullptr, int col2 = 0) {
    return zephyrun::dissolvcas(work.get(), target.get(), pic1 ? pic1 : first.get(), 0,
                                col2 ? nullptr : pic2 ? pic2 : second.get(), col2, W, H, block);
  }
};

TEST_F(BlockDissolve, RunTakesLPlusOneCallsAndShowsTheSecondPictureFromCallL) {
  for (int call = 1; call < LIMIT; call++) ASSERT_EQ(step(), 0) << "call " << call;
  for (int i = 0; i < W; i++) ASSERT_EQ(getpixel(target.get(), i, H - 1), getpixel(first.get(), i, H - 1));
  for (int i = 0; i < H; i++) ASSERT_EQ(getpixel(target.get(), W - 1, i), getpixel(first.get(), W - 1, i));
  ASSERT_EQ(step(), 0);
  EXPECT_EQ(first_difference(second.get(), target.get()), "");
  EXPECT_EQ(zephyrun::dispixfine, 0.0f);
  clear(target.get());  // the completing call must not draw
  EXPECT_EQ(step(), 1);
  EXPECT_EQ(zephyrun::dispixfine, 1.0f);
  EXPECT_TRUE(pixel_is(target.get(), 5, 5, 0, 0, 0));
}

TEST_F(BlockDissolve, NextRunStartsFromTheFirstPictureWithOneReproducibleBlock) {
  while (step() != 1) {
  }
  std::srand(7);
  const int x = std::rand() % W - BLOCK, y = std::rand() % H - BLOCK;
  std::srand(7);
  ASSERT_EQ(step(), 0);
  ASSERT_EQ(zephyrun::dispixciclo, 1.0f);
  for (int j = 0; j < H; j++)
    for (int i = 0; i < W; i++) {
      bool in_block = i >= x && i < x + BLOCK && j >= y && j < y + BLOCK;
      ASSERT_EQ(getpixel(target.get(), i, j), getpixel((in_block ? second : first).get(), i, j));
    }
}

TEST_F(BlockDissolve, BlockLargerThanTheAreaCompletesAtOnceShowingNothing) {
  EXPECT_EQ(step(W + H), 1);
  EXPECT_EQ(first_difference(first.get(), work.get()), "");
  EXPECT_TRUE(pixel_is(target.get(), 0, 0, 0, 0, 0));
}

TEST_F(BlockDissolve, SmallFirstPictureLeavesBlackAndAMissingSecondIsItsColour) {
  BitmapPtr small = make_pattern_bitmap(W / 2, H / 2, 3);
  const int blue = makecol(0, 0, 255);
  ASSERT_EQ(step(BLOCK, small.get(), nullptr, blue), 0);
  EXPECT_TRUE(pixel_is(target.get(), W - 1, H - 1, 0, 0, 0));
  for (int call = 2; call <= LIMIT; call++) ASSERT_EQ(step(BLOCK, small.get(), nullptr, blue), 0);
  EXPECT_TRUE(pixel_is(target.get(), 0, 0, 0, 0, 255));
  EXPECT_TRUE(pixel_is(target.get(), W - 1, H - 1, 0, 0, 255));
}

TEST_F(BlockDissolve, UnusableSizesAreRefusedWithoutDrawingOrDisturbingTheRun) {
  ASSERT_EQ(step(), 0);
  std::srand(3);
  const int next = std::rand();
  std::srand(3);
  EXPECT_EQ(step(0), -1);
  EXPECT_EQ(std::rand(), next);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(zephyrun::dispixciclo, 2.0f);
}

}  // namespace
