// Pixel-exact collision test: each sprite is drawn into its own scratch copy
// of the play area, and the window at the first sprite is scanned for a point
// where both copies hold an opaque pixel. Drawing rather than overlapping
// rectangles is what makes the masked-out corners of a sprite not count.
#include "zephyrun.h"

namespace zephyrun {

int collx = 0, colly = 0;
int collcolore = 0, collcolore2 = 0;

int arr = 0;
BITMAP *bit2 = nullptr;
BITMAP *bit4 = nullptr;

// The first call fixes the area; later calls reuse it whatever they pass.
static bool make_scratch_areas(int areaw, int areah) {
  if (areaw < 1 || areah < 1) return false;
  bit2 = create_bitmap(areaw, areah);
  bit4 = create_bitmap(areaw, areah);
  if (!bit2 || !bit4) {
    if (bit2) destroy_bitmap(bit2);
    if (bit4) destroy_bitmap(bit4);
    bit2 = bit4 = nullptr;
    return false;
  }
  arr = 1;
  return true;
}

int collisione(int areaw, int areah, BITMAP *spr1, int spr1w, int spr1h, int spr1x, int spr1y,
               BITMAP *spr2, int spr2x, int spr2y) {
  if (arr == 0 && !make_scratch_areas(areaw, areah)) return 0;

  // The colour the masked draws skip, whatever depth or layout makecol follows by now.
  const int mask = bitmap_mask_color(bit4);
  // The whole scratch areas, not just this call's area: a smaller (or
  // negative) area would otherwise leave an earlier call's sprites to hit.
  clear_to_color(bit4, mask);
  clear_to_color(bit2, mask);
  draw_sprite(bit4, spr2, spr2x, spr2y);
  draw_sprite(bit2, spr1, spr1x, spr1y);

  for (collx = 0; collx <= spr1w; collx++)
    for (colly = 0; colly <= spr1h; colly++) {
      collcolore = getpixel(bit4, spr1x + collx, spr1y + colly);
      collcolore2 = getpixel(bit2, spr1x + collx, spr1y + colly);
      if (collcolore != mask && collcolore2 != mask && collcolore != -1) return 1;
    }
  return 0;
}

}  // namespace zephyrun
