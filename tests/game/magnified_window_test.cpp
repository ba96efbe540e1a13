// The magnified window on memory bitmaps: whole blocks per pixel at every
// scale, and at scale 2 a window showing exactly the scale-1 frame, counter
// included, while everything else stays at 640x480.
#include <gtest/gtest.h>

#include "fake_display.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

// The plain way: every target pixel read from the frame pixel it magnifies.
BitmapPtr magnified_by_hand(BITMAP *frame, BITMAP *target, int scale) {
  BitmapPtr expected = make_filled_bitmap(target->w, target->h, 0);
  blit(target, expected.get(), 0, 0, 0, 0, target->w, target->h);
  for (int y = 0; y < frame->h * scale; y++)
    for (int x = 0; x < frame->w * scale; x++)
      putpixel(expected.get(), x, y, getpixel(frame, x / scale, y / scale));
  return expected;
}

class MagnifiedWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { start_headless_allegro(15); }
  void SetUp() override {
    tempo1 = fps = fps1 = fps3 = misuratore = rallentatore = 0;
    pacing_clock = [] { return std::time_t{5000}; };
    retrace_wait = [] {};
  }
  void TearDown() override { window_scale = 1; }
};

TEST_F(MagnifiedWindow, EveryPixelBecomesAWholeBlockAndNothingBeyondItIsTouched) {
  BitmapPtr frame = make_pattern_bitmap(640, 480);
  for (int scale = 1; scale <= 4; scale++) {
    // Wider and taller than the magnified frame, so a spill past it shows.
    BitmapPtr target = make_filled_bitmap(640 * scale + 7, 480 * scale + 5, makecol(1, 2, 3));
    BitmapPtr expected = magnified_by_hand(frame.get(), target.get(), scale);
    magnify(frame.get(), target.get(), scale);
    EXPECT_EQ(first_difference(expected.get(), target.get()), "") << "scale " << scale;
  }
}

TEST_F(MagnifiedWindow, AtScaleTwoTheWindowShowsTheScaleOneFrameWithItsCounterInBlocks) {
  BitmapPtr picture = make_pattern_bitmap(640, 480);
  BitmapPtr back = make_filled_bitmap(640, 480, 0);
  BitmapPtr at_scale_one = make_filled_bitmap(640, 480, 0);
  {
    FakeDisplay display(640, 480);
    blit(picture.get(), back.get(), 0, 0, 0, 0, 640, 480);
    present_to_window(30, back.get(), 1, 0);
    blit(screen, at_scale_one.get(), 0, 0, 0, 0, 640, 480);
  }
  ASSERT_NE(first_difference(picture.get(), at_scale_one.get()), "") << "no counter drawn";

  SetUp();
  window_scale = 2;
  FakeDisplay display(1280, 960);
  EXPECT_EQ(screen_size().w, 640) << "sprites and pacing size themselves by the frame";
  EXPECT_EQ(screen_size().h, 480);
  blit(picture.get(), back.get(), 0, 0, 0, 0, 640, 480);
  present_to_window(30, back.get(), 1, 0);
  BitmapPtr expected = magnified_by_hand(at_scale_one.get(), screen, 2);
  EXPECT_EQ(first_difference(expected.get(), screen), "");
  EXPECT_EQ(fps, 1) << "one pass counted";
  BitmapPtr cleared = make_filled_bitmap(640, 480, 0);
  EXPECT_EQ(first_difference(cleared.get(), back.get()), "") << "the back buffer is cleared";
}

}  // namespace
