// Voxel landscape: a flight over rolling hills drawn by rendervoxel, one ray
// per screen column. The example makes its own maps at start: heights from a
// few crossed sine waves (one byte a cell, 640x640), colours by height with
// the slopes facing the sun lit brighter. The sky picture is the backdrop.
//
// Keys: Left/Right turn, Up/Down fly forward/back, Page Up/Down raise/lower
// the eye, Escape quits. Run it where the game's pictures are:
//   cd /usr/share/games/zephyrun
#include <zephyrun.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

static volatile int close_requested = 0;
static void request_close() { close_requested = 1; }
// key[] holds a non-zero value, not 1, while a key is down.
static int held(int scancode) { return key[scancode] ? 1 : 0; }

constexpr int map_cells = 640;  // rendervoxel reads at least 640x640 heights

static int hill_height(int column, int row) {
  const double u = column * 2 * M_PI / map_cells, v = row * 2 * M_PI / map_cells;
  const double waves = std::sin(3 * u) * std::cos(2 * v) + 0.5 * std::sin(7 * u + 5 * v) +
                       0.25 * std::cos(13 * v - 4 * u);
  return std::clamp(static_cast<int>(90 + 85 * waves), 20, 255);
}

static int ground_colour(int height, int rise) {
  const float light = std::clamp(1.0f + rise * 0.08f, 0.5f, 1.4f);
  auto lit = [light](int level) { return std::min(255, static_cast<int>(level * light)); };
  if (height <= 20) return makecol(30, 70, 170);                  // the flat sea
  if (height < 110) return makecol(lit(70), lit(150), lit(60));   // meadows
  if (height < 170) return makecol(lit(120), lit(100), lit(70));  // rock
  return makecol(lit(240), lit(240), lit(250));                   // snow
}

int main() {
  // Initialization --------------------------------------------------------
  allegro_init();
  install_keyboard();
  set_color_depth(15);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0) {
    std::fprintf(stderr, "voxel_landscape: no 640x480 window: %s\n", allegro_error);
    return 1;
  }
  set_window_title("voxel_landscape");
  set_close_button_callback(request_close);
  BITMAP *sky = load_bitmap("cielo.bmp", nullptr);
  BITMAP *heights = create_bitmap_ex(8, map_cells, map_cells);
  BITMAP *colours = create_bitmap(map_cells, map_cells);
  BITMAP *back = create_bitmap(640, 480);
  if (!sky || !heights || !colours || !back) {
    std::fprintf(stderr, "voxel_landscape: run me where cielo.bmp is\n");
    return 1;
  }
  for (int row = 0; row < map_cells; row++)
    for (int column = 0; column < map_cells; column++)
      heights->line[row][column] = static_cast<unsigned char>(hill_height(column, row));
  for (int row = 0; row < map_cells; row++)
    for (int column = 0; column < map_cells; column++) {
      const int height = heights->line[row][column];
      const int rise = height - heights->line[std::max(row - 1, 0)][std::max(column - 1, 0)];
      putpixel(colours, column, row, ground_colour(height, rise));
    }
  float viewer_x = 320, viewer_y = 600;  // in map cells
  float heading = -M_PI / 2;             // radians: -pi/2 looks along falling rows (north)
  int eye = -20;                         // terrain eye + 128 high lies on the horizon

  // Main loop -------------------------------------------------------------
  while (!key[KEY_ESC] && !close_requested) {
    // Keys and update: turn, fly, and keep the eye above the ground beneath.
    heading += 0.04f * (held(KEY_RIGHT) - held(KEY_LEFT));
    const float speed = 3.0f * (held(KEY_UP) - held(KEY_DOWN));
    viewer_x = std::clamp(viewer_x + speed * std::cos(heading), 0.0f, map_cells - 1.0f);
    viewer_y = std::clamp(viewer_y + speed * std::sin(heading), 0.0f, map_cells - 1.0f);
    eye += 2 * (held(KEY_PGUP) - held(KEY_PGDN));
    const int below = heights->line[static_cast<int>(viewer_y)][static_cast<int>(viewer_x)];
    eye = std::clamp(eye, below - 110, 200);

    // Draw: backdrop then terrain, 300 cells deep, one ray per column; the ground
    // starts at the bottom row and meets the horizon 100 rows up.
    zephyrun::rendervoxel(back, heights, colours, sky, zephyrun::tofixed(viewer_x),
                          zephyrun::tofixed(viewer_y), heading, eye, 300, 640, 479);
    textprintf_ex(back, font, 8, 8, makecol(255, 255, 255), -1,
                  "at (%d, %d), eye %d   arrows fly  PgUp/PgDn eye  Esc quit",
                  static_cast<int>(viewer_x), static_cast<int>(viewer_y), eye);

    // Present, paced to about 30 frames a second.
    zephyrun::doppiobuffering(60, back, screen, 0, 0, 0);
  }

  // De-initialization -----------------------------------------------------
  destroy_bitmap(back);
  destroy_bitmap(colours);
  destroy_bitmap(heights);
  destroy_bitmap(sky);
  allegro_exit();
  return 0;
}
END_OF_MAIN()
