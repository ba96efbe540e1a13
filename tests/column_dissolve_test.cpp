#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using zephyrun::diswormciclo, zephyrun::disrandwoy;

constexpr int W = 30, H = 480, STEP = 10, D = H / 20, E = 2 * (H + D);

struct ColumnDissolve : ::testing::Test {
  static void SetUpTestSuite() { start_headless_allegro(15); }
  void TearDown() override { for (int n = 0; zephyrun::diswormflag && n < 100000; n++) step(); }
  // The second picture is narrower than the area: the previous frame stays beside it.
  BitmapPtr first = make_pattern_bitmap(W, H, 1), second = make_pattern_bitmap(W - 5, H, 2);
  BitmapPtr target = make_filled_bitmap(W, H, 0);
  int step(int speed2 = 8, int width = W, int height = H, int strip = STEP) {
    return zephyrun::dissolvworm(nullptr, target.get(), first.get(), 0, second.get(), 0, width, height,
                                 speed2, strip);
  }
};

TEST_F(ColumnDissolve, StripsComeFromTheFirstCallsPictureAtTheirRandomStartSpeeds) {
  std::srand(11);
  int speeds[W / STEP + 1];
  for (int &speed : speeds) speed = std::max(std::rand() % D, H / 240);
  std::srand(11);
  BitmapPtr old = make_pattern_bitmap(W, H, 1), expected = make_filled_bitmap(W, H, 0);
  ASSERT_EQ(step(), 0);
  clear_to_color(first.get(), makecol(255, 255, 255));  // too late to show
  ASSERT_EQ(step(), 0);
  for (int x = 0; x < W; x += STEP) blit(old.get(), expected.get(), x, 0, x, speeds[x / STEP], STEP, H);
  blit(second.get(), expected.get(), 0, 0, 0, 0, W - 5, H);  // over the first frame
  for (int x = 0; x < W; x += STEP) blit(old.get(), expected.get(), x, 0, x, 2 * speeds[x / STEP], STEP, H);
  EXPECT_EQ(first_difference(expected.get(), target.get()), "");
}

TEST_F(ColumnDissolve, StripSwitchesToTheCommonSpeedAtDAndEndsTheRunOnlyBeyondE) {
  ASSERT_EQ(step(), 0);
  diswormciclo[STEP] = D - 5, disrandwoy[STEP] = 5;
  for (int call = 0; call < 2; call++) ASSERT_EQ(step(), 0);
  EXPECT_EQ(diswormciclo[STEP], float(D + 8));  // exactly D on the first call, then speed2
  diswormciclo[STEP] = E - 8;
  EXPECT_EQ(step(), 0);  // exactly E; the other strips, far behind, are not waited for
  clear(target.get());
  EXPECT_EQ(step(), 1);
  EXPECT_EQ(getpixel(target.get(), STEP, H - 1), getpixel(second.get(), STEP, H - 1));
}

TEST_F(ColumnDissolve, EveryRunOnAShortAreaEndsAndArgumentsOutsideTheLimitsAreRefused) {
  for (int height : {20, 39, 40, 121, 239}) {
    int calls = 1, result;  // speed 1 at worst: E + 1 calls
    while ((result = step(1, W, height, 3)) == 0) ASSERT_LE(++calls, 2 * (height + height / 20) + 1);
    ASSERT_EQ(result, 1) << height;
  }
  ASSERT_EQ(step(), 0);
  for (int bad : {step(0), step(8, 10000), step(8, W, 19), step(8, W, H, 0), step(8, W, H, W + 1)})
    EXPECT_EQ(bad, -1);
  EXPECT_EQ(step(), 0);  // the run goes on
}

