// Under the display-less system driver on a machine without X, AllegroGL would
// crash (it uses the X connection unchecked): gfxGL must refuse with a reason.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "test_support.h"
#include "zephyrun.h"

TEST(OpenGLPresentation, RefusedUnderTheDisplayLessDriver) {
  unsetenv("DISPLAY");
  testing_support::start_headless_allegro(15);
  EXPECT_EQ(zephyrun::gfxGL(640, 480, 0, 32), -1);
  EXPECT_STRNE(allegro_error, "");
}
