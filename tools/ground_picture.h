// The ground texture seen in perspective under the player: a patchwork of
// fields with hedges, a winding river, a dirt road and scattered rocks.
#pragma once

#include "picture.h"

constexpr int ground_width = 1280;
constexpr int ground_height = 200;

// 1280 x 200, fully opaque; its last row runs on into its first, since the
// game scrolls it vertically round and round.
Picture draw_ground();
