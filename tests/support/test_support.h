// Helpers shared by the tests: starting the library without a display, and
// comparing pictures colour by colour (never by raw pixel words, whose layout
// differs between the headless system and the X11 driver).
#pragma once

#include <allegro.h>

#include <string>

#include "asset_maker.h"

namespace testing_support {

// Starts Allegro with no system driver (memory bitmaps only) once per process
// and selects the colour depth for bitmaps made afterwards.
void start_headless_allegro(int depth = 15);

using ::BitmapPtr;  // the asset maker's: an Allegro bitmap destroyed with its owner

// A memory bitmap of the current depth filled with one colour.
BitmapPtr make_filled_bitmap(int w, int h, int colour);

// A picture with a different colour at every pixel (a gradient in all three
// channels), so any misplaced pixel shows.
BitmapPtr make_pattern_bitmap(int w, int h, int seed = 0);

// Empty string when both bitmaps have the same size and the same colour at
// every pixel; otherwise a description of the first difference.
std::string first_difference(BITMAP *expected, BITMAP *actual);

// True when the pixel has exactly the colour makecol(r, g, b) gives.
bool pixel_is(BITMAP *bmp, int x, int y, int r, int g, int b);

// True when each channel of `shown` (r, g, b bytes, as a screenshot holds
// them) is within `tolerance` of the colour asked for.
bool near_colour(const unsigned char *shown, int r, int g, int b, int tolerance);

}  // namespace testing_support
