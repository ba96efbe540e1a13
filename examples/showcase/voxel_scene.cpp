// Scene 2: a flight over a voxel island with rendervoxel. The height and
// colour maps are made here at start, from a few octaves of the asset maker's
// value noise shaped into an island in a flat sea; the sky picture is the backdrop.
#include "asset_maker.h"
#include "showcase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace showcase {

constexpr int map_size = 640;         // rendervoxel reads a 640x640 height map
constexpr int sea_level = 28;         // heights below are sea, drawn flat
constexpr float turn_speed = 0.03f;   // radians a frame
constexpr float flying_speed = 2.0f;  // map cells a frame
constexpr uint32_t island_seed = 0;

static BITMAP *heights = nullptr;  // 8 bits a pixel: one height byte a cell
static BITMAP *colours = nullptr;
static float heading, viewer_x, viewer_y;  // viewer in map cells
static int eye;

// Rolling hills with sharper peaks towards the middle, sinking into the sea at the edges.
static int island_height(int x, int y) {
  // Five octaves from hills 96 cells across; the noise repeats far off the map.
  const float noise = asset_maker::tiled_fractal(x / 96.0f, y / 96.0f, 64, 64, 5, island_seed);
  const float half = map_size / 2.0f;
  const float dx = (x - map_size / 2) / half, dy = (y - map_size / 2) / half;
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
  auto lit = [light](int channel) { return std::min(255, static_cast<int>(channel * light)); };
  return makecol(lit(r), lit(g), lit(b));
}

// Without memory for the maps the scene shows the sky and says so.
static bool make_island() {
  heights = create_bitmap_ex(8, map_size, map_size);
  colours = create_bitmap(map_size, map_size);
  if (!heights || !colours) {
    if (heights) destroy_bitmap(heights);
    if (colours) destroy_bitmap(colours);
    heights = colours = nullptr;
    return false;
  }
  // The ground before the sea flattens it: its depth shades the water.
  std::vector<int> ground(map_size * map_size);
  for (int y = 0; y < map_size; y++)
    for (int x = 0; x < map_size; x++) {
      const int h = island_height(x, y);
      ground[y * map_size + x] = h;
      heights->line[y][x] = static_cast<unsigned char>(std::max(h, sea_level - 1));
    }
  for (int y = 0; y < map_size; y++)
    for (int x = 0; x < map_size; x++) {
      const int uphill = heights->line[std::max(y - 1, 0)][std::max(x - 1, 0)];
      const int slope = heights->line[y][x] - uphill;
      putpixel(colours, x, y, terrain_colour(ground[y * map_size + x], slope));
    }
  return true;
}

static void set_up() {
  if (!heights && !make_island()) std::fprintf(stderr, "zephyrun-showcase: no voxel maps\n");
  viewer_x = 320, viewer_y = 620, heading = -1.5708f, eye = -30;  // south shore, facing north
}

static void key_pressed(int) {}

static void update() {
  if (!heights) return;
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
  if (!heights) {
    blit(zephyrun::cielo, frame, 0, 0, 0, 0, 640, 480);
    return {"rendervoxel", "Tab: next  Esc: quit", "no memory for the height and colour maps"};
  }
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
