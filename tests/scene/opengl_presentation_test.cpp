// The OpenGL presentation under a real X server (Xvfb with Mesa's software
// OpenGL): what renderGL flipped to the window is read back from the X server.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_process.h"
#include "test_support.h"
#include "zephyrun.h"

namespace {

using namespace testing_support;

constexpr int window_width = 640;
constexpr int window_height = 480;
struct Rgb {
  int r, g, b;
};
constexpr Rgb red{255, 0, 0};
constexpr Rgb green{0, 255, 0};
constexpr Rgb blue{0, 0, 255};
constexpr Rgb yellow{255, 255, 0};
constexpr Rgb white{255, 255, 255};
constexpr Rgb black{0, 0, 0};
struct Point {
  int x, y;
  Rgb colour;
};

// Red, green / blue, yellow quadrants under a white band across the top
// thirtieth: which way up and which way round it lands shows at a glance.
BitmapPtr make_known_picture(int depth, int w = window_width, int h = window_height) {
  BitmapPtr picture(create_bitmap_ex(depth, w, h));
  const auto fill = [&](int x1, int y1, int x2, int y2, Rgb c) {
    rectfill(picture.get(), x1, y1, x2, y2, makecol_depth(depth, c.r, c.g, c.b));
  };
  fill(0, 0, w / 2 - 1, h / 2 - 1, red);
  fill(w / 2, 0, w - 1, h / 2 - 1, green);
  fill(0, h / 2, w / 2 - 1, h - 1, blue);
  fill(w / 2, h / 2, w - 1, h - 1, yellow);
  fill(0, 0, w - 1, h / 30 - 1, white);
  return picture;
}

// What the window (named after the program) shows after the flip. Filtering
// may soften a channel a little; a wrong region is off by ~255.
void expect_shown(const std::vector<Point> &points) {
  std::string ppm;
  run_command(
      "xwd -silent -id $(xdotool search --onlyvisible --name opengl_presentation"
      " | head -1) | convert xwd:- -depth 8 ppm:-",
      &ppm);
  const Screenshot shot = parse_ppm(ppm);
  ASSERT_EQ(shot.width, window_width) << "the OpenGL window is not on the X screen";
  for (const Point &p : points)
    EXPECT_TRUE(near_colour(shot.at(p.x, p.y), p.colour.r, p.colour.g, p.colour.b, 16))
        << "at (" << p.x << ", " << p.y << ")";
}

// One test, so one process opens one OpenGL window: Allegro starts once per process.
TEST(OpenGLPresentation, FramesShowAsAskedAndPacingWaitsClearColourAndDepth) {
  ASSERT_EQ(allegro_init(), 0) << "needs a reachable X display (Xvfb): " << allegro_error;
  // A game loads its 15-bit pictures before it switches to OpenGL: they must
  // keep their colours, and magic pink must stay the colour masked drawing skips.
  BitmapPtr made_before_the_mode = make_known_picture(15);
  set_color_depth(32);
  ASSERT_EQ(zephyrun::gfxGL(window_width, window_height, 0, 32), 0)
      << "no OpenGL window: " << allegro_error;
  EXPECT_EQ(makecol_depth(15, 255, 0, 255), MASK_COLOR_15);
  EXPECT_EQ(makecol_depth(16, 255, 0, 255), MASK_COLOR_16);
  const std::vector<Point> upright = {
      {320, 8, white}, {4, 24, red}, {635, 24, green}, {4, 475, blue}, {635, 475, yellow}};
  // A frame of another size than the window fills it all the same: scaled, not
  // left in a corner or cut to the window's size.
  // clang-format off
  const struct {
    const char *what;
    int w, h;
    float dz, anglex, anglez;
    std::vector<Point> shown;
  } cases[] = {
      {"fills the window upright", 640, 480, 0, 0, 0, upright},
      {"dz -1: twice as far, half size at 160..479 x 120..359", 640, 480, -1, 0, 0,
       {{155, 240, black}, {484, 240, black},
        {320, 123, white}, {165, 135, red}, {474, 354, yellow}}},
      {"anglex 180: upside down, the white band at the bottom", 640, 480, 0, 180, 0,
       {{4, 475, white}, {160, 140, blue}, {480, 360, green}}},
      {"anglez 90: a quarter anticlockwise, the white band on the left", 640, 480, 0, 0, 90,
       {{5, 240, white}, {160, 120, green}, {480, 360, blue}}},
      {"a smaller frame", 320, 240, 0, 0, 0, upright},
      {"a larger frame", 1280, 960, 0, 0, 0, upright},
      {"a narrower frame", 200, 480, 0, 0, 0, upright},
  };
  // clang-format on
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    BitmapPtr other_size = make_known_picture(15, c.w, c.h);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    zephyrun::renderGL(window_width, window_height, 0, 0, c.dz, c.anglex, 0, c.anglez,
                       c.w == window_width ? made_before_the_mode.get() : other_size.get());
    expect_shown(c.shown);
  }

  // renderGL never clears the depth buffer: pacing's waiting clear must, or
  // the next frame's quad fails the depth test.
  glClearColor(1, 0, 0, 1);
  glClearDepth(0.5);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glClearColor(0, 0, 1, 1);
  glClearDepth(1.0);
  zephyrun::gl_clear_wait();
  unsigned char rgba[4] = {};
  float depth = 0;
  glReadPixels(320, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glReadPixels(320, 240, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_TRUE(rgba[0] == 0 && rgba[1] == 0 && rgba[2] == 255) << "colour buffer not cleared";
  EXPECT_FLOAT_EQ(depth, 1.0f) << "depth buffer not cleared";
}

}  // namespace
