// The OpenGL presentation under a real X server (Xvfb with Mesa's software
// OpenGL): frames are read back from the window with glReadPixels.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "test_support.h"
#include "zephyrun.h"

// After gtest and Allegro: Xlib's macros (None, Bool, Status) clash with both.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using testing_support::BitmapPtr;

constexpr int kWidth = 640, kHeight = 480;

struct Rgb {
  int r, g, b;
};
constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0},
    kWhite{255, 255, 255}, kBlack{0, 0, 0};

bool opengl_window_open = false;

// One OpenGL window for the whole process: Allegro starts once and AllegroGL
// sets its mode once.
class OpenGLWindow : public ::testing::Environment {
 public:
  void SetUp() override {
    const char *display = std::getenv("DISPLAY");
    ASSERT_TRUE(display && *display) << "needs an X display: set DISPLAY (run under Xvfb)";
    ASSERT_EQ(allegro_init(), 0) << "no X display reachable at " << display << ": " << allegro_error;
    set_color_depth(32);
    ASSERT_EQ(zephyrun::gfxGL(kWidth, kHeight, 0, 32), 0) << allegro_error;
    opengl_window_open = true;
  }
};
[[maybe_unused]] const auto *const window = ::testing::AddGlobalTestEnvironment(new OpenGLWindow);

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

// What the window shows, captured from the X server after a flip.
class Shown {
 public:
  Shown() : rgb_(kWidth * kHeight) {
    static Display *x = XOpenDisplay(nullptr);
    XSync(x, 0);
    int left = 0, top = 0;
    if (!find_window(x, &left, &top)) return;
    XImage *image = XGetImage(x, DefaultRootWindow(x), left, top, kWidth, kHeight, AllPlanes, ZPixmap);
    if (!image) return;
    found_ = true;
    for (int y = 0; y < kHeight; y++)
      for (int x = 0; x < kWidth; x++) {
        unsigned long p = XGetPixel(image, x, y);
        rgb_[y * kWidth + x] = {int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)};
      }
    XDestroyImage(image);
  }
  bool found() const { return found_; }
  Rgb colour(int x, int y) const { return rgb_[y * kWidth + x]; }

 private:
  // The topmost viewable window of our size: the OpenGL window (there is no
  // window manager under the test server to frame it).
  static bool find_window(Display *x, int *left, int *top) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count)) return false;
    bool found = false;
    for (unsigned i = count; i-- > 0 && !found;) {
      XWindowAttributes a;
      if (XGetWindowAttributes(x, children[i], &a) && a.map_state == IsViewable &&
          a.width == kWidth && a.height == kHeight) {
        *left = a.x;
        *top = a.y;
        found = true;
      }
    }
    XFree(children);
    return found;
  }

  std::vector<Rgb> rgb_;
  bool found_ = false;
};

// The back buffer that pacing clears, colour and depth, read back top row first.
class BackBuffer {
 public:
  BackBuffer() : rgba_(kWidth * kHeight * 4), depth_(kWidth * kHeight) {
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba_.data());
    glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_COMPONENT, GL_FLOAT, depth_.data());
  }
  bool found() const { return true; }
  Rgb colour(int x, int y) const {
    const unsigned char *p = &rgba_[((kHeight - 1 - y) * kWidth + x) * 4];
    return {p[0], p[1], p[2]};
  }
  float depth(int x, int y) const { return depth_[(kHeight - 1 - y) * kWidth + x]; }

 private:
  std::vector<unsigned char> rgba_;
  std::vector<float> depth_;
};

struct Expected {
  int x, y;
  Rgb colour;
};

// Filtering may soften a channel a little; a wrong region is off by ~255.
template <typename Picture>
void expect_colours(const Picture &shown, std::initializer_list<Expected> points) {
  ASSERT_TRUE(shown.found()) << "the OpenGL window is not on the X screen";
  for (const Expected &p : points) {
    Rgb c = shown.colour(p.x, p.y);
    EXPECT_TRUE(std::abs(c.r - p.colour.r) <= 16 && std::abs(c.g - p.colour.g) <= 16 &&
                std::abs(c.b - p.colour.b) <= 16)
        << "at (" << p.x << ", " << p.y << ") shown " << c.r << "," << c.g << "," << c.b
        << ", expected " << p.colour.r << "," << p.colour.g << "," << p.colour.b;
  }
}

void expect_known_picture_filling_the_window(const Shown &shown) {
  expect_colours(shown, {{4, 4, kWhite}, {320, 8, kWhite}, {635, 4, kWhite},
                         {4, 24, kRed}, {160, 140, kRed}, {635, 24, kGreen}, {480, 140, kGreen},
                         {4, 475, kBlue}, {160, 360, kBlue}, {635, 475, kYellow},
                         {480, 360, kYellow}});
}

class OpenGLPresentationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(opengl_window_open) << "no OpenGL window (see above)"; }

  // A frame as a caller shows it: on fresh colour and depth buffers, since
  // renderGL leaves clearing to the caller.
  static void present(BITMAP *pic, float dz = 0, float anglez = 0, int w = kWidth,
                      int h = kHeight) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    zephyrun::renderGL(w, h, 0, 0, dz, 0, 0, anglez, pic);
  }
};

