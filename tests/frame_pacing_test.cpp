// The pacing controller and the presentation, on memory bitmaps with a clock
// the tests move by hand and retrace waits that are only counted.
#include <gtest/gtest.h>
#include <time.h>

#include <chrono>

#include "fake_display.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

std::time_t fake_now;
int retraces, gl_clears;
std::time_t read_fake_clock() { return fake_now; }
void count_retrace() { retraces++; }
void count_gl_clear() { gl_clears++; }

class FramePacing : public ::testing::Test {
 protected:
  void SetUp() override {
    start_headless_allegro(15);
    display_ = std::make_unique<FakeDisplay>(640, 480);
    back_ = make_filled_bitmap(640, 480, makecol(0, 0, 200));
    tempo1 = fps = fps1 = fps3 = misuratore = rallentatore = frame = 0;
    fake_now = 1000;
    retraces = gl_clears = 0;
    pacing_clock = read_fake_clock;
    retrace_wait = count_retrace;
    gl_clear_wait = count_gl_clear;
  }

  // Runs a window of `passes` passes and closes it: the clock moves on two
  // seconds before the closing pass, which counts as the next window's first.
  void run_window(int passes, int rate = 30, int mode = 0) {
    for (int i = fps; i < passes; i++) doppiobuffering(rate, back_.get(), screen, 0, 0, mode);
    fake_now += 2;
    doppiobuffering(rate, back_.get(), screen, 0, 0, mode);
  }
  int waits_of_one_pass(int rate = 30, int mode = 0) {
    int before = retraces + gl_clears;
    doppiobuffering(rate, back_.get(), screen, 0, 0, mode);
    return retraces + gl_clears - before;
  }

  std::unique_ptr<FakeDisplay> display_;
  BitmapPtr back_;
};

TEST_F(FramePacing, FirstPassesRunUnpacedAndShowZero) {
  for (int i = 0; i < 50; i++) doppiobuffering(30, back_.get(), screen, 1, 0, 0);
  EXPECT_EQ(retraces, 0);
  EXPECT_EQ(fps1, 0);
  EXPECT_STREQ(score, "FPS: 0 ");
}

TEST_F(FramePacing, WindowClosesTwoSecondsAfterItOpened) {
  for (int i = 0; i < 10; i++) doppiobuffering(30, back_.get(), screen, 0, 0, 0);
  fake_now += 1;  // one second on: still the same window
  for (int i = 0; i < 10; i++) doppiobuffering(30, back_.get(), screen, 0, 0, 0);
  EXPECT_EQ(fps1, 0);
  fake_now += 1;
  doppiobuffering(30, back_.get(), screen, 0, 0, 0);
  EXPECT_EQ(fps1, 20);
  EXPECT_EQ(fps, 1) << "the closing pass counts as the first of the next window";
}

TEST_F(FramePacing, FastMachineCalibratesToAtMostWhatA60HzDisplayNeeds) {
  run_window(6000);  // unpaced: 6000 passes in a window
  EXPECT_EQ(waits_of_one_pass(), 5) << "capped at 2*60/30 = 4, then one more for being fast";
  EXPECT_EQ(misuratore, 1);
  EXPECT_EQ(fps3, 6000);
}

TEST_F(FramePacing, SlowMachineCalibratesAsCounted) {
  run_window(90);  // (90 / 30) / 2 = 1, then +1 for being above the band
  EXPECT_EQ(waits_of_one_pass(), 2);
}

TEST_F(FramePacing, WaitCountStepsByOneWhileOutsideTheBand) {
  run_window(6000);
  run_window(40);  // above: one more wait
  EXPECT_EQ(rallentatore, 6);
  run_window(27);  // below: one fewer
  EXPECT_EQ(rallentatore, 5);
  run_window(28);  // the band's limits belong to the band
  run_window(32);
  run_window(30);
  EXPECT_EQ(rallentatore, 5);
  EXPECT_EQ(misuratore, 3) << "6000, 40 and 27 fell outside";
  EXPECT_EQ(fps3, 27);
}

TEST_F(FramePacing, CountInsideTheBandNeverCalibratesUpwards) {
  run_window(30);  // (30/30)/2 = 0 and inside the band
  EXPECT_EQ(waits_of_one_pass(), 0);
  EXPECT_EQ(misuratore, 0);
}

