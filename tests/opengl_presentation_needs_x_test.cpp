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

using testing_support::BitmapPtr;

constexpr int kW = 640, kH = 480;
struct Rgb { int r, g, b; };
constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0},
    kWhite{255, 255, 255}, kBlack{0, 0, 0};
struct Point { int x, y; Rgb colour; };

// Red, green / blue, yellow quadrants under a white band across the top
// thirtieth: which way up and which way round it lands shows at a glance.
BitmapPtr make_known_picture(int w, int h, int depth = 32) {
  BitmapPtr pic(create_bitmap_ex(depth, w, h));
  auto fill = [&](int x1, int y1, int x2, int y2, Rgb c) {
    rectfill(pic.get(), x1, y1, x2, y2, makecol_depth(depth, c.r, c.g, c.b));
  };
  fill(0, 0, w / 2 - 1, h / 2 - 1, kRed);
  fill(w / 2, 0, w - 1, h / 2 - 1, kGreen);
  fill(0, h / 2, w / 2 - 1, h - 1, kBlue);
  fill(w / 2, h / 2, w - 1, h - 1, kYellow);
  fill(0, 0, w - 1, h / 30 - 1, kWhite);
  return pic;
}

// What the window (named after the program) shows after the flip. Filtering
// may soften a channel a little; a wrong region is off by ~255.
void expect_shown(const std::vector<Point> &points) {
  std::string ppm;
  testing_support::run_command(
      "xwd -silent -id $(xdotool search --onlyvisible --name opengl_presentation | head -1)"
      " | convert xwd:- -depth 8 ppm:-", &ppm);
  testing_support::Screenshot shot = testing_support::parse_ppm(ppm);
  ASSERT_EQ(shot.width, kW) << "the OpenGL window is not on the X screen";
  for (const Point &p : points) {
    const unsigned char *c = shot.at(p.x, p.y);
    EXPECT_TRUE(std::abs(c[0] - p.colour.r) <= 16 && std::abs(c[1] - p.colour.g) <= 16 &&
                std::abs(c[2] - p.colour.b) <= 16)
        << "at (" << p.x << ", " << p.y << ") shown " << +c[0] << "," << +c[1] << "," << +c[2]
        << ", expected " << p.colour.r << "," << p.colour.g << "," << p.colour.b;
  }
}

class OpenGLPresentation : public ::testing::Test {
 protected:
  // One OpenGL window for the whole process: Allegro starts once per process.
  static void SetUpTestSuite() {
    if (window_open) return;
    ASSERT_EQ(allegro_init(), 0) << "needs a reachable X display (Xvfb): " << allegro_error;
    made_before_the_mode = make_known_picture(kW, kH, 15);
    set_color_depth(32);
    window_open = zephyrun::gfxGL(kW, kH, 0, 32) == 0;
  }
  static void TearDownTestSuite() { made_before_the_mode.reset(); }
  void SetUp() override { ASSERT_TRUE(window_open) << "no OpenGL window: " << allegro_error; }

  // On fresh colour and depth buffers, since renderGL leaves clearing to the caller.
  static void present(BITMAP *pic, float dz = 0, float anglez = 0, int w = kW, int h = kH) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    zephyrun::renderGL(w, h, 0, 0, dz, 0, 0, anglez, pic);
  }
  static inline bool window_open = false;
  static inline BitmapPtr made_before_the_mode;  // a 15-bit picture from before gfxGL
};

TEST_F(OpenGLPresentation, FrameShowsUprightFillingScaledShrunkOrTurnedAsAsked) {
  const std::vector<Point> filling = {
      {4, 4, kWhite},    {320, 8, kWhite},    {635, 4, kWhite},    {4, 24, kRed},
      {160, 140, kRed},  {635, 24, kGreen},   {480, 140, kGreen},  {4, 475, kBlue},
      {160, 360, kBlue}, {635, 475, kYellow}, {480, 360, kYellow}};
  const struct { const char *what; int w, h, depth; float dz, anglez; std::vector<Point> shown; }
  cases[] = {
      {"known picture fills the window upright", kW, kH, 32, 0, 0, filling},
      {"a frame drawn at the game's 15 bits keeps its colours", kW, kH, 15, 0, 0, filling},
      {"a quarter-size source is scaled up", kW / 2, kH / 2, 32, 0, 0, filling},
      {"a double-size source is scaled down, not cropped", kW * 2, kH * 2, 32, 0, 0, filling},
      {"dz -1: twice as far, half size at 160..479 x 120..359", kW, kH, 32, -1, 0,
       {{155, 240, kBlack}, {484, 240, kBlack}, {320, 115, kBlack}, {320, 364, kBlack},
        {320, 123, kWhite}, {165, 135, kRed}, {474, 135, kGreen}, {165, 354, kBlue},
        {474, 354, kYellow}}},
      {"anglez 90: a quarter anticlockwise, the white band on the left", kW, kH, 32, 0, 90,
       {{5, 4, kWhite}, {5, 475, kWhite}, {160, 120, kGreen}, {635, 4, kYellow},
        {480, 120, kYellow}, {160, 360, kRed}, {635, 475, kBlue}, {480, 360, kBlue}}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    BitmapPtr pic = make_known_picture(c.w, c.h, c.depth);
    present(pic.get(), c.dz, c.anglez);
    expect_shown(c.shown);
  }
}

// A game loads its 15-bit pictures before it switches to OpenGL: they must keep
// their colours, and magic pink must stay the colour masked drawing skips.
TEST_F(OpenGLPresentation, PicturesMadeBeforeTheModeKeepTheirColoursAndMask) {
  present(made_before_the_mode.get());
  expect_shown({{4, 4, kWhite}, {160, 140, kRed}, {480, 140, kGreen}, {160, 360, kBlue},
                {480, 360, kYellow}});
  EXPECT_EQ(makecol_depth(15, 255, 0, 255), MASK_COLOR_15);
  EXPECT_EQ(makecol_depth(16, 255, 0, 255), MASK_COLOR_16);
}

TEST_F(OpenGLPresentation, ScratchKeepsTheFirstCallsSize) {
  BitmapPtr pic = make_known_picture(kW, kH);
  present(pic.get());  // the first call of this process, whatever ran before
  present(pic.get(), 0, 0, kW / 2, kH / 2);
  ASSERT_NE(zephyrun::GLbmp2, nullptr);
  EXPECT_EQ(zephyrun::GLbmp2->w, kW);
  EXPECT_EQ(zephyrun::GLbmp2->h, kH);
  // The whole picture now sits in the scratch's top-left quarter.
  expect_shown({{160, 3, kWhite}, {80, 70, kRed}, {240, 70, kGreen}, {80, 180, kBlue},
                {240, 180, kYellow}});
}

// renderGL never clears the depth buffer: pacing's waiting clear must, or the
// next frame's quad fails the depth test.
TEST_F(OpenGLPresentation, PacingWaitClearsColourAndDepth) {
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
