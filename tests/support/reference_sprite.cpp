#include "reference_scene.h"

namespace testing_support {

static BITMAP *scratch;  // made on the first call, from the screen size then

void reference_sprite(BITMAP *destination, BITMAP *picture, int basew, int baseh, int x, int y,
                      int angle, int groww, int growh) {
  const int screen_w = gfx_driver ? gfx_driver->w : 0, screen_h = gfx_driver ? gfx_driver->h : 0;
  if (!scratch) {
    scratch = create_bitmap(3 * screen_w, 3 * screen_h);
    clear_to_color(scratch, makecol(255, 0, 255));
  }
  stretch_sprite(scratch, picture, 0, 0, basew + groww, baseh + growh);
  pivot_sprite(destination, scratch, x + basew / 2 - groww / 2, y + baseh / 2 - growh / 2,
               basew / 2, baseh / 2, itofix(angle));
  rectfill(scratch, 0, 0, 3 * screen_w, 3 * screen_h, makecol(255, 0, 255));
}

}  // namespace testing_support
