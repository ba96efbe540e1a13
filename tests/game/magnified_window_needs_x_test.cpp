// The magnified window as the X server shows it, at scales 1 to 4, through the
// one pass into the window's pixels and through the old path it falls back to:
// every pixel of the 640x480 frame an exact N x N block in the very colour the
// window shows for it after a plain copy at scale 1, drawn and after an Expose.
// Runs under an X server of its own with room for 2560x1920 (tests/CMakeLists.txt).
#include <allegro.h>
#include <gtest/gtest.h>
#include <xalleg.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

// The window's top-left w x h as 0xRRGGBB, read through the library's own connection.
std::vector<int> shown(int w, int h) {
  std::vector<int> rgb;
  XLOCK();
  XSync(_xwin.display, False);
  XImage *image = XGetImage(_xwin.display, _xwin.window, 0, 0, w, h, AllPlanes, ZPixmap);
  for (int y = 0; image && y < h; y++)
    for (int x = 0; x < w; x++) {
      const unsigned long pixel = XGetPixel(image, x, y);
      int colour = 0;
      for (unsigned long mask : {image->red_mask, image->green_mask, image->blue_mask})
        colour = colour << 8 | static_cast<int>((pixel & mask) >> __builtin_ctzl(mask));
      rgb.push_back(colour);
    }
  if (image) XDestroyImage(image);
  XUNLOCK();
  return rgb;
}

// Empty when every pixel of the window shows its frame pixel's colour in `plain`.
std::string first_stray_pixel(const std::vector<int> &window, const std::vector<int> &plain,
                              int scale) {
  if (window.size() != plain.size() * scale * scale) return "no picture of the window";
  const int w = 640 * scale;
  for (size_t i = 0; i < window.size(); i++) {
    const int x = static_cast<int>(i % w), y = static_cast<int>(i / w);
    if (window[i] != plain[(y / scale) * 640 + x / scale])
      return "(" + std::to_string(x) + ", " + std::to_string(y) + ") strays";
  }
  return "";
}

// Blanks the window and has the library answer the Expose; waits for the picture.
std::string after_expose(const std::vector<int> &plain, int scale) {
  XLOCK();
  XClearArea(_xwin.display, _xwin.window, 0, 0, 0, 0, True);
  XUNLOCK();
  std::string stray;
  for (int tries = 0; tries < 50; tries++, rest(100))
    if ((stray = first_stray_pixel(shown(640 * scale, 480 * scale), plain, scale)).empty()) break;
  return stray;
}

TEST(MagnifiedWindow, EachFramePixelShowsAsOneExactBlockInItsPlainColourOnBothPaths) {
  ASSERT_EQ(allegro_init(), 0) << "needs a reachable X display (Xvfb): " << allegro_error;
  BitmapPtr frame;
  std::vector<int> plain;  // the window after a plain copy at scale 1: the colours to keep
  for (int scale = 1; scale <= 4; scale++) {
    zephyrun::window_scale = scale;
    ASSERT_EQ(zephyrun::open_window("test", "test"), 0) << allegro_error;
    if (scale == 1) {  // the driver sets the 15-bit layout with the mode
      frame = make_pattern_bitmap(640, 480);
      blit(frame.get(), screen, 0, 0, 0, 0, 640, 480);
      plain = shown(640, 480);
      ASSERT_EQ(plain.size(), 640u * 480u);
      for (int i = 0; i < 640 * 480; i++) {
        const int pixel = getpixel(frame.get(), i % 640, i / 640);
        const unsigned char colour[] = {static_cast<unsigned char>(plain[i] >> 16),
                                        static_cast<unsigned char>(plain[i] >> 8),
                                        static_cast<unsigned char>(plain[i])};
        ASSERT_TRUE(near_colour(colour, getr15(pixel), getg15(pixel), getb15(pixel), 2)) << i;
      }
    }
    for (const bool one_pass : {true, false}) {
      clear_bitmap(screen);
      shown(1, 1);  // the black is on the window before the path writes its pixels
      if (one_pass)
        ASSERT_TRUE(zephyrun::magnify_into_window(frame.get(), scale, 0, 0)) << "24-bit visual";
      else
        zephyrun::magnify(frame.get(), screen, scale, 0, 0);
      const char *path = one_pass ? "one pass" : "fallback";
      EXPECT_EQ(first_stray_pixel(shown(640 * scale, 480 * scale), plain, scale), "")
          << path << " at scale " << scale;
      EXPECT_EQ(after_expose(plain, scale), "") << path << " at scale " << scale << ", exposed";
    }
  }
}

}  // namespace
