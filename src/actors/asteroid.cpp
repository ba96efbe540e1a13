// The enemy: one asteroid at a time, appearing small at a random place and
// growing in place for fifteen frames as it comes at the viewer; the next one
// appears the frame after.
#include "zephyrun.h"

#include <cstdlib>

namespace zephyrun {

int astx, asty, astw, asth, astflag1;

constexpr int asteroid_width = 240, asteroid_height = 220;

void nemico() {
  if (astflag1 == 0) {
    astx = std::rand() % 550;
    asty = std::rand() % 250;
    if (astx <= 49) astx = 50;
    if (asty <= 49) asty = 50;
    astw = -200;
    asth = -150;
    astflag1 = 1;
  }
  if (astflag1 == 1) {
    sprite(buf, asteroide, asteroid_width, asteroid_height, astx, asty, 0, astw, asth);
    astw = astw + 24;
    asth = asth + 16;
  }
  if (astflag1 == 1 && astw > 99 && asth > 74) astflag1 = 0;
}

}  // namespace zephyrun
