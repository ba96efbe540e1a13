// The magnified copy on memory bitmaps: every pixel a whole block at each scale.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

TEST(MagnifiedWindow, EveryPixelBecomesAWholeBlockAndNothingBeyondItIsTouched) {
  start_headless_allegro(15);
  BitmapPtr frame = make_pattern_bitmap(640, 480);
  for (int scale = 1; scale <= 4; scale++) {
    // Larger than the magnified frame, so a spill past it shows.
    const int background = makecol(1, 2, 3);
    BitmapPtr target = make_filled_bitmap(640 * scale + 7, 480 * scale + 5, background);
    BitmapPtr expected = make_filled_bitmap(target->w, target->h, background);
    for (int y = 0; y < 480 * scale; y++)
      for (int x = 0; x < 640 * scale; x++)
        putpixel(expected.get(), x, y, getpixel(frame.get(), x / scale, y / scale));
    zephyrun::magnify(frame.get(), target.get(), scale, 0, 0);
    EXPECT_EQ(first_difference(expected.get(), target.get()), "") << "scale " << scale;
  }
}
