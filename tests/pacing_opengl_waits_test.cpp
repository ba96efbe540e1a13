// Frame pacing in its OpenGL mode (mode 1) waits with buffer clears,
// rallentatore x fps3 x misuratore of them a pass: counted through the clear
// seam, on a clock that stands still so no measuring window closes mid-case.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zephyrun.h"

namespace {

int clears = 0;

TEST(OpenGLPacingWaits, ClearsWaitCountTimesStrayCountTimesStrayWindowsAPass) {
  using namespace zephyrun;
  testing_support::start_headless_allegro();
  testing_support::BitmapPtr back = testing_support::make_filled_bitmap(64, 48, 0);
  pacing_clock = [] { return std::time_t{1000}; };
  gl_clear_wait = [] { clears++; };
  const struct { int rallentatore, fps3, misuratore, clears; } cases[] = {
      {3, 130, 1, 390}, {2, 10, 2, 40}, {4, 7, 3, 84},
      {1, 30, 0, 0},  // no window has strayed yet: no clears at all
      {5, 0, 0, 0},   {-1, 10, 1, 0}, {0, 130, 2, 0}};
  for (const auto &c : cases) {
    tempo1 = 1000;  // the window opened this second
    fps = 0;
    rallentatore = c.rallentatore;
    fps3 = c.fps3;
    misuratore = c.misuratore;
    clears = 0;
    doppiobuffering(30, back.get(), back.get(), 0, 0, 1);
    EXPECT_EQ(clears, c.clears) << "rallentatore " << c.rallentatore << ", fps3 " << c.fps3
                                << ", misuratore " << c.misuratore;
  }
}

}  // namespace
