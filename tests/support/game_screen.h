// What the game's 640x480 frame shows, read back from a screenshot of its
// window: where the resting ship is, the number the counter shows, and whether
// the line of a game resting in the background is across it.
#pragma once

#include <vector>

#include "game_process.h"
#include "test_support.h"

namespace testing_support {

// The resting ship is drawn 275 x 299 at (x + 26, 153), x being its base
// rectangle's left edge: 150 at rest, moved in steps of 12 within -30 ... 354.
constexpr int ship_rest_x = 150;
constexpr int no_ship = -999;

// The ship's five frames from the built datafile, drawn at the resting size.
// Needs the library started (at depth 24, as screenshots are).
std::vector<BitmapPtr> resting_ship_pictures();

// The ship's x where the frame shows one of its upright pictures: more than
// 90 % of that picture's opaque pixels (every third) in its colours; no_ship else.
int ship_x(const Screenshot &frame, const std::vector<BitmapPtr> &ships);

// The number the counter at (10, 10) shows, or -1 where it shows none. Needs
// the library started, for its font.
int counter_shown(const Screenshot &frame);

// Whether the line across the middle says the game rests in the background.
bool shows_resting_line(const Screenshot &frame);

}  // namespace testing_support
