// The random block dissolve: one square of the incoming picture a call, at a
// random place, over an accumulating copy of the outgoing one, then the whole
// incoming picture. Random places repeat, so the full copy at the end is what
// guarantees a clean finish.
#include "zephyrun.h"

#include <cstdlib>

namespace zephyrun {

int dispixflag = 0;
BITMAP *dispixdest3 = nullptr;
float dispixciclo = 0.0f;
int disrandx = 0, disrandy = 0;
float dispixfine = 0.0f;

// These would divide by zero.
static bool dissolvcas_arguments_usable(int width, int height, int block) {
  return width >= 1 && height >= 1 && block >= 1;
}

static bool start_block_run(BITMAP *pic1, int col1, int width, int height) {
  dispixdest3 = create_bitmap(width, height);
  if (!dispixdest3) return false;
  clear(dispixdest3);
  // A plain first picture blitted over the whole area is just that colour.
  if (pic1)
    blit(pic1, dispixdest3, 0, 0, 0, 0, width, height);
  else
    clear_to_color(dispixdest3, col1);
  return true;
}

// This call's block of the incoming picture; on the step limit's call, all of it.
static void place_incoming(BITMAP *pic2, int col2, int width, int height, int block, float steps) {
  if (dispixciclo < steps) {
    if (pic2) {
      blit(pic2, dispixdest3, disrandx, disrandy, disrandx, disrandy, block, block);
    } else {
      // The block as a plain picture of the area's size would give it: clipped to the area.
      int right = disrandx + block - 1, bottom = disrandy + block - 1;
      if (right >= width) right = width - 1;
      if (bottom >= height) bottom = height - 1;
      if (right >= 0 && bottom >= 0)
        rectfill(dispixdest3, disrandx < 0 ? 0 : disrandx, disrandy < 0 ? 0 : disrandy, right,
                 bottom, col2);
    }
  }
  if (dispixciclo == steps) {
    if (pic2)
      blit(pic2, dispixdest3, 0, 0, 0, 0, width, height);
    else
      rectfill(dispixdest3, 0, 0, width - 1, height - 1, col2);
  }
}

static void end_block_run() {
  destroy_bitmap(dispixdest3);
  dispixdest3 = nullptr;
  disrandx = 0;
  disrandy = 0;
  dispixflag = 0;
  dispixciclo = 0.0f;
  dispixfine = 1.0f;
}

int dissolvcas(BITMAP *work, BITMAP *target, BITMAP *pic1, int col1, BITMAP *pic2, int col2,
               int width, int height, int block) {
  // Refused before touching rand or the run.
  if (!dissolvcas_arguments_usable(width, height, block)) return -1;

  disrandx = std::rand() % width - block;
  disrandy = std::rand() % height - block;

  if (dispixflag == 0) {
    if (!start_block_run(pic1, col1, width, height)) return -1;
    dispixflag = 1;
  }

  // 64-bit so a huge block cannot overflow its square; same value otherwise.
  const long long limit =
      2 * ((static_cast<long long>(width) * height) / (static_cast<long long>(block) * block));
  const float steps = static_cast<float>(limit);

  dispixciclo = dispixciclo + 1.0f;
  place_incoming(pic2, col2, width, height, block, steps);

  blit(dispixdest3, work, 0, 0, 0, 0, width, height);
  if (dispixciclo <= steps) {
    blit(work, target, 0, 0, 0, 0, width, height);
    dispixfine = 0.0f;
    return 0;
  }
  end_block_run();
  return 1;
}

}  // namespace zephyrun
