// The player's ship, seen from behind, and its shot.
#pragma once

#include "picture.h"

constexpr int ship_frame_count = 5;
constexpr int ship_width = 144;   // about the shape the ship is drawn at
constexpr int ship_height = 156;
constexpr int shot_width = 112;
constexpr int shot_height = 36;

// Animation frame 0 (engines idling) to 4 (full burn); transparent around the
// ship. The engine glow and its halo grow from frame to frame.
Picture draw_ship_frame(int frame);

// A flat, wide bolt of plasma, white-hot in the middle, transparent around it.
Picture draw_shot();
