// The pacing controller and the presentation, on memory bitmaps with a clock
// the tests move by hand and waits that are only counted.
#include <gtest/gtest.h>
#include <time.h>

#include <climits>
#include <tuple>
#include <vector>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

std::time_t fake_now;
int waits;

class FramePacing : public HeadlessTest {
 protected:
  void SetUp() override {
    tempo1 = fps = fps1 = fps3 = misuratore = rallentatore = frame = 0;
    fake_now = (std::time_t{1} << 31) + 1000;  // past 2038: a clock cut to 32 bits shows
    waits = 0;
    pacing_clock = [] { return fake_now; };
    retrace_wait = gl_clear_wait = [] { waits++; };
  }
  void pass(int rate = 30, int mode = 0, int showfps = 0, int reset = 0) {
    doppiobuffering(rate, back_.get(), front_.get(), showfps, reset, mode);
  }
  // A window of `passes` passes, closed: the clock ticks a second midway and
  // another before the closing pass, which counts as the next window's first.
  void run_window(int passes, int rate = 30, int mode = 0) {
    for (int i = fps; i < passes; i++) {
      if (i == passes / 2) fake_now += 1;
      pass(rate, mode);
    }
    fake_now += 1;
    pass(rate, mode);
  }
  int waits_of_one_pass(int rate = 30, int mode = 0) {
    const int before = waits;
    pass(rate, mode);
    return waits - before;
  }
  // A pattern drawn into the back buffer, paced with new bitmaps at `depth`,
  // is what the front shows, under a counter of 25 when it is shown.
  void expect_pattern_shown(int showfps, int depth = 15) {
    BitmapPtr expected = make_pattern_bitmap(640, 480);
    blit(expected.get(), back_.get(), 0, 0, 0, 0, 640, 480);
    set_color_depth(depth);
    pass(30, 0, showfps);
    set_color_depth(15);
    if (showfps) textout_ex(expected.get(), font, "FPS: 25 ", 10, 10, makecol(255, 255, 255), -1);
    EXPECT_EQ(first_difference(expected.get(), front_.get()), "")
        << "counter " << showfps << ", depth " << depth;
  }
  BitmapPtr back_ = make_filled_bitmap(640, 480, 0);
  BitmapPtr front_ = make_filled_bitmap(640, 480, makecol(1, 2, 3));
};

TEST_F(FramePacing, WaitCountCalibratesThenStepsByOneWhileOutsideTheBand) {
  struct Case {
    std::vector<int> windows;
    int expected_waits;
  } cases[] = {
      {{6000}, 5},                        // (6000/30)/2 = 100 capped at 2*60/30 = 4, +1
      {{90}, 2},                          // (90/30)/2 = 1, +1 for being fast
      {{30}, 0},                          // inside the band: (30/30)/2 = 0, no step
      {{6000, 40, 27}, 5},                // +1, -1
      {{6000, 28, 28, 32}, 5},            // the band's limits belong to the band
      {{10, 10, 10}, 0},                  // -3: a negative count waits nothing
      {{10, 10, 10, 50, 50, 50, 50}, 1},  // and climbs back step by step
  };
  for (const Case &c : cases) {
    SetUp();
    for (int count : c.windows) run_window(count);
    EXPECT_EQ(waits_of_one_pass(), c.expected_waits) << "windows ending " << c.windows.back();
  }
}

TEST_F(FramePacing, RateZeroMeansNeverPacedAndResetRestartsControlButKeepsTheShownCount) {
  for (int window = 0; window < 5; window++) run_window(5000, 0);
  EXPECT_EQ(waits_of_one_pass(0), 0);
  EXPECT_LT(rallentatore, 0);
  SetUp();
  run_window(6000);
  pass(30, 0, 0, 1);
  EXPECT_EQ(std::tuple(rallentatore, misuratore, fps3), std::tuple(0, 0, 0));
  EXPECT_EQ(fps, 1);
  EXPECT_EQ(fps1, 6000);
}

// In OpenGL mode a pass clears rallentatore x fps3 x misuratore times, the
// calibration is not capped, and the product saturates instead of overflowing.
TEST_F(FramePacing, OpenGlModeClearsWaitCountTimesStrayCountTimesStrayWindows) {
  run_window(600, 30, 1);  // (600/30)/2 = 10, +1: no cap for OpenGL clears
  run_window(300, 30, 1);  // +1, and the second stray window
  EXPECT_EQ(waits_of_one_pass(30, 1), 12 * 300 * 2);
  SetUp();
  rallentatore = 100000;
  misuratore = 50000;
  fps3 = 60000;
  gl_clear_wait = [] {
    if (++waits == 1000) throw 1;  // enough to see it waits, not forever
  };
  EXPECT_THROW(pass(30, 1), int);
  EXPECT_EQ(frame, INT_MAX);
}

TEST_F(FramePacing, FrameIsShownWithTheCounterThenTheBackBufferIsCleared) {
  run_window(25);
  for (int showfps : {0, 1}) {
    expect_pattern_shown(showfps);
    EXPECT_TRUE(pixel_is(back_.get(), 320, 240, 0, 0, 0));
  }
}

// An OpenGL mode leaves the colour depth at 24 or 32: the counter made before it stays white
// text on the frame, not a box round it.
TEST_F(FramePacing, CounterStaysAnOverlayAfterTheColourDepthChanges) {
  run_window(25);
  pass(30, 0, 1);  // the counter's overlay is made at 15 bits
  expect_pattern_shown(1, 32);
  expect_pattern_shown(1, 32);  // and on the pass after
}

}  // namespace
