// Float pictures and their conversion to Allegro bitmaps.
#include "asset_maker.h"

#include <cmath>

namespace asset_maker {

float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

float smoothstep(float edge0, float edge1, float v) {
  float t = clamp01((v - edge0) / (edge1 - edge0));
  return t * t * (3.0f - 2.0f * t);
}

Picture::Picture(int width, int height, Rgb fill, bool opaque)
    : w(width),
      h(height),
      colour(static_cast<size_t>(width) * height, fill),
      solid(static_cast<size_t>(width) * height, opaque ? 1 : 0) {}

void Picture::paint(int x, int y, Rgb c) {
  if (!inside(x, y)) return;
  colour[y * w + x] = c;
  solid[y * w + x] = 1;
}

void Picture::blend(int x, int y, Rgb c, float a, float cover_from) {
  if (!inside(x, y) || a <= 0.0f) return;
  a = clamp01(a);
  if (is_solid(x, y)) {
    at(x, y) = mix(at(x, y), c, a);
  } else if (a >= cover_from) {
    paint(x, y, c);
  }
}

namespace {

int channel_byte(float v) { return static_cast<int>(std::lround(clamp01(v) * 255.0f)); }

}  // namespace

BITMAP *picture_to_bitmap(const Picture &picture) {
  BITMAP *bmp = create_bitmap_ex(24, picture.w, picture.h);
  if (!bmp) return nullptr;
  const int pink = makecol_depth(24, 255, 0, 255);
  for (int y = 0; y < picture.h; y++)
    for (int x = 0; x < picture.w; x++) {
      if (!picture.is_solid(x, y)) {
        putpixel(bmp, x, y, pink);
        continue;
      }
      const Rgb &c = picture.at(x, y);
      int r = channel_byte(c.r), g = channel_byte(c.g), b = channel_byte(c.b);
      // 15-bit keeps the top five bits of each channel: a strong purple with
      // next to no green would come out as the transparent colour.
      if (r >= 248 && b >= 248 && g < 8) g = 8;
      putpixel(bmp, x, y, makecol_depth(24, r, g, b));
    }
  return bmp;
}

Picture shrink_picture(const Picture &picture, int factor) {
  Picture small(picture.w / factor, picture.h / factor, {}, false);
  for (int y = 0; y < small.h; y++)
    for (int x = 0; x < small.w; x++) {
      Rgb sum;
      int count = 0;
      for (int dy = 0; dy < factor; dy++)
        for (int dx = 0; dx < factor; dx++) {
          int sx = x * factor + dx, sy = y * factor + dy;
          if (!picture.is_solid(sx, sy)) continue;
          sum = sum + picture.at(sx, sy);
          count++;
        }
      if (count * 2 >= factor * factor) small.paint(x, y, sum * (1.0f / count));
    }
  return small;
}

}  // namespace asset_maker
