// The magnified window as the X server shows it, at scales 1 to 4, through the
// one pass into the window's pixels and through the old path it falls back to:
// every pixel of the 640x480 frame an exact N x N block in the very colour the
// window shows for it after a plain copy, placed where asked, nothing around
// it touched, drawn and after an Expose. Runs under an X server of its own with
// room for 2560x1920 and the borders (tests/CMakeLists.txt).
#include <allegro.h>
#include <gtest/gtest.h>
#include <xalleg.h>

#include <string>
#include <vector>

#include "test_support.h"
#include "window/window.h"

using namespace testing_support;

namespace {

constexpr int left = 3, top = 5;  // where the frame goes; as much border on the other sides

// A w x h rectangle of the window at (x0, y0), as 0xRRGGBB, read through the library's connection.
std::vector<int> shown(int x0, int y0, int w, int h) {
  std::vector<int> rgb;
  XLOCK();
  XSync(_xwin.display, False);
  XImage *image = XGetImage(_xwin.display, _xwin.window, x0, y0, w, h, AllPlanes, ZPixmap);
  for (int i = 0; image && i < w * h; i++) {
    const unsigned long pixel = XGetPixel(image, i % w, i / w);
    int colour = 0;
    for (unsigned long mask : {image->red_mask, image->green_mask, image->blue_mask})
      colour = colour << 8 | static_cast<int>((pixel & mask) >> __builtin_ctzl(mask));
    rgb.push_back(colour);
  }
  if (image) XDestroyImage(image);
  XUNLOCK();
  return rgb;
}

// Empty when the whole window shows the frame's blocks in their `plain` colours
// at (left, top) and black around them; else the first pixel that strays.
std::string first_stray_pixel(const std::vector<int> &plain, int scale) {
  const int w = SCREEN_W, h = SCREEN_H;
  const std::vector<int> window = shown(0, 0, w, h);
  if (window.size() != static_cast<size_t>(w) * h) return "no picture of the window";
  for (int i = 0; i < w * h; i++) {
    const int x = i % w - left, y = i / w - top;
    const bool inside = x >= 0 && y >= 0 && x < 640 * scale && y < 480 * scale;
    if (window[i] != (inside ? plain[y / scale * 640 + x / scale] : 0))
      return "(" + std::to_string(i % w) + ", " + std::to_string(i / w) + ") strays";
  }
  return "";
}

TEST(MagnifiedWindow, EachFramePixelShowsAsOneExactBlockInItsPlainColourOnBothPaths) {
  ASSERT_EQ(allegro_init(), 0) << "needs a reachable X display (Xvfb): " << allegro_error;
  set_color_depth(15);
  BitmapPtr frame;
  std::vector<int> plain;  // the frame copied plainly at scale 1: the colours to keep
  for (int scale = 1; scale <= 4; scale++) {
    const int w = 640 * scale + 2 * left, h = 480 * scale + 2 * top;
    ASSERT_EQ(set_gfx_mode(GFX_AUTODETECT_WINDOWED, w, h, 0, 0), 0) << allegro_error;
    if (scale == 1) {  // the mode sets the 15-bit layout that makecol follows
      frame = make_pattern_bitmap(640, 480);
      blit(frame.get(), screen, 0, 0, left, top, 640, 480);
      plain = shown(left, top, 640, 480);
      ASSERT_EQ(plain.size(), 640u * 480u);
      for (int i = 0; i < 640 * 480; i++) {
        const int pixel = getpixel(frame.get(), i % 640, i / 640);
        const unsigned char rgb[] = {static_cast<unsigned char>(plain[i] >> 16),
                                     static_cast<unsigned char>(plain[i] >> 8),
                                     static_cast<unsigned char>(plain[i])};
        ASSERT_TRUE(near_colour(rgb, getr(pixel), getg(pixel), getb(pixel), 2)) << "pixel " << i;
      }
    }
    for (const bool one_pass : {true, false}) {
      const std::string path =
          std::string(one_pass ? "one pass" : "fallback") + " at scale " + std::to_string(scale);
      clear_bitmap(screen);
      shown(0, 0, 1, 1);  // the black is on the window before the path writes
      if (one_pass)
        ASSERT_TRUE(zephyrun::magnify_into_window(frame.get(), scale, left, top)) << path;
      else
        zephyrun::magnify(frame.get(), screen, scale, left, top);
      EXPECT_EQ(first_stray_pixel(plain, scale), "") << path;
      // Blanked by the server, the window is drawn again from the library's picture.
      XLOCK();
      XClearArea(_xwin.display, _xwin.window, 0, 0, 0, 0, True);
      XUNLOCK();
      std::string stray;
      for (int tries = 0; tries < 50 && !(stray = first_stray_pixel(plain, scale)).empty(); tries++)
        rest(100);
      EXPECT_EQ(stray, "") << path << ", exposed";
    }
  }
}

}  // namespace
