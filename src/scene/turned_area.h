// Bounds of a turned rectangle, for drawing routines that clip the library's
// turned draws to the pixels a picture can actually reach.
#pragma once

#include <allegro.h>

namespace zephyrun {

struct Area {
  int left, top, right, bottom;  // inclusive
};

// The rectangle [left, right) x [top, bottom) moved so that `from` lies on the
// origin, turned by `angle` (256 a turn, clockwise on screen) and moved onto
// `to`; the whole pixels it covers, widened by two for the library's
// fixed-point rounding.
Area turned_bounds(double left, double top, double right, double bottom, double from_x,
                   double from_y, double to_x, double to_y, int angle);

// Whole pixels or angle units as the library's 16.16 fixed point. The library's itofix and
// pivot_sprite shift left, which is undefined for the negative values of every left lean and
// every pivot left of or above the destination; an unsigned shift gives the same bits.
inline fixed as_fixed_point(int whole) {
  return static_cast<fixed>(static_cast<unsigned int>(whole) << 16);
}

// pivot_sprite(target, picture, pivot_x, pivot_y, centre_x, centre_y, itofix(angle)), pixel
// for pixel, for any sign of its arguments.
inline void pivot_picture(BITMAP *target, BITMAP *picture, int pivot_x, int pivot_y, int centre_x,
                          int centre_y, int angle) {
  target->vtable->pivot_scaled_sprite_flip(
      target, picture, as_fixed_point(pivot_x), as_fixed_point(pivot_y), as_fixed_point(centre_x),
      as_fixed_point(centre_y), as_fixed_point(angle), as_fixed_point(1), FALSE);
}

}  // namespace zephyrun
