// Headless start-up of the library and the bitmaps and colour comparisons
// every drawing test uses.
#include "test_support.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace testing_support {

void start_headless_allegro(int depth) {
  static const int started = install_allegro(SYSTEM_NONE, &errno, atexit);
  (void)started;
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
      const int r = (x * 8 + seed * 40) & 0xF8;
      const int b = ((x + y) * 24 + seed * 8) & 0xF8;
      int g = (y * 8 + seed * 24) & 0xF8;
      if (r == 0xF8 && g == 0 && b == 0xF8) g = 8;  // keep clear of the mask colour
      putpixel(bmp.get(), x, y, makecol(r, g, b));
    }
  return bmp;
}

static int rgb_at(BITMAP *bmp, int x, int y) {
  const int depth = bitmap_color_depth(bmp);
  const int pixel = getpixel(bmp, x, y);
  return makecol24(getr_depth(depth, pixel), getg_depth(depth, pixel), getb_depth(depth, pixel));
}

std::string first_difference(BITMAP *expected, BITMAP *actual) {
  char text[160];
  if (expected->w != actual->w || expected->h != actual->h) {
    std::snprintf(text, sizeof text, "size %dx%d, expected %dx%d", actual->w, actual->h,
                  expected->w, expected->h);
    return text;
  }
  // Rows alike byte for byte at one depth hold the same colours and are passed
  // over quickly; any other row is compared colour by colour.
  const int depth = bitmap_color_depth(expected);
  const bool bytes_tell =
      depth == bitmap_color_depth(actual) && is_memory_bitmap(expected) && is_memory_bitmap(actual);
  for (int y = 0; y < expected->h; y++)
    for (int x = 0; x < expected->w; x++) {
      if (x == 0 && bytes_tell &&
          std::memcmp(expected->line[y], actual->line[y], expected->w * ((depth + 7) / 8)) == 0)
        break;
      if (rgb_at(expected, x, y) == rgb_at(actual, x, y)) continue;
      std::snprintf(text, sizeof text, "pixel (%d, %d) is %06x, expected %06x", x, y,
                    rgb_at(actual, x, y), rgb_at(expected, x, y));
      return text;
    }
  return "";
}

bool pixel_is(BITMAP *bmp, int x, int y, int r, int g, int b) {
  return getpixel(bmp, x, y) == makecol_depth(bitmap_color_depth(bmp), r, g, b);
}

bool near_colour(const unsigned char *shown, int r, int g, int b, int tolerance) {
  return std::abs(shown[0] - r) <= tolerance && std::abs(shown[1] - g) <= tolerance &&
         std::abs(shown[2] - b) <= tolerance;
}

}  // namespace testing_support
