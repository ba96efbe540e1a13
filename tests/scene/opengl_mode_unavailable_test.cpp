// Where no OpenGL mode can be had, gfxGL says so, renderGL draws nothing and
// earlier 15-bit frames keep their colours. Each case runs in a process of its
// own (Allegro starts once per process).
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

// Exits 0 when gfxGL is refused with a reason and neither renderGL nor the
// refusal touched a 15-bit frame made before; otherwise says what went wrong.
void exit_zero_if_refused_leaving_a_frame_made_before() {
  set_color_depth(15);
  BitmapPtr frame = make_pattern_bitmap(64, 48);
  BitmapPtr before(create_bitmap_ex(24, 64, 48));
  blit(frame.get(), before.get(), 0, 0, 0, 0, 64, 48);
  const char *fault = nullptr;
  if (zephyrun::gfxGL(640, 480, 0, 32) != -1 || !allegro_error[0]) fault = "gfxGL claimed a mode";
  zephyrun::renderGL(640, 480, 0, 0, 0, 0, 0, 0, frame.get());
  if (zephyrun::GLcr_bmp != 0 || zephyrun::GLbmp2) fault = "renderGL went on without a mode";
  if (!first_difference(before.get(), frame.get()).empty()) fault = "the frame changed";
  if (makecol_depth(15, 255, 0, 255) != MASK_COLOR_15) fault = "15-bit layout changed";
  if (makecol_depth(16, 255, 0, 255) != MASK_COLOR_16) fault = "16-bit layout changed";
  if (fault) std::fprintf(stderr, "%s (allegro_error: %s)\n", fault, allegro_error);
  std::exit(fault ? 1 : 0);
}

// Under the display-less driver, and on an X server of its own without GLX,
// where AllegroGL installs but its mode cannot be set: the pixel layouts it
// would have set for 15 and 16 bits must be put back.
TEST(OpenGLModeUnavailable, RefusedWithoutGlxLeavingEarlierFramesAsTheyWere) {
  if (std::getenv("ZEPHYRUN_WITHOUT_GLX_CASE")) {
    ASSERT_EQ(allegro_init(), 0) << allegro_error;
    exit_zero_if_refused_leaving_a_frame_made_before();
  }
  auto headless_driver = [] {
    start_headless_allegro(15);
    exit_zero_if_refused_leaving_a_frame_made_before();
  };
  EXPECT_EXIT(headless_driver(), ::testing::ExitedWithCode(0), "") << "display-less driver";
  const std::string self = "env ZEPHYRUN_WITHOUT_GLX_CASE=1 /proc/" + std::to_string(getpid()) +
                           "/exe --gtest_filter='*WithoutGlx*'";
  EXPECT_TRUE(run_under_own_x_server(self, "-extension GLX"));
}

}  // namespace
