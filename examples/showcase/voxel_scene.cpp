// Scene 2: a flight over a voxel island with rendervoxel. The height and
// colour maps are made here at start, from a few octaves of value noise
// shaped into an island in a flat sea; the sky picture is the backdrop.
#include "showcase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace showcase {

constexpr int map_size = 640;   // rendervoxel reads a 640x640 height map
constexpr int sea_level = 28;   // heights below are sea, drawn flat
constexpr float turn_speed = 0.03f;    // radians a frame
constexpr float flying_speed = 2.0f;   // map cells a frame

static BITMAP *heights = nullptr;  // 8 bits a pixel: one height byte a cell
static BITMAP *colours = nullptr;
static float heading, viewer_x, viewer_y;  // viewer in map cells
static int eye;

// A fixed pseudo-random value in [0, 1) for each lattice point.
static float lattice_value(int x, int y, int octave) {
  unsigned n = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u +
               static_cast<unsigned>(octave) * 2246822519u;
  n = (n ^ (n >> 13)) * 1274126177u;
  return ((n ^ (n >> 16)) & 0xffff) / 65536.0f;
}

static float smooth_noise(float x, float y, int octave) {
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const float fx = x - x0, fy = y - y0;
  const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const float top = lattice_value(x0, y0, octave) * (1 - sx) + lattice_value(x0 + 1, y0, octave) * sx;
  const float bottom =
      lattice_value(x0, y0 + 1, octave) * (1 - sx) + lattice_value(x0 + 1, y0 + 1, octave) * sx;
  return top * (1 - sy) + bottom * sy;
}

// Rolling hills with sharper peaks towards the middle, sinking into the sea at the edges.
static int island_height(int x, int y) {
  float noise = 0, amplitude = 1, total = 0, cell = 96;
  for (int octave = 0; octave < 5; octave++, amplitude *= 0.55f, cell *= 0.5f) {
    noise += amplitude * smooth_noise(x / cell, y / cell, octave);
    total += amplitude;
  }
  noise /= total;
  const float dx = (x - map_size / 2) / (map_size / 2.0f), dy = (y - map_size / 2) / (map_size / 2.0f);
  const float edge = std::clamp((std::sqrt(dx * dx + dy * dy) - 0.55f) / 0.4f, 0.0f, 1.0f);
  const float land = noise * (1 - edge * edge * (3 - 2 * edge));
  return std::clamp(static_cast<int>(std::pow(land, 1.5f) * 500), 0, 255);
}

static int mix(int a, int b, float t) { return static_cast<int>(a + (b - a) * t); }

// Sea, beach, grass, rock and snow by height, lit from the north-west.
static int terrain_colour(int h, int slope) {
  int r, g, b;
  if (h < sea_level) {
    r = 20, g = 60 + h, b = 150 + h;
  } else if (h < sea_level + 8) {
    r = 210, g = 190, b = 130;
  } else if (h < 150) {
    const float t = (h - sea_level) / (150.0f - sea_level);
    r = mix(60, 110, t), g = mix(150, 120, t), b = mix(50, 60, t);
  } else if (h < 215) {
    const float t = (h - 150) / 65.0f;
    r = mix(110, 140, t), g = mix(105, 135, t), b = mix(95, 130, t);
  } else {
    r = g = b = 235;
  }
  const float light = h < sea_level ? 1.0f : std::clamp(1.0f + slope * 0.04f, 0.55f, 1.35f);
  return makecol(std::min(255, static_cast<int>(r * light)), std::min(255, static_cast<int>(g * light)),
                 std::min(255, static_cast<int>(b * light)));
}

static void make_island() {
  heights = create_bitmap_ex(8, map_size, map_size);
  colours = create_bitmap(map_size, map_size);
  if (!heights || !colours) {
    std::fprintf(stderr, "zephyrun-showcase: cannot create the voxel maps\n");
    std::exit(1);
  }
  std::vector<int> ground(map_size * map_size);  // before the sea flattens it: its depth shades the water
  for (int y = 0; y < map_size; y++)
    for (int x = 0; x < map_size; x++) {
      ground[y * map_size + x] = island_height(x, y);
      heights->line[y][x] = static_cast<unsigned char>(std::max(ground[y * map_size + x], sea_level - 1));
    }
  for (int y = 0; y < map_size; y++)
    for (int x = 0; x < map_size; x++) {
      const int uphill = heights->line[std::max(y - 1, 0)][std::max(x - 1, 0)];
      putpixel(colours, x, y, terrain_colour(ground[y * map_size + x], heights->line[y][x] - uphill));
    }
}

static void set_up() {
  if (!heights) make_island();
  viewer_x = 320, viewer_y = 620, heading = -1.5708f, eye = -30;  // south shore, facing north
}

static void key_pressed(int) {}

static void update() {
  if (key[KEY_LEFT]) heading -= turn_speed;
  if (key[KEY_RIGHT]) heading += turn_speed;
  if (key[KEY_PGUP]) eye = std::min(eye + 2, 200);
  if (key[KEY_PGDN]) eye = std::max(eye - 2, -60);
  const float move = (key[KEY_UP] ? flying_speed : 0) - (key[KEY_DOWN] ? flying_speed : 0);
  viewer_x = std::clamp(viewer_x + move * std::cos(heading), 0.0f, map_size - 1.0f);
  viewer_y = std::clamp(viewer_y + move * std::sin(heading), 0.0f, map_size - 1.0f);
  // Terrain as high as eye + 128 lies level with the eye: keep it above the ground below.
  const int ground = heights->line[static_cast<int>(viewer_y)][static_cast<int>(viewer_x)];
  eye = std::max(eye, ground - 120);
}

static Caption draw(BITMAP *frame) {
  zephyrun::rendervoxel(frame, heights, colours, zephyrun::cielo, zephyrun::tofixed(viewer_x),
                        zephyrun::tofixed(viewer_y), heading, eye, 300, 640, 433);
  char status[96];
  std::snprintf(status, sizeof status, "viewer at (%d, %d), heading %d degrees, eye height %d",
                static_cast<int>(viewer_x), static_cast<int>(viewer_y),
                (static_cast<int>(std::lround(heading * 57.29578f)) % 360 + 360) % 360, eye);
  return {"rendervoxel",
          "Left/Right: turn  Up/Down: fly  PgUp/PgDn: eye height  Tab: next  Esc: quit", status};
}

static void tear_down() {}

const Scene voxel_scene = {set_up, key_pressed, update, draw, tear_down};

}  // namespace showcase
