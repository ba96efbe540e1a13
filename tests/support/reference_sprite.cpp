#include "reference_scene.h"

namespace testing_support {

static int reference_data = 1;
static BITMAP *reference_scratch;

static int screen_width() { return gfx_driver ? gfx_driver->w : 0; }
static int screen_height() { return gfx_driver ? gfx_driver->h : 0; }

void reference_sprite(BITMAP *destination, BITMAP *picture, int basew, int baseh, int x, int y,
                      int angle, int groww, int growh) {
  if (reference_data == 1) {
    reference_scratch = create_bitmap(3 * screen_width(), 3 * screen_height());
    clear_to_color(reference_scratch, makecol(255, 0, 255));
    reference_data = 0;
  }
  stretch_sprite(reference_scratch, picture, 0, 0, basew + groww, baseh + growh);
  pivot_sprite(destination, reference_scratch, x + basew / 2 - groww / 2,
               y + baseh / 2 - growh / 2, basew / 2, baseh / 2, itofix(angle));
  rectfill(reference_scratch, 0, 0, 3 * screen_width(), 3 * screen_height(),
           makecol(255, 0, 255));
}

void reset_reference_sprite() {
  if (reference_scratch) destroy_bitmap(reference_scratch);
  reference_scratch = nullptr;
  reference_data = 1;
}

}  // namespace testing_support
