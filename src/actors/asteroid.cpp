// The enemy: one asteroid at a time, appearing small at a random place and
// growing in place for fifteen frames as it comes at the viewer; the next one
// appears the frame after.
#include "actors/actors.h"

#include <cstdlib>

namespace zephyrun {

int astx, asty, astw, asth, astflag1;

constexpr int asteroid_width = 240, asteroid_height = 220;
// Where one appears: left and top edges drawn below these, then pushed in from the corner.
constexpr int spawn_columns = 550, spawn_rows = 250, spawn_margin = 50;
// Its growths: far and small when it appears, nearer by these steps a frame, and gone
// once both have passed the last ones.
constexpr int far_width_growth = -200, far_height_growth = -150;
constexpr int width_step = 24, height_step = 16;
constexpr int last_width_growth = 99, last_height_growth = 74;

void nemico() {
  if (astflag1 == 0) {
    astx = std::rand() % spawn_columns;
    asty = std::rand() % spawn_rows;
    if (astx < spawn_margin) astx = spawn_margin;
    if (asty < spawn_margin) asty = spawn_margin;
    astw = far_width_growth;
    asth = far_height_growth;
    astflag1 = 1;
  }
  if (astflag1 == 1) {
    sprite(buf, asteroide, asteroid_width, asteroid_height, astx, asty, 0, astw, asth);
    astw = astw + width_step;
    asth = asth + height_step;
  }
  if (astflag1 == 1 && astw > last_width_growth && asth > last_height_growth) astflag1 = 0;
}

}  // namespace zephyrun
