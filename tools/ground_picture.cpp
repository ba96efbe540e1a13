// The ground. Everything that varies down the picture is periodic in 200 rows
// (bands that tile the height exactly, noise whose lattice wraps, sines of whole
// periods; every noise lattice is scaled by a divisor of 200), which is what
// makes the vertical wrap invisible. The game shows
// only a slice around the middle column, widened ever more towards the viewer,
// so the fields are narrow there and the road and river run near it.
#include "asset_maker.h"

#include <cmath>
#include <vector>

namespace asset_maker {

namespace {

constexpr float pi = 3.14159265f;
constexpr int band_start = 13;  // keeps a hedge off the wrap row
constexpr int band_heights[] = {22, 30, 18, 26, 34, 20, 28, 22};

enum Crop { wheat, meadow, dark_crop, ploughed, young_crop, lavender, woodland, crop_kinds };

const Rgb crop_colours[crop_kinds] = {
    {0.80f, 0.68f, 0.32f}, {0.36f, 0.58f, 0.24f}, {0.20f, 0.42f, 0.18f}, {0.48f, 0.33f, 0.20f},
    {0.58f, 0.64f, 0.28f}, {0.52f, 0.44f, 0.66f}, {0.13f, 0.30f, 0.13f}};

// Lavender is a rare treat; the rest share the land more evenly.
int pick_crop(Random &random) {
  const int weights[crop_kinds] = {3, 3, 2, 2, 2, 1, 2};
  int ticket = random.below(15);
  for (int crop = 0; crop < crop_kinds; crop++) {
    if (ticket < weights[crop]) return crop;
    ticket -= weights[crop];
  }
  return meadow;
}

struct Band {
  int top, height;
  std::vector<int> edges;  // left column of each field, then ground_width
  std::vector<int> crops;  // one per field
};

std::vector<Band> lay_out_fields(Random &random) {
  std::vector<Band> bands;
  int top = band_start;
  for (int height : band_heights) {
    Band band{top, height, {}, {}};
    for (int x = 0; x < ground_width;) {
      band.edges.push_back(x);
      band.crops.push_back(pick_crop(random));
      // Narrow fields near the middle, where the view is widened most.
      int distance = std::abs(x - ground_width / 2);
      int widest = distance < 120 ? 14 : 34;
      x += 6 + random.below(widest);
    }
    band.edges.push_back(ground_width);
    bands.push_back(band);
    top += height;
  }
  return bands;
}

// Row y's band, counting rows from the band layout's own start with wrap.
const Band &band_at(const std::vector<Band> &bands, int y, int &row_in_band) {
  int offset = ((y - band_start) % ground_height + ground_height) % ground_height;
  for (const Band &band : bands) {
    if (offset < band.height) {
      row_in_band = offset;
      return band;
    }
    offset -= band.height;
  }
  row_in_band = 0;
  return bands.front();
}

Rgb field_colour(int crop, int x, int y, int column_in_field) {
  Rgb c = crop_colours[crop];
  float fine = tiled_fractal(x / 2.0f, y / 2.0f, ground_width / 2, ground_height / 2, 2, 7);
  switch (crop) {
    case wheat:
    case young_crop:
      if (column_in_field % 3 == 0) c = c * 0.86f;  // sown rows
      break;
    case ploughed:
      if (column_in_field % 2 == 0) c = c * 0.72f;  // furrows
      break;
    case dark_crop:
      if (column_in_field % 4 == 1) c = c * 1.2f;
      break;
    case woodland: {
      float crowns = tiled_noise(x / 2.5f, y / 2.5f, 512, 80, 31);
      c = mix(c * 0.6f, Rgb{0.22f, 0.46f, 0.18f}, smoothstep(0.35f, 0.75f, crowns));
      break;
    }
    default:
      break;
  }
  return c * (0.88f + 0.24f * fine);
}

float river_centre(int y) {
  float t = 2.0f * pi * y / ground_height;
  return 600.0f + 60.0f * std::sin(t) + 22.0f * std::sin(3.0f * t + 1.3f);
}

// Paints water, with sandy banks, over whatever the fields left.
void draw_river(Picture &ground) {
  const Rgb deep{0.12f, 0.30f, 0.52f}, shallow{0.28f, 0.52f, 0.70f}, sand{0.78f, 0.72f, 0.52f};
  for (int y = 0; y < ground_height; y++) {
    float centre = river_centre(y);
    for (int x = static_cast<int>(centre) - 14; x <= static_cast<int>(centre) + 14; x++) {
      float d = std::fabs(x + 0.5f - centre);
      if (d < 6.0f) {
        float ripple = tiled_noise(x / 2.0f, y / 4.0f, ground_width / 2, ground_height / 4, 55);
        Rgb water = mix(deep, shallow, smoothstep(2.0f, 6.0f, d) * 0.7f + ripple * 0.3f);
        if (ripple > 0.82f) water = mix(water, Rgb{0.85f, 0.92f, 0.98f}, 0.6f);  // glints
        ground.paint(x, y, water);
      } else if (d < 8.5f) {
        ground.paint(x, y,
                     sand * (0.9f + 0.1f * tiled_noise(x, y, ground_width, ground_height, 9)));
      }
    }
  }
}

// A straight dirt road towards the horizon, with dashes that show the scroll.
void draw_road(Picture &ground) {
  const int left = 700, width = 5;
  for (int y = 0; y < ground_height; y++) {
    for (int x = left - 1; x < left + width + 1; x++) {
      bool verge = x < left || x >= left + width;
      Rgb c = verge ? Rgb{0.30f, 0.26f, 0.18f} : Rgb{0.62f, 0.56f, 0.44f};
      ground.paint(x, y, c * (0.92f + 0.16f * tiled_noise(x, y / 2.0f, ground_width, 100, 21)));
    }
    if (y % 20 < 8) ground.paint(left + width / 2, y, {0.86f, 0.84f, 0.74f});
  }
}

// Grey boulders lit from the upper left, wrapped top to bottom.
void draw_rocks(Picture &ground, Random &random) {
  for (int i = 0; i < 100; i++) {
    float cx = 200.0f + random.range(0.0f, 880.0f);
    float cy = random.range(0.0f, ground_height);
    float radius = random.range(1.2f, 3.8f);
    for (int dy = -5; dy <= 5; dy++)
      for (int dx = -5; dx <= 5; dx++) {
        int x = static_cast<int>(cx) + dx;
        int y = ((static_cast<int>(cy) + dy) % ground_height + ground_height) % ground_height;
        float ox = x + 0.5f - cx, oy = static_cast<int>(cy) + dy + 0.5f - cy;
        float d = std::sqrt(ox * ox + oy * oy) / radius;
        if (d > 1.0f || !ground.inside(x, y)) continue;
        float light = 0.55f + 0.45f * clamp01(-(ox + oy) / (radius * 1.4f) + 0.3f);
        ground.paint(x, y, Rgb{0.55f, 0.53f, 0.50f} * light);
      }
  }
}

}  // namespace

Picture draw_ground() {
  Random random(0x7E44E40);
  Picture ground(ground_width, ground_height);
  std::vector<Band> bands = lay_out_fields(random);
  const Rgb hedge{0.10f, 0.22f, 0.08f};
  for (int y = 0; y < ground_height; y++) {
    int row_in_band = 0;
    const Band &band = band_at(bands, y, row_in_band);
    size_t field = 0;
    for (int x = 0; x < ground_width; x++) {
      while (x >= band.edges[field + 1]) field++;
      int column_in_field = x - band.edges[field];
      bool on_hedge = row_in_band == 0 || column_in_field == 0;
      Rgb c = on_hedge ? hedge : field_colour(band.crops[field], x, y, column_in_field);
      float light =
          tiled_fractal(x / 64.0f, y / 40.0f, ground_width / 64, ground_height / 40, 3, 3);
      ground.at(x, y) = c * (0.82f + 0.36f * light);
    }
  }
  draw_road(ground);
  draw_river(ground);
  draw_rocks(ground, random);
  return ground;
}

}  // namespace asset_maker
