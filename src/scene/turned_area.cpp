// Where a picture turned about a pivot can land, so the sprite and the ground
// clip the library's turned draws to those pixels and keep the rest untouched.
#include "turned_area.h"

#include <algorithm>
#include <cmath>

namespace zephyrun {

Area turned_bounds(double left, double top, double right, double bottom, double from_x,
                   double from_y, double to_x, double to_y, int angle) {
  const double turn = (angle & 255) * (2.0 * M_PI / 256.0);
  const double cosine = std::cos(turn), sine = std::sin(turn);
  double min_x = 1e18, max_x = -1e18, min_y = 1e18, max_y = -1e18;
  for (int corner = 0; corner < 4; corner++) {
    const double u = (corner & 1 ? right : left) - from_x;
    const double v = (corner & 2 ? bottom : top) - from_y;
    const double x = to_x + u * cosine - v * sine;
    const double y = to_y + u * sine + v * cosine;
    min_x = std::min(min_x, x), max_x = std::max(max_x, x);
    min_y = std::min(min_y, y), max_y = std::max(max_y, y);
  }
  return {static_cast<int>(std::floor(min_x)) - 2, static_cast<int>(std::floor(min_y)) - 2,
          static_cast<int>(std::ceil(max_x)) + 2, static_cast<int>(std::ceil(max_y)) + 2};
}

}  // namespace zephyrun
