// Where no OpenGL mode can be had, gfxGL says so and renderGL draws nothing;
// nothing crashes. Each case runs in a process of its own (Allegro starts once
// per process) with DISPLAY unset, whatever the suite runs under.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

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
  if (source && !first_difference(as_before, source).empty()) fault = "renderGL changed its source";
  if (fault) std::fprintf(stderr, "%s (allegro_error: %s)\n", fault, allegro_error);
  std::exit(fault ? 1 : 0);
}

TEST(OpenGLModeUnavailable, RefusedWithoutADisplayOrTheXDriverAndNothingDrawn) {
  unsetenv("DISPLAY");
  auto no_display = [] {
    if (allegro_init() == 0) std::exit(2);  // a display after all: the case proves nothing
    exit_zero_if_refused_and_nothing_drawn(nullptr, nullptr);  // no bitmaps without a driver
  };
  auto headless_driver = [] {
    start_headless_allegro(32);
    BitmapPtr frame = make_pattern_bitmap(64, 48), before = make_pattern_bitmap(64, 48);
    exit_zero_if_refused_and_nothing_drawn(frame.get(), before.get());
  };
  EXPECT_EXIT(no_display(), ::testing::ExitedWithCode(0), "") << "no display reachable";
  EXPECT_EXIT(headless_driver(), ::testing::ExitedWithCode(0), "") << "display-less system driver";
}

}  // namespace
