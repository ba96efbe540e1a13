// The plain, slow versions of the scene's fast drawing routines: the tests
// compare the fast ones with these pixel for pixel, the benchmark races them.
#pragma once

#include <allegro.h>

namespace testing_support {

// The plain sprite: stretch into the corner of a scratch three times the
// first destination each way, pivot the whole scratch, wipe the whole scratch.
void reference_sprite(BITMAP *destination, BITMAP *picture, int basew, int baseh, int x, int y,
                      int angle, int groww, int growh);

// The plain scrolling ground: both terrain copies into the strip, every row
// stretched across the whole ground, all of it pivoted; set up on the first call.
struct ReferenceGround {
  int array = 2, schermox = 0, schermoy = 0, immy1 = 0, a = 0;
  BITMAP *bmp2 = nullptr, *bmp3 = nullptr, *wrapped_row = nullptr;
  float inc[10000] = {}, b = 1.0f;
  int scorrimentox[10000] = {};

  ~ReferenceGround();
  void livscroll(BITMAP *terrain, BITMAP *target, int span, int height, int drift, int step, int x,
                 int y, int angle);
};

}  // namespace testing_support
