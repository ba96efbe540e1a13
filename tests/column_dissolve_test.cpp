#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using zephyrun::diswormciclo;
using zephyrun::disrandwoy;

namespace {

constexpr int W = 30, H = 480, STEP = 10, D = H / 20, E = 2 * (H + D);

struct ColumnDissolve : ::testing::Test {
  static void SetUpTestSuite() { start_headless_allegro(15); }
  void TearDown() override {  // leave no run behind for the next test
    for (int call = 0; zephyrun::diswormflag && call < 100000; call++) step();
  }
  BitmapPtr first = make_pattern_bitmap(W, H, 1), second = make_pattern_bitmap(W, H, 2);
  BitmapPtr target = make_filled_bitmap(W, H, 0);
  int step(int speed2 = 8, int width = W, int height = H, int strip = STEP, BITMAP *pic2 = nullptr) {
    return zephyrun::dissolvworm(nullptr, target.get(), first.get(), 0,
                                 pic2 ? pic2 : second.get(), 0, width, height, speed2, strip);
  }
};

TEST_F(ColumnDissolve, StripsComeFromTheFirstCallsPictureAtTheirRandomStartSpeeds) {
  std::srand(11);
  int speeds[W / STEP + 1];
  for (int &speed : speeds) speed = std::max(std::rand() % D, H / 240);
  std::srand(11);
  BitmapPtr small = make_pattern_bitmap(W - 5, H, 2), original = make_pattern_bitmap(W, H, 1);
  ASSERT_EQ(step(8, W, H, STEP, small.get()), 0);
  clear_to_color(first.get(), makecol(255, 255, 255));  // too late to show
  for (int x = 0; x <= W; x += STEP) EXPECT_EQ(diswormciclo[x], float(speeds[x / STEP]));
  ASSERT_EQ(step(8, W, H, STEP, small.get()), 0);
  for (int x = 0; x < W; x++)
    for (int y = 0; y < H; y++) {
      // Beyond the small second picture the previous frame stays: black, then the strip.
      const int s = speeds[x / STEP];
      int want = y >= 2 * s  ? getpixel(original.get(), x, y - 2 * s)
                 : x < W - 5 ? getpixel(small.get(), x, y)
                 : y >= s    ? getpixel(original.get(), x, y - s)
                             : makecol(0, 0, 0);
      ASSERT_EQ(getpixel(target.get(), x, y), want) << x << "," << y;
    }
}

TEST_F(ColumnDissolve, StripTakesTheCommonSpeedOnTheCallItReachesTheSwitchDistance) {
  ASSERT_EQ(step(), 0);
  diswormciclo[STEP] = D - 5;
  disrandwoy[STEP] = 5;
  ASSERT_EQ(step(), 0);
  ASSERT_EQ(step(), 0);
  EXPECT_EQ(diswormciclo[STEP], float(D + 8));
}

TEST_F(ColumnDissolve, RunEndsOnlyBeyondTheEndDistanceAndShowsItsLastFrame) {
  ASSERT_EQ(step(), 0);
  diswormciclo[STEP] = E - 8;
  disrandwoy[STEP] = 8;
  EXPECT_EQ(step(), 0);  // exactly E
  clear(target.get());
  EXPECT_EQ(step(), 1);
  EXPECT_EQ(zephyrun::diswormfine, 1.0f);
  EXPECT_EQ(getpixel(target.get(), STEP, H - 1), getpixel(second.get(), STEP, H - 1));
  for (int x = 0; x <= W; x += STEP) EXPECT_EQ(diswormciclo[x] + disrandwoy[x], 0.0f);
}

TEST_F(ColumnDissolve, FastCommonSpeedEndsTheRunWhileASlowStripStillShows) {
  int seed = 0;  // one where the strip at 0 starts at 2 and the tested strip at 19
  for (int a, b; seed < 1000000; seed++) {
    std::srand(seed);
    a = std::rand() % D, b = std::rand() % D;
    if (a <= 2 && b == 19) break;
  }
  std::srand(seed);
  for (int call = 1; call < 20; call++) ASSERT_EQ(step(54, STEP, H, STEP), 0) << call;
  ASSERT_EQ(step(54, STEP, H, STEP), 1);
  for (int y = 0; y < H; y++) {
    const int want = y < 456 ? getpixel(second.get(), 3, y) : getpixel(first.get(), 3, y - 456);
    ASSERT_EQ(getpixel(target.get(), 3, y), want) << y;
  }
}

TEST_F(ColumnDissolve, EveryRunOnAShortAreaEnds) {
  for (int height : {20, 39, 40, 121, 239}) {
    int calls = 1, result;
    ASSERT_EQ(step(1, W, height, 3), 0);
    while ((result = step(1, W, height, 3)) == 0) ASSERT_LE(++calls, 2 * (height + height / 20) + 1);
    ASSERT_EQ(result, 1) << height;
  }
}

TEST_F(ColumnDissolve, ArgumentsOutsideTheLimitsAreRefusedAndTheRunGoesOn) {
  ASSERT_EQ(step(), 0);
  const float fallen = diswormciclo[STEP];
  for (int bad : {step(0), step(8, 10000), step(8, W, 19), step(8, W, H, 0), step(8, W, H, W + 1)})
    EXPECT_EQ(bad, -1);
  EXPECT_EQ(diswormciclo[STEP], fallen);
  EXPECT_EQ(step(), 0);
}

}  // namespace