TEST_F(OpenGLPresentationTest, KnownPictureFillsTheWindowUpright) {
  BitmapPtr pic = make_known_picture(kWidth, kHeight);
  present(pic.get());
  expect_known_picture_filling_the_window(Shown());
}

TEST_F(OpenGLPresentationTest, PullingItBackShrinksItTowardsTheCentre) {
  BitmapPtr pic = make_known_picture(kWidth, kHeight);
  present(pic.get(), -1.0f);  // twice as far: half size, 160..479 x 120..359
  expect_colours(Shown(),
                 {{155, 240, kBlack}, {484, 240, kBlack}, {320, 115, kBlack}, {320, 364, kBlack},
                  {4, 4, kBlack}, {635, 475, kBlack},
                  {320, 123, kWhite}, {165, 135, kRed}, {474, 135, kGreen}, {165, 354, kBlue},
                  {474, 354, kYellow}});
}

TEST_F(OpenGLPresentationTest, AngleZNinetyTurnsItAQuarterAnticlockwise) {
  BitmapPtr pic = make_known_picture(kWidth, kHeight);
  present(pic.get(), 0, 90);  // the white top band becomes the left edge
  expect_colours(Shown(),
                 {{5, 4, kWhite}, {5, 240, kWhite}, {5, 475, kWhite}, {160, 120, kGreen},
                  {635, 4, kYellow}, {480, 120, kYellow}, {160, 360, kRed},
                  {635, 475, kBlue}, {480, 360, kBlue}});
}

TEST_F(OpenGLPresentationTest, SourceOfAnotherSizeIsScaledNotCropped) {
  for (int scale : {1, 4}) {
    SCOPED_TRACE(scale == 1 ? "quarter-size source" : "double-size source");
    BitmapPtr pic = make_known_picture(kWidth * scale / 2, kHeight * scale / 2);
    present(pic.get());
    expect_known_picture_filling_the_window(Shown());
  }
}

TEST_F(OpenGLPresentationTest, FrameDrawnAtTheGamesDepthKeepsItsColours) {
  BitmapPtr pic = make_known_picture(kWidth, kHeight, 15);
  present(pic.get());
  expect_known_picture_filling_the_window(Shown());
}

TEST_F(OpenGLPresentationTest, ScratchKeepsTheFirstCallsSize) {
  BitmapPtr pic = make_known_picture(kWidth, kHeight);
  present(pic.get());  // the first call of this process, whatever ran before
  present(pic.get(), 0, 0, kWidth / 2, kHeight / 2);
  ASSERT_NE(zephyrun::GLbmp2, nullptr);
  EXPECT_EQ(zephyrun::GLbmp2->w, kWidth);
  EXPECT_EQ(zephyrun::GLbmp2->h, kHeight);
  EXPECT_EQ(zephyrun::GLw, kWidth / 2);
  EXPECT_EQ(zephyrun::GLh, kHeight / 2);
  // The whole picture now sits in the scratch's top-left quarter.
  expect_colours(Shown(), {{160, 3, kWhite}, {80, 70, kRed}, {240, 70, kGreen},
                                      {80, 180, kBlue}, {240, 180, kYellow}});
}

// Pacing in mode 1 waits by clearing the OpenGL buffers; watched here through
// the real buffers, with the clock frozen so no measuring window closes.
class OpenGLPacingTest : public OpenGLPresentationTest {
 protected:
  static std::time_t frozen_clock() { return 1000; }

  // Paints the back buffer red at depth 0.5 and readies blue at depth 1 as
  // what a clear leaves, then paces one pass with the given wait state.
  static BackBuffer pace_one_pass(int rallentatore, int fps3, int misuratore) {
    glClearColor(1, 0, 0, 1);
    glClearDepth(0.5);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 1, 1);
    glClearDepth(1.0);

    auto real_clock = zephyrun::pacing_clock;
    zephyrun::pacing_clock = frozen_clock;
    zephyrun::tempo1 = 1000;
    zephyrun::fps = 0;
    zephyrun::rallentatore = rallentatore;
    zephyrun::fps3 = fps3;
    zephyrun::misuratore = misuratore;
    BitmapPtr back(create_bitmap(kWidth, kHeight)), front(create_bitmap(kWidth, kHeight));
    zephyrun::doppiobuffering(30, back.get(), front.get(), 0, 0, 1);
    zephyrun::pacing_clock = real_clock;
    return BackBuffer();
  }
};

TEST_F(OpenGLPacingTest, ModeOneWaitsClearColourAndDepthBuffers) {
  BackBuffer after = pace_one_pass(1, 2, 1);
  expect_colours(after, {{0, 0, kBlue}, {320, 240, kBlue}, {639, 479, kBlue}});
  EXPECT_FLOAT_EQ(after.depth(320, 240), 1.0f);
}

TEST_F(OpenGLPacingTest, ModeOneLeavesTheBuffersAloneWhileMisuratoreIsZero) {
  BackBuffer after = pace_one_pass(1, 2, 0);
  expect_colours(after, {{0, 0, kRed}, {320, 240, kRed}, {639, 479, kRed}});
  EXPECT_NEAR(after.depth(320, 240), 0.5f, 1e-4);
}

}  // namespace
