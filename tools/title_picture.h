// The title picture shown, fading to black, before the flight begins.
#pragma once

#include "picture.h"

constexpr int title_width = 640;
constexpr int title_height = 480;

// The game's other pictures, which the title stages as a scene.
struct TitleScenery {
  const Picture &sky, &ground, &ship, &asteroid, &shot;
};

// 640 x 480, opaque: the ship over the fields at dusk under the game's name,
// "ZEPHYRUN", in large bevelled letters. Needs Allegro started (it borrows the
// library's 8x8 font for the letters).
Picture draw_title(const TitleScenery &scenery);
