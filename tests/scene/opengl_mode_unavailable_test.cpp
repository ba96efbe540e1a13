// Where no OpenGL mode can be had, gfxGL says so and renderGL draws nothing;
// nothing crashes. Each case runs in a process of its own (Allegro starts once
// per process): without a display, under the display-less system driver, and
// on an X server of its own that has no GLX.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game_process.h"
#include "test_support.h"
#include "zephyrun.h"

namespace {

using namespace testing_support;

// Exits 0 when gfxGL reports failure with a reason and renderGL then leaves
// its state and `source` (when given) alone; otherwise says what went wrong.
void exit_zero_if_refused_and_nothing_drawn(BITMAP *source, BITMAP *as_before) {
  const char *fault = nullptr;
  if (zephyrun::gfxGL(640, 480, 0, 32) != -1 || !allegro_error[0]) fault = "gfxGL claimed a mode";
  zephyrun::renderGL(640, 480, 0, 0, 0, 0, 0, 0, source);
  if (zephyrun::GLcr_bmp != 0 || zephyrun::GLbmp2 || zephyrun::GLw != 0)
    fault = "renderGL went on without an OpenGL mode";
  if (source && !first_difference(as_before, source).empty()) fault = "its source changed";
  if (source && makecol_depth(15, 255, 0, 255) != MASK_COLOR_15) fault = "15-bit layout changed";
  if (source && makecol_depth(16, 255, 0, 255) != MASK_COLOR_16) fault = "16-bit layout changed";
  if (fault) std::fprintf(stderr, "%s (allegro_error: %s)\n", fault, allegro_error);
  std::exit(fault ? 1 : 0);
}

// A 15-bit frame made before the mode is asked for, and a 24-bit copy.
void refuse_with_a_frame_made_before() {
  set_color_depth(15);
  BitmapPtr frame = make_pattern_bitmap(64, 48);
  BitmapPtr before(create_bitmap_ex(24, 64, 48));
  blit(frame.get(), before.get(), 0, 0, 0, 0, 64, 48);
  exit_zero_if_refused_and_nothing_drawn(frame.get(), before.get());
}

TEST(OpenGLModeUnavailable, RefusedWithoutADisplayOrTheXDriverAndNothingDrawn) {
  unsetenv("DISPLAY");
  auto no_display = [] {
    if (allegro_init() == 0) std::exit(2);  // a display after all: the case proves nothing
    exit_zero_if_refused_and_nothing_drawn(nullptr, nullptr);  // no bitmaps without a driver
  };
  auto headless_driver = [] {
    start_headless_allegro(15);
    refuse_with_a_frame_made_before();
  };
  EXPECT_EXIT(no_display(), ::testing::ExitedWithCode(0), "") << "no display reachable";
  EXPECT_EXIT(headless_driver(), ::testing::ExitedWithCode(0), "") << "display-less driver";
}

// This test runs itself again under an X server without GLX, where AllegroGL
// installs but its mode cannot be set: the pixel layouts it would have set
// for 15 and 16 bits must be put back, or every earlier frame is garbled.
TEST(OpenGLModeUnavailable, RefusedOnAnXServerWithoutGlxLeavingEarlierFramesAsTheyWere) {
  if (std::getenv("ZEPHYRUN_WITHOUT_GLX_CASE")) {
    ASSERT_EQ(allegro_init(), 0) << allegro_error;
    refuse_with_a_frame_made_before();
  }
  const std::string self = "env ZEPHYRUN_WITHOUT_GLX_CASE=1 /proc/" + std::to_string(getpid()) +
                           "/exe --gtest_filter='*OnAnXServerWithoutGlx*'";
  EXPECT_TRUE(run_under_own_x_server(self, "-extension GLX"));
}

}  // namespace
