// Voxel terrain: one ray per screen column walked across a height map in
// 16.16 fixed point, each column filled bottom-up wherever the ground rises
// above everything nearer. Floating point is touched once per ray only.
#include "zephyrun.h"

#include <cmath>

namespace zephyrun {

int counter = 0;

namespace {
constexpr double field_of_view = 1.0466666666666666;  // 3.14 / 3
constexpr double half_field_of_view = 0.5233333333333333;
constexpr int map_cells = 640;
constexpr int map_limit = map_cells * 65536 - 1;  // last fixed-point coordinate inside
// The backdrop's area copied under every view, from its top-left corner.
constexpr int backdrop_width = 640, backdrop_height = 480;
}  // namespace

int tofixed(float value) { return static_cast<int>(value * 65536.0); }

void voxelfn() { counter = counter + 1; }

void voxelwaitfn() { counter = counter - 1; }

void rendervoxel(BITMAP *destination, BITMAP *heightmap, BITMAP *colourmap, BITMAP *backdrop,
                 int startx, int starty, float heading, int eye, int steps, int rays, int baserow) {
  // The walk reads raw bytes of the map's rows: a smaller map would be read past its end.
  if (heightmap->w < map_cells || heightmap->h < map_cells) return;

  const float angle_step = static_cast<float>(field_of_view / rays);
  blit(backdrop, destination, 0, 0, 0, 0, backdrop_width, backdrop_height);
  float angle = static_cast<float>(heading - half_field_of_view);

  for (int column = 0; column < rays; column++) {
    angle = angle + angle_step;
    int px = startx, py = starty;
    int top = 0;
    const int dy = tofixed(static_cast<float>(std::sin(static_cast<double>(angle))));
    const int dx = tofixed(static_cast<float>(std::cos(static_cast<double>(angle))));

    for (int distance = 1; distance <= steps; distance++) {
      // Long walks wrap around like the machine's adds instead of overflowing.
      px = static_cast<int>(static_cast<unsigned>(px) + static_cast<unsigned>(dx));
      py = static_cast<int>(static_cast<unsigned>(py) + static_cast<unsigned>(dy));
      int height = 0;
      if (px >= 0 && px <= map_limit && py >= 0 && py <= map_limit)
        height = heightmap->line[py >> 16][px >> 16];
      const int projected = ((height - eye) * 32 - 4096) / distance + 100;
      if (projected > top) {
        const int colour = getpixel(colourmap, px >> 16, py >> 16);
        vline(destination, column, baserow - top, baserow - projected, colour);
        top = projected;
      }
    }
  }
}

}  // namespace zephyrun
