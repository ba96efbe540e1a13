// The column dissolve: strips of the first picture slide down off the second,
// each at its own start pace, until they have fallen twice the height.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

constexpr int area_width = 320;
constexpr int area_height = 480;
constexpr int strip_width = 10;

struct ColumnDissolve : HeadlessTest {
  void TearDown() override {
    for (int n = 0; zephyrun::diswormflag && n < 100000; n++) step();
  }
  BitmapPtr first = make_filled_bitmap(area_width, area_height, makecol(255, 0, 0));
  BitmapPtr second = make_pattern_bitmap(area_width, area_height, 2);
  BitmapPtr target = make_filled_bitmap(area_width, area_height, 0);
  int step(int speed2 = 8, int width = area_width, int height = area_height,
           int strip = strip_width) {
    return zephyrun::dissolvworm(nullptr, target.get(), first.get(), 0, second.get(), 0, width,
                                 height, speed2, strip);
  }
  // Rows of the second picture above the strip at `x`.
  int fallen(int x) {
    int y = 0;
    while (y < area_height && getpixel(target.get(), x, y) == getpixel(second.get(), x, y)) y++;
    return y;
  }
};

TEST_F(ColumnDissolve, StripsStartAtPacesOfTheirOwnThatRefusedCallsDoNotChange) {
  std::srand(11);
  ASSERT_EQ(step(), 0);
  std::vector<int> paces;
  for (int x = 0; x < area_width; x += strip_width) paces.push_back(fallen(x));
  clear_to_color(first.get(), makecol(255, 255, 255));  // too late to show
  EXPECT_EQ(step(0), -1);
  EXPECT_EQ(step(8, 10000), -1);
  EXPECT_EQ(step(8, area_width, 19), -1);
  EXPECT_EQ(step(8, area_width, area_height, 0), -1);
  EXPECT_EQ(step(8, area_width, area_height, area_width + 1), -1);
  ASSERT_EQ(step(), 0);
  ASSERT_EQ(step(), 0);
  // Once a strip has fallen a 20th of the height it goes on at the common speed.
  for (int x = 0; x < area_width; x += strip_width) {
    const int pace = paces[x / strip_width];
    const int fallen_now = 2 * pace + (2 * pace >= area_height / 20 ? 8 : pace);
    EXPECT_EQ(fallen(x), fallen_now) << x;
    EXPECT_TRUE(pixel_is(target.get(), x, fallen_now, 255, 0, 0)) << x;
  }
  // Between a 240th and a 20th of the height a call, some strips slow.
  const auto [slowest, fastest] = std::minmax_element(paces.begin(), paces.end());
  EXPECT_GE(*slowest, area_height / 240);
  EXPECT_LT(*slowest, area_height / 40);
  EXPECT_LT(*fastest, area_height / 20);
}

TEST_F(ColumnDissolve, EveryRunFallsTwiceTheHeightThenShowsTheSecondPicture) {
  // At a common speed of 1: above 2 * height calls, at most 2 * (height + a 20th) + 1.
  for (int height : {20, 39, 40, 121, 239}) {
    SCOPED_TRACE(height);
    int calls = 1;
    int result;
    while ((result = step(1, area_width, height, 3)) == 0)
      ASSERT_LE(++calls, 2 * (height + height / 20) + 1);
    ASSERT_EQ(result, 1);
    EXPECT_GT(calls, 2 * height);
    for (int x = 0; x < area_width; x++) ASSERT_GE(fallen(x), height) << "a strip shows at " << x;
  }
}

// The run ends by the second strip, the one at x = step, alone: every other strip far out of
// sight keeps it going, and that strip passing 2 * (height + height / 20) ends it on the
// very call, however little the others have fallen. Exactly at the distance is not past it.
TEST_F(ColumnDissolve, TheRunEndsOnTheCallTheSecondStripFallsPastTwiceTheHeightAndNoOther) {
  constexpr int height = 40, end_distance = 2 * (height + height / 20);  // 84
  using zephyrun::diswormciclo, zephyrun::disrandwoy;
  ASSERT_EQ(step(1, area_width, height), 0);
  for (int x = 0; x <= area_width; x += strip_width) {
    diswormciclo[x] = x == strip_width ? 0.0f : 1e6f;
    disrandwoy[x] = 1;
  }
  for (int call = 1; call <= end_distance; call++)
    ASSERT_EQ(step(1, area_width, height), 0) << "ended by the other strips, call " << call;
  EXPECT_EQ(step(1, area_width, height), 1) << "the second strip fell past the end";

  ASSERT_EQ(step(1, area_width, height), 0);  // a fresh run
  for (int x = 0; x <= area_width; x += strip_width) {
    diswormciclo[x] = x == strip_width ? end_distance - 1.0f : 0.0f;
    disrandwoy[x] = 1;
  }
  EXPECT_EQ(step(1, area_width, height), 0) << "exactly at the end is not past it";
  EXPECT_EQ(step(1, area_width, height), 1) << "the others had hardly moved";
}

}  // namespace
