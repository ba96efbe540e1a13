// The player's shot: one at a time, started in front of the ship on a fire
// request, then shrinking in place for ten frames as it flies away.
#include "actors/actors.h"

namespace zephyrun {

int xpro, ypro, wpro, hpro, proflag3;

constexpr int shot_picture = 15;
constexpr int shot_width = 368, shot_height = 134;
// Where a shot starts from the ship's base rectangle, and its growths: near when fired,
// shrinking by these steps a frame, and ended once both have reached the last ones.
constexpr int offset_from_ship_x = -10, offset_from_ship_y = 100;
constexpr int near_width_growth = -150, near_height_growth = -75;
constexpr int width_step = 24, height_step = 8;
constexpr int last_width_growth = -200, last_height_growth = -150;

void sparogiocatore(int fire) {
  if (fire == 1 && proflag3 == 0) {
    xpro = x + offset_from_ship_x;
    ypro = y + offset_from_ship_y;
    wpro = near_width_growth;
    hpro = near_height_growth;
    proflag3 = 1;
  }
  if (proflag3 == 1) {
    sprite(buf, static_cast<BITMAP *>(cors[shot_picture].dat), shot_width, shot_height, xpro, ypro,
           0, wpro, hpro);
    wpro = wpro - width_step;
    hpro = hpro - height_step;
    if (wpro <= last_width_growth && hpro <= last_height_growth) proflag3 = 0;
  }
}

}  // namespace zephyrun
