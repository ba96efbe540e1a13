// Starting the library without a display, and comparing pictures colour by
// colour: pixel words are laid out differently headless and under X11.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

#include "asset_maker.h"

namespace testing_support {

// Starts Allegro with no system driver once per process; sets the depth of new bitmaps.
void start_headless_allegro(int depth = 15);
// The fixture of tests that draw on memory bitmaps at the game's depth.
struct HeadlessTest : ::testing::Test {
  static void SetUpTestSuite() { start_headless_allegro(15); }
};

using asset_maker::BitmapPtr;  // the asset maker's: an Allegro bitmap destroyed with its owner

BitmapPtr make_filled_bitmap(int w, int h, int colour);
// A different colour at every pixel, so any misplaced pixel shows.
BitmapPtr make_pattern_bitmap(int w, int h, int seed = 0);
// Empty when both have the same size and colours; else the first difference.
std::string first_difference(BITMAP *expected, BITMAP *actual);
bool pixel_is(BITMAP *bmp, int x, int y, int r, int g, int b);  // exactly makecol(r, g, b)
// Each channel of `shown` (r, g, b bytes, as in a screenshot) within `tolerance`.
bool near_colour(const unsigned char *shown, int r, int g, int b, int tolerance);

}  // namespace testing_support
