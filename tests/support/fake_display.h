// Stands in for the graphics driver and the screen, so code that presents to
// `screen` at the driver's size runs on memory bitmaps.
#pragma once

#include <allegro.h>

namespace testing_support {

class FakeDisplay {
 public:
  FakeDisplay(int w, int h) : saved_driver_(gfx_driver), saved_screen_(screen) {
    driver_.w = w;
    driver_.h = h;
    gfx_driver = &driver_;
    screen = create_bitmap(w, h);
    clear_to_color(screen, makecol(1, 2, 3));
  }
  ~FakeDisplay() {
    destroy_bitmap(screen);
    gfx_driver = saved_driver_;
    screen = saved_screen_;
  }

 private:
  GFX_DRIVER driver_{};
  GFX_DRIVER *saved_driver_;
  BITMAP *saved_screen_;
};

}  // namespace testing_support
