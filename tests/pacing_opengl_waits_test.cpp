// Frame pacing in its OpenGL mode (mode 1): the waits are buffer clears, as
// many per pass as the wait count times the last out-of-band window's count
// times the number of such windows. Counted through the clear seam, on a
// clock the test moves by hand, without a display.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zephyrun.h"

namespace {

using testing_support::BitmapPtr;

int clears = 0, retraces = 0;
std::time_t now = 0;

class OpenGLPacingWaitsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::start_headless_allegro();
    back_ = testing_support::make_filled_bitmap(640, 480, 0);
    front_ = testing_support::make_filled_bitmap(640, 480, 0);
    zephyrun::pacing_clock = [] { return now; };
    zephyrun::gl_clear_wait = [] { clears++; };
    zephyrun::retrace_wait = [] { retraces++; };
    using namespace zephyrun;
    tempo1 = fps = fps1 = fps3 = misuratore = rallentatore = frame = 0;
  }
  void TearDown() override {
    zephyrun::pacing_clock = real_clock_;
    zephyrun::gl_clear_wait = real_clear_;
    zephyrun::retrace_wait = real_retrace_;
  }

  // Passes at the clock reading `at`; returns the clears they waited.
  int passes(int count, std::time_t at, int rate = 30, int mode = 1, int reset = 0) {
    now = at;
    clears = retraces = 0;
    for (int i = 0; i < count; i++)
      zephyrun::doppiobuffering(rate, back_.get(), front_.get(), 1, reset, mode);
    return clears;
  }

 private:
  decltype(zephyrun::pacing_clock) real_clock_ = zephyrun::pacing_clock;
  decltype(zephyrun::gl_clear_wait) real_clear_ = zephyrun::gl_clear_wait;
  decltype(zephyrun::retrace_wait) real_retrace_ = zephyrun::retrace_wait;
  BitmapPtr back_, front_;
};

TEST_F(OpenGLPacingWaitsTest, ClearsWaitCountTimesLastStrayCountTimesStrayWindows) {
  EXPECT_EQ(passes(130, 100), 0);  // first window: not calibrated yet

  // 130 passes close the window: (130 / 30) / 2 = 2 waits, +1 for running fast.
  EXPECT_EQ(passes(1, 102), 390);
  EXPECT_EQ(zephyrun::rallentatore, 3);
  EXPECT_EQ(zephyrun::fps3, 130);
  EXPECT_EQ(zephyrun::misuratore, 1);
  EXPECT_EQ(passes(9, 102), 9 * 390);  // every pass of the window waits as long

  // 10 passes: slow, so one wait fewer; a second stray window doubles the factor.
  EXPECT_EQ(passes(1, 104), 2 * 10 * 2);
  EXPECT_EQ(passes(1, 104, 30, 1, 1), 0) << "a reset forgets the stray windows";
}

TEST_F(OpenGLPacingWaitsTest, NoClearsWhileNoWindowHasStrayed) {
  passes(3, 100, 1);  // 3 passes at rate 1: inside the band, (3 / 1) / 2 = 1 wait
  EXPECT_EQ(passes(1, 102, 1), 0);
  ASSERT_EQ(zephyrun::rallentatore, 1);
  ASSERT_EQ(zephyrun::misuratore, 0);
  passes(1, 102, 1, 0);
  EXPECT_EQ(retraces, 1) << "the same state waits one retrace in mode 0";
}

TEST_F(OpenGLPacingWaitsTest, NegativeWaitCountClearsNothing) {
  passes(10, 100);  // 10 passes: (10 / 30) / 2 = 0, -1 for running slow
  EXPECT_EQ(passes(5, 102), 0);
  EXPECT_EQ(zephyrun::rallentatore, -1);
  EXPECT_EQ(zephyrun::misuratore, 1);
}

}  // namespace
