// The enemy: a lumpy, cratered rock lit from the upper left.
#pragma once

#include "picture.h"

constexpr int asteroid_width = 160;
constexpr int asteroid_height = 128;

// 160 x 128 (the shape it is drawn at when close), transparent around the rock.
Picture draw_asteroid();
