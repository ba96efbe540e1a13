// The cross-fade: one step of a translucent fade from one picture (or plain
// colour) to another. The blend is prepared in the work bitmap and shown on
// the next call, so a fade is a series of calls with a rising level.
#include "zephyrun.h"

namespace zephyrun {

// A plain picture standing in for a NULL argument; lives for one call.
static BITMAP *plain_picture(int width, int height, int colour) {
  BITMAP *plain = create_bitmap(width, height);
  if (plain) clear_to_color(plain, colour);
  return plain;
}

void dissolvenza(BITMAP *work, BITMAP *target, BITMAP *pic1, int col1, BITMAP *pic2, int col2,
                 int width, int height, int level) {
  blit(work, target, 0, 0, 0, 0, width, height);
  clear(work);

  BITMAP *first = pic1 ? pic1 : plain_picture(width, height, col1);
  set_trans_blender(0, 0, 0, 255 - level);
  if (first) draw_trans_sprite(work, first, 0, 0);

  BITMAP *second = pic2 ? pic2 : plain_picture(width, height, col2);
  set_trans_blender(0, 0, 0, level);
  if (second) draw_trans_sprite(work, second, 0, 0);

  if (!pic1 && first) destroy_bitmap(first);
  if (!pic2 && second) destroy_bitmap(second);
}

}  // namespace zephyrun