TEST_F(FramePacing, NegativeWaitCountWaitsNothingAndClimbsBackStepByStep) {
  run_window(10);
  run_window(10);
  run_window(10);
  EXPECT_EQ(rallentatore, -3);
  EXPECT_EQ(waits_of_one_pass(), 0);
  run_window(50);
  run_window(50);
  run_window(50);
  EXPECT_EQ(rallentatore, 0);
  run_window(50);
  EXPECT_EQ(waits_of_one_pass(), 1);
}

TEST_F(FramePacing, RateZeroMeansNeverPaced) {
  for (int w = 0; w < 5; w++) run_window(5000, 0);
  EXPECT_EQ(waits_of_one_pass(0), 0);
  EXPECT_LT(rallentatore, 0);
}

TEST_F(FramePacing, ResetRestartsControlButKeepsTheShownCount) {
  run_window(6000);
  doppiobuffering(30, back_.get(), screen, 0, 0, 0);
  int shown = fps1;
  doppiobuffering(30, back_.get(), screen, 0, 1, 0);
  EXPECT_EQ(rallentatore, 0);
  EXPECT_EQ(misuratore, 0);
  EXPECT_EQ(fps3, 0);
  EXPECT_EQ(fps, 1);
  EXPECT_EQ(fps1, shown);
}

TEST_F(FramePacing, OpenGlModeKeepsThePlainCalibration) {
  run_window(600, 30, 1);  // (600/30)/2 = 10, then one more for being fast
  EXPECT_EQ(rallentatore, 11);
  EXPECT_EQ(waits_of_one_pass(30, 1), 11 * 600 * 1);
}

TEST_F(FramePacing, OpenGlModeWaitCountSaturatesInsteadOfOverflowing) {
  rallentatore = 100000;
  misuratore = 50000;
  fps3 = 60000;
  tempo1 = static_cast<int>(fake_now);
  gl_clear_wait = [] {
    if (++gl_clears == 1000) throw 1;  // enough to see it waits, not forever
  };
  EXPECT_THROW(doppiobuffering(30, back_.get(), screen, 0, 0, 1), int);
  EXPECT_EQ(frame, INT_MAX);
}

TEST_F(FramePacing, FramePresentedWithCounterThenBackBufferCleared) {
  run_window(25);
  clear_to_color(back_.get(), makecol(0, 0, 200));
  doppiobuffering(30, back_.get(), screen, 1, 0, 0);
  EXPECT_STREQ(score, "FPS: 25 ");

  // The counter lands at (10, 10) as white text over the frame.
  BitmapPtr expected = make_filled_bitmap(640, 480, makecol(0, 0, 200));
  textout_ex(expected.get(), font, "FPS: 25 ", 10, 10, makecol(255, 255, 255), -1);
  EXPECT_EQ(first_difference(expected.get(), screen), "");
  EXPECT_TRUE(pixel_is(back_.get(), 320, 240, 0, 0, 0));
  EXPECT_TRUE(pixel_is(back_.get(), 15, 12, 0, 0, 0));
}

TEST_F(FramePacing, CounterOffMeansTheFrameIsShownUntouched) {
  BitmapPtr pattern = make_pattern_bitmap(640, 480);
  blit(pattern.get(), back_.get(), 0, 0, 0, 0, 640, 480);
  doppiobuffering(30, back_.get(), screen, 0, 0, 0);
  EXPECT_EQ(first_difference(pattern.get(), screen), "");
}

TEST(SimulatedRetrace, WaitsEndOnSixtiethsOfASecond) {
  using namespace std::chrono;
  simulated_retrace_wait();  // align to a boundary first
  auto start = steady_clock::now();
  for (int i = 0; i < 6; i++) simulated_retrace_wait();
  double elapsed = duration<double>(steady_clock::now() - start).count();
  EXPECT_GE(elapsed, 5.5 / 60) << "six waits span six retraces";
  EXPECT_LT(elapsed, 1.0);

  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  simulated_retrace_wait();
  clock_gettime(CLOCK_MONOTONIC, &now);
  long long ns = now.tv_sec * 1000000000LL + now.tv_nsec;
  long long into_retrace = (ns * 60) % 1000000000LL / 60;
  EXPECT_LT(into_retrace, 8000000) << "woke well within the first half of a retrace";
}

}  // namespace
