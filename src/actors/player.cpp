// The player's ship: drawn first with what the last call left, then animated,
// steered by the arrow keys (leaning into sideways moves) and, at the start,
// flown in from below the screen, large, to its resting place.
#include "zephyrun.h"

namespace zephyrun {

int x, y, giow, gioh, giorot, giocont2, giocont1, gioattivo1;

constexpr int ship_width = 327, ship_height = 409;
constexpr int ship_step = 12;
constexpr int ship_lean = 5;

// The frames run 0, 3, ... 12 and back; counting up to 15 turns the count
// round in the same call, so 15 itself is never drawn.
static void animate_ship() {
  if (giocont1 == 0 && giocont2 <= 15) {
    giocont2 = giocont2 + 3;
    if (giocont2 > 14) {
      giocont1 = 1;
      giocont2 = 15;
    }
  }
  if (giocont1 == 1 && giocont2 <= 15) {
    giocont2 = giocont2 - 3;
    if (giocont2 <= 0) {
      giocont1 = 0;
      giocont2 = 0;
    }
  }
}

static void steer_ship() {
  if (key[KEY_UP] && y > -50) y = y - ship_step;
  if (key[KEY_DOWN] && y <= 89) y = y + ship_step;
  if (key[KEY_LEFT] && x > -30) {
    x = x - ship_step;
    giorot = -ship_lean;
  }
  if (key[KEY_RIGHT] && x <= 349) {
    x = x + ship_step;
    giorot = ship_lean;
  }
}

static void fly_in() {
  if (gioattivo1 == 0) {
    x = 150;
    y = 530;
    giow = 200;
    gioh = 250;
    gioattivo1 = 1;
  }
  if (gioattivo1 == 1) {
    if (y > 99) y = y - ship_step;
    if (giow > -50) giow = giow - ship_step;
    if (gioh > -100) gioh = gioh - ship_step;
    if (y <= 100 && giow <= -50 && gioh <= -100) gioattivo1 = 2;
  }
}

void giocatore() {
  sprite(buf, static_cast<BITMAP *>(cors[giocont2].dat), ship_width, ship_height, x, y, giorot,
         giow, gioh);
  giorot = 0;
  if (y > 90) animate_ship();
  steer_ship();
  fly_in();
}

}  // namespace zephyrun
