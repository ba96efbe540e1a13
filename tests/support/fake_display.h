// Stands in for the screen with a memory bitmap, for code that presents to
// `screen`. No graphics driver is faked: nothing may size itself by one.
#pragma once

#include <allegro.h>

namespace testing_support {

class FakeDisplay {
 public:
  FakeDisplay(int w, int h) : saved_screen_(screen) {
    screen = create_bitmap(w, h);
    clear_to_color(screen, makecol(1, 2, 3));
  }
  ~FakeDisplay() {
    destroy_bitmap(screen);
    screen = saved_screen_;
  }

 private:
  BITMAP *saved_screen_;
};

}  // namespace testing_support
