// The column dissolve: strips of the first picture slide down off the second,
// each at its own start speed and then at the common one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using zephyrun::diswormciclo, zephyrun::disrandwoy;

namespace {

constexpr int kWidth = 30;
constexpr int kHeight = 480;
constexpr int kStrip = 10;
constexpr int kSwitchDistance = kHeight / 20;                 // D
constexpr int kEndDistance = 2 * (kHeight + kSwitchDistance);  // E

struct ColumnDissolve : ::testing::Test {
  static void SetUpTestSuite() { start_headless_allegro(15); }
  void TearDown() override {
    for (int n = 0; zephyrun::diswormflag && n < 100000; n++) step();
  }
  // The second picture is narrower than the area: the previous frame stays beside it.
  BitmapPtr first = make_pattern_bitmap(kWidth, kHeight, 1);
  BitmapPtr second = make_pattern_bitmap(kWidth - 5, kHeight, 2);
  BitmapPtr target = make_filled_bitmap(kWidth, kHeight, 0);
  int step(int speed2 = 8, int width = kWidth, int height = kHeight, int strip = kStrip) {
    return zephyrun::dissolvworm(nullptr, target.get(), first.get(), 0, second.get(), 0, width,
                                 height, speed2, strip);
  }
};

TEST_F(ColumnDissolve, StripsComeFromTheFirstCallsPictureAtTheirRandomStartSpeeds) {
  std::srand(11);
  int speeds[kWidth / kStrip + 1];
  for (int &speed : speeds) speed = std::max(std::rand() % kSwitchDistance, kHeight / 240);
  std::srand(11);
  BitmapPtr old = make_pattern_bitmap(kWidth, kHeight, 1);
  BitmapPtr expected = make_filled_bitmap(kWidth, kHeight, 0);
  ASSERT_EQ(step(), 0);
  clear_to_color(first.get(), makecol(255, 255, 255));  // too late to show
  ASSERT_EQ(step(), 0);
  for (int x = 0; x < kWidth; x += kStrip)
    blit(old.get(), expected.get(), x, 0, x, speeds[x / kStrip], kStrip, kHeight);
  blit(second.get(), expected.get(), 0, 0, 0, 0, kWidth - 5, kHeight);  // over the first frame
  for (int x = 0; x < kWidth; x += kStrip)
    blit(old.get(), expected.get(), x, 0, x, 2 * speeds[x / kStrip], kStrip, kHeight);
  EXPECT_EQ(first_difference(expected.get(), target.get()), "");
}

TEST_F(ColumnDissolve, StripSwitchesToTheCommonSpeedAtDAndEndsTheRunOnlyBeyondE) {
  ASSERT_EQ(step(), 0);
  diswormciclo[kStrip] = kSwitchDistance - 5;
  disrandwoy[kStrip] = 5;
  for (int call = 0; call < 2; call++) ASSERT_EQ(step(), 0);
  // Exactly D on the first call, then speed2.
  EXPECT_EQ(diswormciclo[kStrip], float(kSwitchDistance + 8));
  diswormciclo[kStrip] = kEndDistance - 8;
  EXPECT_EQ(step(), 0);  // exactly E; the other strips, far behind, are not waited for
  clear(target.get());
  EXPECT_EQ(step(), 1);
  const int bottom = kHeight - 1;
  EXPECT_EQ(getpixel(target.get(), kStrip, bottom), getpixel(second.get(), kStrip, bottom));
  EXPECT_EQ(step(), 0) << "the next run starts with every strip at the top";
  EXPECT_LT(diswormciclo[kStrip], float(kSwitchDistance));
}

TEST_F(ColumnDissolve, EveryRunOnAShortAreaEndsAndArgumentsOutsideTheLimitsAreRefused) {
  for (int height : {20, 39, 40, 121, 239}) {
    int calls = 1;  // speed 1 at worst: E + 1 calls
    int result;
    while ((result = step(1, kWidth, height, 3)) == 0)
      ASSERT_LE(++calls, 2 * (height + height / 20) + 1);
    ASSERT_EQ(result, 1) << height;
  }
  ASSERT_EQ(step(), 0);
  EXPECT_EQ(step(0), -1);
  EXPECT_EQ(step(8, 10000), -1);
  EXPECT_EQ(step(8, kWidth, 19), -1);
  EXPECT_EQ(step(8, kWidth, kHeight, 0), -1);
  EXPECT_EQ(step(8, kWidth, kHeight, kWidth + 1), -1);
  EXPECT_EQ(step(), 0);  // the run goes on
}

}  // namespace
