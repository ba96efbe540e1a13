// Plain, slow versions of the scene's drawing routines, written step by step
// as the procedures were first described, with state of their own: the
// oracles the fast routines are compared with, pixel for pixel, and the
// reference frame of the flying-frame benchmark.
#pragma once

#include <allegro.h>

namespace testing_support {

// The sprite as first described: stretch into the corner of a scratch three
// screens by three, pivot the whole scratch, wipe the whole scratch.
void reference_sprite(BITMAP *destination, BITMAP *picture, int basew, int baseh, int x, int y,
                      int angle, int groww, int growh);

// Forgets the reference sprite's scratch, so the next call sizes a new one
// from the screen size of that moment.
void reset_reference_sprite();

}  // namespace testing_support
