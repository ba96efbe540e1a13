// The sprite every actor draws through: the cheap drawing must match the plain
// procedure, scratch and all, pixel for pixel, wherever and however drawn.
#include <gtest/gtest.h>

#include <tuple>

#include "reference_scene.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

using Sprite = HeadlessTest;

// The sprite as at program start: its scratch is made on the next call.
void fresh_sprite() {
  if (zephyrun::oggetto1) destroy_bitmap(zephyrun::oggetto1);
  zephyrun::oggetto1 = nullptr;
  zephyrun::data = 1;
}

// Every pixel of a 640x480 frame after one call of each, for every combination
// of base size, growth, angle and place (and a caller's clip on every other
// case, turned off on every fourth); the background is a pattern so a pixel
// drawn or skipped wrongly shows.
TEST_F(Sprite, CheapDrawingMatchesThePlainProcedureEverywhere) {
  fresh_sprite();
  const int bases[][2] = {{240, 220}, {327, 409}, {368, 134}, {31, 17}};
  const int grows[][2] = {{0, 0},      {-200, -150}, {-75, -37}, {24, 16},    {200, 250},
                          {-52, -110}, {-240, 10},   {5, -500},  {1700, 1200}};
  const int angles[] = {0, 5, -5, 64, 128, -64, 37, 211, 256, 300};
  const int places[][2] = {{150, 98},  {300, 200}, {20, 400},     {-100, 300},
                           {600, -80}, {700, 100}, {-2000, -2000}};
  BitmapPtr picture = make_pattern_bitmap(57, 43, 3);
  rectfill(picture.get(), 10, 5, 30, 20, makecol(255, 0, 255));  // a hole
  BitmapPtr background = make_pattern_bitmap(640, 480, 1);
  BitmapPtr expected = make_filled_bitmap(640, 480, 0);
  BitmapPtr actual = make_filled_bitmap(640, 480, 0);
  const int cases = 4 * 9 * 10 * 7;
  for (int n = 0; n < cases; n++) {
    const int *base = bases[n / 630];
    const int *grow = grows[n / 70 % 9];
    const int *at = places[n % 7];
    const int angle = angles[n / 7 % 10];
    for (BITMAP *frame : {expected.get(), actual.get()}) {
      set_clip_rect(frame, 0, 0, 639, 479);  // first: blit keeps to the rectangle, on or off
      set_clip_state(frame, TRUE);
      blit(background.get(), frame, 0, 0, 0, 0, 640, 480);
      if (n % 2) set_clip_rect(frame, 100, 120, 500, 400);
    }
    // A caller that turned its clip off gets the whole frame drawn on (the
    // plain procedure would write outside it), and its rectangle back.
    if (n % 4 == 3) {
      set_clip_rect(expected.get(), 0, 0, 639, 479);
      set_clip_state(actual.get(), FALSE);
    }
    const auto clip_before =
        std::make_tuple(actual->cl, actual->ct, actual->cr, actual->cb, actual->clip);
    reference_sprite(expected.get(), picture.get(), base[0], base[1], at[0], at[1], angle, grow[0],
                     grow[1]);
    zephyrun::sprite(actual.get(), picture.get(), base[0], base[1], at[0], at[1], angle, grow[0],
                     grow[1]);
    ASSERT_EQ(std::make_tuple(actual->cl, actual->ct, actual->cr, actual->cb, actual->clip),
              clip_before)
        << "clip changed";
    ASSERT_EQ(first_difference(expected.get(), actual.get()), "")
        << "base " << base[0] << "x" << base[1] << " growth " << grow[0] << "," << grow[1]
        << " angle " << angle << " at " << at[0] << "," << at[1];
  }
}

// The scratch is three times the first destination each way, made without any
// graphics mode: a picture grown past that is cut there on any later destination,
// unturned or turned.
TEST_F(Sprite, WhatGrowsPastThreeTimesTheFirstDestinationIsCut) {
  ASSERT_EQ(gfx_driver, nullptr);
  fresh_sprite();
  BitmapPtr first = make_filled_bitmap(100, 80, 0);
  BitmapPtr picture = make_filled_bitmap(10, 10, makecol(255, 255, 0));
  zephyrun::sprite(first.get(), picture.get(), 10, 10, 0, 0, 0, 0, 0);
  // 100x80 grown to 500x400, cut to 300x240: from (50, 40) unturned; half
  // turned about its pivot (400, 300), to its left and above.
  const int cases[][7] = {{250, 200, 0, 50, 40, 349, 279}, {550, 420, 128, 150, 100, 449, 339}};
  for (auto [left, top, angle, x1, y1, x2, y2] : cases) {
    BitmapPtr frame = make_filled_bitmap(640, 480, makecol(0, 0, 90));
    BitmapPtr expected = make_filled_bitmap(640, 480, makecol(0, 0, 90));
    zephyrun::sprite(frame.get(), picture.get(), 100, 80, left, top, angle, 400, 320);
    rectfill(expected.get(), x1, y1, x2, y2, makecol(255, 255, 0));
    EXPECT_EQ(first_difference(expected.get(), frame.get()), "") << "angle " << angle;
  }
}

}  // namespace
