// The player's ship: drawn first with what the last call left, then animated,
// steered by the arrow keys or the pad (leaning into sideways moves) and, at
// the start, flown in from below the screen, large, to its resting place.
#include "actors/actors.h"

#include "controls/controls.h"

namespace zephyrun {

int x, y, giow, gioh, giorot, giocont2, giocont1, gioattivo1;

constexpr int ship_width = 327, ship_height = 409;
constexpr int ship_step = 12;
constexpr int ship_lean = 5;
// How far the arrows may move the ship: each limit is checked before a step of ship_step.
constexpr int ship_highest = -50, ship_lowest = 89, ship_leftmost = -30, ship_rightmost = 349;
// Below this row the ship's frames animate.
constexpr int animation_row = 90;
// The fly-in: from below the screen, large, up to its resting row at its resting size.
constexpr int fly_in_x = 150, fly_in_y = 530, fly_in_width_growth = 200;
constexpr int fly_in_height_growth = 250;
constexpr int resting_row = 100, resting_width_growth = -50, resting_height_growth = -100;

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
  if (control_held(control_up) && y > ship_highest) y = y - ship_step;
  if (control_held(control_down) && y <= ship_lowest) y = y + ship_step;
  if (control_held(control_left) && x > ship_leftmost) {
    x = x - ship_step;
    giorot = -ship_lean;
  }
  if (control_held(control_right) && x <= ship_rightmost) {
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
    if (y >= resting_row) y = y - ship_step;
    if (giow > resting_width_growth) giow = giow - ship_step;
    if (gioh > resting_height_growth) gioh = gioh - ship_step;
    if (y <= resting_row && giow <= resting_width_growth && gioh <= resting_height_growth)
      gioattivo1 = 2;
  }
}

static void draw_ship(int left, int top, int width_growth, int height_growth) {
  sprite(buf, static_cast<BITMAP *>(cors[giocont2].dat), ship_width, ship_height, left, top, giorot,
         width_growth, height_growth);
}

void giocatore() {
  // Before the fly-in the state is all zero, which would flash the ship full
  // size in the top-left corner for one frame: it shows where it starts instead.
  if (gioattivo1 == 0)
    draw_ship(fly_in_x, fly_in_y, fly_in_width_growth, fly_in_height_growth);
  else
    draw_ship(x, y, giow, gioh);
  giorot = 0;
  if (y > animation_row) animate_ship();
  steer_ship();
  fly_in();
}

}  // namespace zephyrun
