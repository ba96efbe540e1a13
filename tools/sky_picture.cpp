// The sky, painted back to front: gradient, stars, sun glow, clouds, hills.
// The ground's far edge sits near row 330 and bobs a few rows either way, so
// the hills rise from below it and the haze carries on to the bottom.
#include "asset_maker.h"

#include <cmath>

namespace asset_maker {

namespace {

constexpr float sun_x = 430.0f, sun_y = 292.0f, sun_radius = 20.0f;

Rgb gradient_at(int y) {
  struct Stop {
    float y;
    Rgb colour;
  };
  const Stop stops[] = {{0, {0.03f, 0.04f, 0.16f}},   {120, {0.10f, 0.14f, 0.38f}},
                        {220, {0.36f, 0.36f, 0.62f}}, {290, {0.90f, 0.58f, 0.46f}},
                        {330, {0.98f, 0.78f, 0.52f}}, {480, {0.90f, 0.74f, 0.58f}}};
  for (size_t i = 1; i < sizeof stops / sizeof stops[0]; i++)
    if (y <= stops[i].y) {
      float t = (y - stops[i - 1].y) / (stops[i].y - stops[i - 1].y);
      return mix(stops[i - 1].colour, stops[i].colour, smoothstep(0.0f, 1.0f, t));
    }
  return stops[5].colour;
}

void draw_stars(Picture &sky, Random &random) {
  for (int i = 0; i < 260; i++) {
    int x = random.below(sky_width), y = random.below(220);
    float fade = 1.0f - smoothstep(60.0f, 220.0f, static_cast<float>(y));
    float brightness = random.range(0.3f, 1.0f) * fade;
    Rgb tint = mix(Rgb{0.8f, 0.85f, 1.0f}, Rgb{1.0f, 0.92f, 0.8f}, random.uniform());
    sky.blend(x, y, tint, brightness);
    if (brightness > 0.85f) {  // the brightest twinkle with a small cross
      for (int d = 1; d <= 2; d++) {
        float a = brightness * (d == 1 ? 0.5f : 0.2f);
        sky.blend(x - d, y, tint, a);
        sky.blend(x + d, y, tint, a);
        sky.blend(x, y - d, tint, a);
        sky.blend(x, y + d, tint, a);
      }
    }
  }
}

void draw_sun(Picture &sky) {
  for (int y = 0; y < sky_height; y++)
    for (int x = 0; x < sky_width; x++) {
      float d = std::hypot(x - sun_x, (y - sun_y) * 1.15f);
      float glow = std::exp(-d / 90.0f) * 0.55f;
      Rgb c = sky.at(x, y) + Rgb{1.0f, 0.62f, 0.30f} * glow;
      if (d < sun_radius)
        c = mix(c, Rgb{1.0f, 0.95f, 0.78f}, smoothstep(sun_radius, sun_radius - 2, d));
      sky.at(x, y) = c;
    }
}

// Long, flat clouds: lit gold from the sun below, violet on their shaded tops.
void draw_clouds(Picture &sky) {
  for (int y = 110; y < 300; y++) {
    float band = smoothstep(110.0f, 170.0f, y) * (1.0f - smoothstep(250.0f, 300.0f, y));
    for (int x = 0; x < sky_width; x++) {
      float n = tiled_fractal(x / 110.0f, y / 18.0f, 64, 64, 5, 77);
      float density = smoothstep(0.5f, 0.72f, n) * band;
      if (density <= 0.0f) continue;
      float lit = tiled_fractal(x / 110.0f, (y + 6) / 18.0f, 64, 64, 5, 77);
      float underside = clamp01((n - lit) * 6.0f + 0.5f);
      float near_sun = std::exp(-std::fabs(x - sun_x) / 220.0f);
      Rgb shade = mix(Rgb{0.36f, 0.30f, 0.52f}, Rgb{0.62f, 0.44f, 0.58f}, y / 300.0f);
      Rgb light = mix(Rgb{0.95f, 0.62f, 0.50f}, Rgb{1.0f, 0.84f, 0.56f}, near_sun);
      sky.at(x, y) = mix(sky.at(x, y), mix(light, shade, underside), density * 0.9f);
    }
  }
}

// Two ranges of hills, the far one pale with haze, the near one darker.
void draw_hills(Picture &sky) {
  struct Range {
    float base, height, scale;
    uint32_t seed;
    Rgb colour;
  };
  const Range ranges[] = {{318, 50, 160, 5, {0.58f, 0.48f, 0.62f}},
                          {336, 34, 90, 6, {0.34f, 0.28f, 0.44f}}};
  for (const Range &range : ranges)
    for (int x = 0; x < sky_width; x++) {
      float ridge =
          range.base - range.height * tiled_fractal(x / range.scale, 0.5f, 64, 4, 4, range.seed);
      for (int y = static_cast<int>(ridge); y < sky_height; y++) {
        float haze = smoothstep(ridge, ridge + 60.0f, static_cast<float>(y));
        Rgb c = mix(range.colour, Rgb{0.86f, 0.70f, 0.60f}, haze * 0.6f);
        sky.blend(x, y, c, clamp01(y + 1.0f - ridge));  // soft one-pixel edge
      }
    }
}

}  // namespace

Picture draw_sky() {
  Random random(0x5C1E5);
  Picture sky(sky_width, sky_height);
  for (int y = 0; y < sky_height; y++)
    for (int x = 0; x < sky_width; x++) sky.at(x, y) = gradient_at(y);
  draw_stars(sky, random);
  draw_sun(sky);
  draw_clouds(sky);
  draw_hills(sky);
  return sky;
}

}  // namespace asset_maker
