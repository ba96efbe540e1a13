// The asset maker's drawing surface: colours are floats (0..1 per channel) with
// a per-pixel "solid" flag, so pictures can be lit and blended freely and only
// become Allegro bitmaps, with magic pink around them, at the very end.
#pragma once

#include <allegro.h>

#include <vector>

struct Rgb {
  float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

// Linear blend: t = 0 gives a, t = 1 gives b.
inline Rgb mix(Rgb a, Rgb b, float t) { return a * (1.0f - t) + b * t; }

float clamp01(float v);
// 0 below edge0, 1 above edge1, a smooth S-curve between.
float smoothstep(float edge0, float edge1, float v);

struct Picture {
  int w, h;
  std::vector<Rgb> colour;
  std::vector<unsigned char> solid;

  // A picture filled with one colour; solid = false makes it all transparent.
  Picture(int w, int h, Rgb fill = {}, bool solid = true);

  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  Rgb &at(int x, int y) { return colour[y * w + x]; }
  const Rgb &at(int x, int y) const { return colour[y * w + x]; }
  bool is_solid(int x, int y) const { return solid[y * w + x] != 0; }

  // Sets a pixel and makes it solid; ignores pixels outside the picture.
  void paint(int x, int y, Rgb c);
  // Blends c over an already solid pixel by weight a (0..1); transparent
  // pixels become solid with c where a reaches cover_from.
  void blend(int x, int y, Rgb c, float a, float cover_from = 0.5f);
};

// A 24-bit memory bitmap of the picture: magic pink where it is not solid, and
// solid colours kept clear of any shade that turns into magic pink once
// reduced to 15 or 16 bits. NULL when the bitmap cannot be created.
BITMAP *picture_to_bitmap(const Picture &picture);

// The picture shrunk by a whole factor, averaging the solid pixels of each
// block; a block is solid when at least half of it is.
Picture shrink_picture(const Picture &picture, int factor);
