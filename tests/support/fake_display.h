// A stand-in for the graphics driver and the screen, so routines that present
// to `screen` at the driver's size can run on memory bitmaps in unit tests.
#pragma once

#include <allegro.h>

namespace testing_support {

class FakeDisplay {
 public:
  FakeDisplay(int w, int h);
  ~FakeDisplay();  // restores the real (absent) driver and screen
  BITMAP *screen_bitmap() const { return shown_; }

 private:
  GFX_DRIVER driver_{};
  GFX_DRIVER *saved_driver_;
  BITMAP *saved_screen_;
  BITMAP *shown_;
};

}  // namespace testing_support
