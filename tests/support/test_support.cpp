#include "test_support.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace testing_support {

void start_headless_allegro(int depth) {
  static bool started = false;
  if (!started) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    started = true;
  }
  set_color_depth(depth);
}

BitmapPtr make_filled_bitmap(int w, int h, int colour) {
  BitmapPtr bmp(create_bitmap(w, h));
  clear_to_color(bmp.get(), colour);
  return bmp;
}

BitmapPtr make_pattern_bitmap(int w, int h, int seed) {
  BitmapPtr bmp(create_bitmap(w, h));
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      int r = (x * 8 + seed * 40) & 0xF8;
      int g = (y * 8 + seed * 24) & 0xF8;
      int b = ((x + y) * 24 + seed * 8) & 0xF8;
      if (r == 0xF8 && g == 0 && b == 0xF8) g = 8;  // keep clear of the mask colour
      putpixel(bmp.get(), x, y, makecol(r, g, b));
    }
  return bmp;
}

std::string colour_at(BITMAP *bmp, int x, int y) {
  int p = getpixel(bmp, x, y);
  int depth = bitmap_color_depth(bmp);
  char text[64];
  std::snprintf(text, sizeof text, "%d,%d,%d", getr_depth(depth, p), getg_depth(depth, p),
                getb_depth(depth, p));
  return text;
}

static bool same_colour(BITMAP *one, BITMAP *other, int x, int y) {
  int d1 = bitmap_color_depth(one), d2 = bitmap_color_depth(other);
  int p1 = getpixel(one, x, y), p2 = getpixel(other, x, y);
  if (d1 == d2) return p1 == p2;  // same depth in one process: same layout
  return getr_depth(d1, p1) == getr_depth(d2, p2) && getg_depth(d1, p1) == getg_depth(d2, p2) &&
         getb_depth(d1, p1) == getb_depth(d2, p2);
}

std::string first_difference(BITMAP *expected, BITMAP *actual) {
  char text[160];
  if (expected->w != actual->w || expected->h != actual->h) {
    std::snprintf(text, sizeof text, "size %dx%d, expected %dx%d", actual->w, actual->h,
                  expected->w, expected->h);
    return text;
  }
  for (int y = 0; y < expected->h; y++)
    for (int x = 0; x < expected->w; x++)
      if (!same_colour(expected, actual, x, y)) {
        std::snprintf(text, sizeof text, "pixel (%d, %d) is %s, expected %s", x, y,
                      colour_at(actual, x, y).c_str(), colour_at(expected, x, y).c_str());
        return text;
      }
  return "";
}

bool pixel_is(BITMAP *bmp, int x, int y, int r, int g, int b) {
  int depth = bitmap_color_depth(bmp);
  return getpixel(bmp, x, y) == makecol_depth(depth, r, g, b);
}

}  // namespace testing_support
