// The column dissolve: the outgoing picture, cut into vertical strips, slides
// down out of the area uncovering the incoming one; each strip starts at its
// own random pace and then falls at a common speed. Every strip is cut from
// one snapshot of the outgoing picture taken when the run starts, so a run
// costs two area-sized bitmaps however narrow the strips are.
#include "zephyrun.h"

#include <cstdlib>

namespace zephyrun {

int diswormflag = 0;
BITMAP *diswormdest3 = nullptr;
BITMAP *diswormdest4 = nullptr;
int disrandwoy[10000] = {};
float diswormciclo[10000] = {};
int diswra = 0;
float diswormfine = 0.0f;

static bool dissolvworm_arguments_usable(int width, int height, int speed2, int step) {
  constexpr int table_size = sizeof disrandwoy / sizeof disrandwoy[0];
  return width >= 1 && width < table_size && height >= 20 && step >= 1 && step <= width &&
         speed2 >= 1;
}

static bool start_column_run(BITMAP *pic1, int col1, int width, int height) {
  diswormdest3 = create_bitmap(width, height);
  diswormdest4 = create_bitmap(width, height);
  if (!diswormdest3 || !diswormdest4) {
    if (diswormdest3) destroy_bitmap(diswormdest3);
    if (diswormdest4) destroy_bitmap(diswormdest4);
    diswormdest3 = diswormdest4 = nullptr;
    return false;
  }
  clear(diswormdest3);
  // Cleared first so a first picture smaller than the area leaves colour 0
  // rather than whatever the allocator handed back.
  clear(diswormdest4);
  if (pic1)
    blit(pic1, diswormdest4, 0, 0, 0, 0, width, height);
  else
    clear_to_color(diswormdest4, col1);
  return true;
}

static void draw_start_speeds(int width, int height, int step) {
  const int switch_distance = height / 20;
  // Below 240 rows the lowest speed would be 0: a strip that never moves
  // would keep the run from ever ending.
  int lowest_speed = height / 240;
  if (lowest_speed < 1) lowest_speed = 1;
  for (diswra = 0; diswra <= width; diswra += step) {
    disrandwoy[diswra] = std::rand() % switch_distance;
    if (disrandwoy[diswra] < lowest_speed) disrandwoy[diswra] = lowest_speed;
  }
}

static void end_column_run(int width, int step) {
  for (diswra = 0; diswra <= width; diswra += step) {
    disrandwoy[diswra] = 0;
    diswormciclo[diswra] = 0.0f;
  }
  destroy_bitmap(diswormdest4);
  destroy_bitmap(diswormdest3);
  diswormdest4 = diswormdest3 = nullptr;
  diswormflag = 0;
  diswormfine = 1.0f;
}

int dissolvworm(BITMAP * /*work*/, BITMAP *target, BITMAP *pic1, int col1, BITMAP *pic2, int col2,
                int width, int height, int speed2, int step) {
  if (!dissolvworm_arguments_usable(width, height, speed2, step)) return -1;

  if (diswormflag == 0) {
    if (!start_column_run(pic1, col1, width, height)) return -1;
    draw_start_speeds(width, height, step);
    diswormflag = 1;
  }

  if (pic2)
    blit(pic2, diswormdest3, 0, 0, 0, 0, width, height);
  else
    rectfill(diswormdest3, 0, 0, width - 1, height - 1, col2);

  const float switch_distance = static_cast<float>(height / 20);
  for (diswra = 0; diswra <= width; diswra += step) {
    diswormciclo[diswra] = diswormciclo[diswra] + static_cast<float>(disrandwoy[diswra]);
    if (diswormciclo[diswra] >= switch_distance) disrandwoy[diswra] = speed2;
    // A strip that has fallen out of sight draws nothing; clamping keeps a
    // huge common speed from overflowing the conversion to a row.
    const int row = diswormciclo[diswra] >= static_cast<float>(height)
                        ? height
                        : static_cast<int>(diswormciclo[diswra]);
    blit(diswormdest4, diswormdest3, diswra, 0, diswra, row, step, height);
  }

  blit(diswormdest3, target, 0, 0, 0, 0, width, height);

  const float end_distance = static_cast<float>(2 * (height + height / 20));
  if (diswormciclo[step] <= end_distance) {
    diswormfine = 0.0f;
    return 0;
  }
  end_column_run(width, step);
  return 1;
}

}  // namespace zephyrun
