// Bounds of a turned rectangle, for drawing routines that clip the library's
// turned draws to the pixels a picture can actually reach.
#pragma once

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

}  // namespace zephyrun
