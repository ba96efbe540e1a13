// On an X display without GLX (CTest starts one of its own for this test),
// AllegroGL installs but its mode cannot be set: gfxGL must say so, renderGL
// must draw nothing, and 15-bit frames made before must keep their colours.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

TEST(OpenGLModeUnavailable, RefusedWithoutGlxLeavingEarlierFramesAsTheyWere) {
  ASSERT_EQ(allegro_init(), 0) << allegro_error;
  set_color_depth(15);
  BitmapPtr frame = make_pattern_bitmap(64, 48);
  BitmapPtr before(create_bitmap_ex(24, 64, 48));
  blit(frame.get(), before.get(), 0, 0, 0, 0, 64, 48);
  EXPECT_EQ(zephyrun::gfxGL(640, 480, 0, 32), -1);
  EXPECT_STRNE(allegro_error, "");
  zephyrun::renderGL(640, 480, 0, 0, 0, 0, 0, 0, frame.get());
  EXPECT_TRUE(zephyrun::GLcr_bmp == 0 && !zephyrun::GLbmp2) << "renderGL went on without a mode";
  EXPECT_EQ(first_difference(before.get(), frame.get()), "");
  EXPECT_EQ(makecol_depth(15, 255, 0, 255), MASK_COLOR_15) << "15-bit layout changed";
  EXPECT_EQ(makecol_depth(16, 255, 0, 255), MASK_COLOR_16) << "16-bit layout changed";
}
