#include "fake_display.h"

namespace testing_support {

FakeDisplay::FakeDisplay(int w, int h)
    : saved_driver_(gfx_driver), saved_screen_(screen), shown_(create_bitmap(w, h)) {
  driver_.w = w;
  driver_.h = h;
  clear_to_color(shown_, makecol(1, 2, 3));
  gfx_driver = &driver_;
  screen = shown_;
}

FakeDisplay::~FakeDisplay() {
  gfx_driver = saved_driver_;
  screen = saved_screen_;
  destroy_bitmap(shown_);
}

}  // namespace testing_support
