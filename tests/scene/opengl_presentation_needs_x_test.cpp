// The OpenGL presentation under a real X server (Xvfb with Mesa's software
// OpenGL): what renderGL flipped to the window is read back from the X server.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "game_process.h"
#include "test_support.h"
#include "zephyrun.h"

namespace {

using namespace testing_support;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
struct Rgb {
  int r, g, b;
};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
struct Point {
  int x, y;
  Rgb colour;
};

// Red, green / blue, yellow quadrants under a white band across the top
// thirtieth: which way up and which way round it lands shows at a glance.
BitmapPtr make_known_picture(int w, int h, int depth = 32) {
  BitmapPtr picture(create_bitmap_ex(depth, w, h));
  const auto fill = [&](int x1, int y1, int x2, int y2, Rgb c) {
    rectfill(picture.get(), x1, y1, x2, y2, makecol_depth(depth, c.r, c.g, c.b));
  };
  fill(0, 0, w / 2 - 1, h / 2 - 1, kRed);
  fill(w / 2, 0, w - 1, h / 2 - 1, kGreen);
  fill(0, h / 2, w / 2 - 1, h - 1, kBlue);
  fill(w / 2, h / 2, w - 1, h - 1, kYellow);
  fill(0, 0, w - 1, h / 30 - 1, kWhite);
  return picture;
}

// What the window (named after the program) shows after the flip. Filtering
// may soften a channel a little; a wrong region is off by ~255.
void expect_shown(const std::vector<Point> &points) {
  std::string ppm;
  run_command("xwd -silent -id $(xdotool search --onlyvisible --name opengl_presentation"
              " | head -1) | convert xwd:- -depth 8 ppm:-", &ppm);
  const Screenshot shot = parse_ppm(ppm);
  ASSERT_EQ(shot.width, kWidth) << "the OpenGL window is not on the X screen";
  for (const Point &p : points)
    EXPECT_TRUE(near_colour(shot.at(p.x, p.y), p.colour.r, p.colour.g, p.colour.b, 16))
        << "at (" << p.x << ", " << p.y << ") shown " << +shot.at(p.x, p.y)[0] << ","
        << +shot.at(p.x, p.y)[1] << "," << +shot.at(p.x, p.y)[2];
}

// On fresh colour and depth buffers, since renderGL leaves clearing to the caller.
void present(BITMAP *picture, float dz = 0, float anglex = 0, float anglez = 0, int w = kWidth,
             int h = kHeight) {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  zephyrun::renderGL(w, h, 0, 0, dz, anglex, 0, anglez, picture);
}

// One test, so one process opens one OpenGL window: Allegro starts once per process.
TEST(OpenGLPresentation, FramesShowAsAskedAndPacingWaitsClearColourAndDepth) {
  ASSERT_EQ(allegro_init(), 0) << "needs a reachable X display (Xvfb): " << allegro_error;
  // A game loads its 15-bit pictures before it switches to OpenGL: they must
  // keep their colours, and magic pink must stay the colour masked drawing skips.
  BitmapPtr made_before_the_mode = make_known_picture(kWidth, kHeight, 15);
  set_color_depth(32);
  ASSERT_EQ(zephyrun::gfxGL(kWidth, kHeight, 0, 32), 0) << "no OpenGL window: " << allegro_error;
  EXPECT_EQ(makecol_depth(15, 255, 0, 255), MASK_COLOR_15);
  EXPECT_EQ(makecol_depth(16, 255, 0, 255), MASK_COLOR_16);

  // The scratch keeps the first call's size: a half-size view then shows the
  // whole picture in its top-left quarter.
  BitmapPtr picture = make_known_picture(kWidth, kHeight);
  present(picture.get());
  present(picture.get(), 0, 0, 0, kWidth / 2, kHeight / 2);
  expect_shown({{160, 3, kWhite}, {80, 70, kRed}, {240, 70, kGreen}, {80, 180, kBlue},
                {240, 180, kYellow}});

  BitmapPtr quarter_size = make_known_picture(kWidth / 2, kHeight / 2);
  BitmapPtr double_size = make_known_picture(kWidth * 2, kHeight * 2);
  const std::vector<Point> filling = {
      {4, 4, kWhite},    {320, 8, kWhite},    {635, 4, kWhite},    {4, 24, kRed},
      {160, 140, kRed},  {635, 24, kGreen},   {480, 140, kGreen},  {4, 475, kBlue},
      {160, 360, kBlue}, {635, 475, kYellow}, {480, 360, kYellow}};
  const struct {
    const char *what;
    BITMAP *picture;
    float dz, anglex, anglez;
    std::vector<Point> shown;
  } cases[] = {
      {"known picture fills the window upright", picture.get(), 0, 0, 0, filling},
      {"a frame made at 15 bits before the mode", made_before_the_mode.get(), 0, 0, 0, filling},
      {"a quarter-size source is scaled up", quarter_size.get(), 0, 0, 0, filling},
      {"a double-size source is scaled down, not cropped", double_size.get(), 0, 0, 0, filling},
      {"dz -1: twice as far, half size at 160..479 x 120..359", picture.get(), -1, 0, 0,
       {{155, 240, kBlack}, {484, 240, kBlack}, {320, 115, kBlack}, {320, 364, kBlack},
        {320, 123, kWhite}, {165, 135, kRed}, {474, 135, kGreen}, {165, 354, kBlue},
        {474, 354, kYellow}}},
      {"anglex 180: upside down, the white band at the bottom", picture.get(), 0, 180, 0,
       {{4, 475, kWhite}, {160, 140, kBlue}, {480, 140, kYellow}, {160, 360, kRed},
        {480, 360, kGreen}}},
      {"anglez 90: a quarter anticlockwise, the white band on the left", picture.get(), 0, 0, 90,
       {{5, 4, kWhite}, {5, 475, kWhite}, {160, 120, kGreen}, {635, 4, kYellow},
        {480, 120, kYellow}, {160, 360, kRed}, {635, 475, kBlue}, {480, 360, kBlue}}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    present(c.picture, c.dz, c.anglex, c.anglez);
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
  glReadBuffer(GL_BACK);
  glReadPixels(320, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glReadPixels(320, 240, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  EXPECT_TRUE(rgba[0] == 0 && rgba[1] == 0 && rgba[2] == 255) << "colour buffer not cleared";
  EXPECT_FLOAT_EQ(depth, 1.0f) << "depth buffer not cleared";
}

}  // namespace
