// The player's ship: drawn first with what the last call left, then animated,
// steered by the arrow keys (leaning into sideways moves) and, at the start,
// flown in from below the screen, large, to its resting place.
#include "zephyrun.h"

namespace zephyrun {

int x, y, giow, gioh, giorot, giocont2, giocont1, gioattivo1;

constexpr int ship_width = 327, ship_height = 409;
constexpr int ship_step = 12;
constexpr int ship_lean = 5;
// Where the fly-in starts: large, and all but the top below the bottom edge.
constexpr int fly_in_x = 150, fly_in_y = 530;
constexpr int fly_in_width_growth = 200, fly_in_height_growth = 250;

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
    x = fly_in_x;
    y = fly_in_y;
    giow = fly_in_width_growth;
    gioh = fly_in_height_growth;
    gioattivo1 = 1;
  }
  if (gioattivo1 == 1) {
    if (y > 99) y = y - ship_step;
    if (giow > -50) giow = giow - ship_step;
    if (gioh > -100) gioh = gioh - ship_step;
    if (y <= 100 && giow <= -50 && gioh <= -100) gioattivo1 = 2;
  }
}

static void draw_ship(int left, int top, int width_growth, int height_growth) {
  sprite(buf, static_cast<BITMAP *>(cors[giocont2].dat), ship_width, ship_height, left, top,
         giorot, width_growth, height_growth);
}

void giocatore() {
  // Before the fly-in the state is all zero, which would flash the ship full
  // size in the top-left corner for one frame: it shows where it starts instead.
  if (gioattivo1 == 0)
    draw_ship(fly_in_x, fly_in_y, fly_in_width_growth, fly_in_height_growth);
  else
    draw_ship(x, y, giow, gioh);
  giorot = 0;
  if (y > 90) animate_ship();
  steer_ship();
  fly_in();
}

}  // namespace zephyrun
