// The player's shot: one at a time, started in front of the ship on a fire
// request, then shrinking in place for ten frames as it flies away.
#include "zephyrun.h"

namespace zephyrun {

int xpro, ypro, wpro, hpro, proflag3;

constexpr int shot_picture = 15;
constexpr int shot_width = 368, shot_height = 134;

void sparogiocatore(int fire) {
  if (fire == 1 && proflag3 == 0) {
    xpro = x - 10;
    ypro = y + 100;
    wpro = -150;
    hpro = -75;
    proflag3 = 1;
  }
  if (proflag3 == 1) {
    sprite(buf, static_cast<BITMAP *>(cors[shot_picture].dat), shot_width, shot_height, xpro,
           ypro, 0, wpro, hpro);
    wpro = wpro - 24;
    hpro = hpro - 8;
    if (wpro <= -200 && hpro <= -150) proflag3 = 0;
  }
}

}  // namespace zephyrun
