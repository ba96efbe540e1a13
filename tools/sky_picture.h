// The sky behind the flying scene: dusk over distant hills.
#pragma once

#include "picture.h"

constexpr int sky_width = 640;
constexpr int sky_height = 480;

// 640 x 480, opaque: stars in a deep blue zenith, warm clouds lower down, a
// setting sun and two ranges of hills whose feet the ground covers.
Picture draw_sky();
