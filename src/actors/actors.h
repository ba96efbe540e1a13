// The game's actors: the player's ship, its shot and the asteroid. Each draws
// itself into the game's back buffer through the toolkit's sprite, with what
// the last pass left, then advances; the shot reads the ship's x and y.
#pragma once

#include "game/game.h"

namespace zephyrun {

// --- Player: actors/player.cpp ---

// Player: draws the ship into buf from cors (frames 0..12), then animates it,
// steers it with the arrow keys or the pad (controls/controls.h: 12 pixels a
// pass a direction is held, leaning -5/+5 sideways) and flies it in from
// below on the first 36 calls. A move shows one call later.
void giocatore();

// Player state; the shot reads x and y.
extern int x;           // left edge of the base rectangle
extern int y;           // top edge of the base rectangle
extern int giow;        // width growth: 200 at the fly-in's start, -52 after it
extern int gioh;        // height growth: 250 at the fly-in's start, -110 after it
extern int giorot;      // tilt: 0, -5 or +5
extern int giocont2;    // datafile object drawn: 0, 3, 6, 9, 12
extern int giocont1;    // animation direction: 0 = up, 1 = down
extern int gioattivo1;  // fly-in: 0 = not begun, 1 = flying in, 2 = arrived

// --- Player shot: actors/player_shot.cpp ---

// Player shot: fire = 1 starts a shot in front of the player unless one is in
// flight; a shot is drawn (cors object 15) shrinking on 10 calls, then ends.
void sparogiocatore(int fire);

// Shot state.
extern int xpro;      // left edge of the base rectangle, set at spawn
extern int ypro;      // top edge of the base rectangle, set at spawn
extern int wpro;      // width growth
extern int hpro;      // height growth
extern int proflag3;  // 1 while a shot is in flight

// --- Enemy asteroid: actors/asteroid.cpp ---

// Enemy: spawns an asteroid at a rand() place when none is in flight, then
// draws it growing on 15 calls; the next call spawns the next.
void nemico();

// Asteroid state.
extern int astx;      // left edge of the base rectangle, 50 .. 549
extern int asty;      // top edge of the base rectangle, 50 .. 249
extern int astw;      // width growth
extern int asth;      // height growth
extern int astflag1;  // 1 while an asteroid is in flight

}  // namespace zephyrun
