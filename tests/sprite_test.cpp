// The sprite every actor draws through: the cheap drawing must match the plain
// three-screens-scratch procedure pixel for pixel, wherever and however drawn.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "fake_display.h"
#include "reference_scene.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

class SpriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    start_headless_allegro(15);
    display = std::make_unique<FakeDisplay>(640, 480);
  }
  std::unique_ptr<FakeDisplay> display;
};

// Every pixel of a 640x480 frame after one call of each, over a sweep of
// sizes, growths, angles and places (and a caller's clip on every other
// case); the background is a pattern so a pixel drawn or skipped wrongly shows.
TEST_F(SpriteTest, CheapDrawingMatchesThePlainProcedureEverywhere) {
  struct Pair {
    int a, b;
  };
  const Pair bases[] = {{240, 220}, {327, 409}, {368, 134}, {31, 17}};
  const Pair growths[] = {{0, 0},     {-200, -150}, {-75, -37}, {24, 16},    {200, 250},
                          {-52, -110}, {-240, 10},  {5, -500},  {1700, 1200}};
  const int angles[] = {0, 5, -5, 64, 128, -64, 37, 211, 256, 300};
  const Pair places[] = {{150, 98}, {300, 200}, {20, 400}, {-100, 300},
                         {600, -80}, {700, 100}, {-2000, -2000}};
  BitmapPtr picture = make_pattern_bitmap(57, 43, 3);
  rectfill(picture.get(), 10, 5, 30, 20, makecol(255, 0, 255));  // a hole
  BitmapPtr background = make_pattern_bitmap(640, 480, 1);
  BitmapPtr expected = make_filled_bitmap(640, 480, 0), actual = make_filled_bitmap(640, 480, 0);
  long cases = 0, drawn = 0;
  for (Pair base : bases)
    for (Pair growth : growths)
      for (int angle : angles)
        for (Pair place : places) {
          for (BITMAP *frame : {expected.get(), actual.get()}) {
            blit(background.get(), frame, 0, 0, 0, 0, 640, 480);
            set_clip_rect(frame, 0, 0, 639, 479);
            if (cases % 2) set_clip_rect(frame, 100, 120, 500, 400);
          }
          reference_sprite(expected.get(), picture.get(), base.a, base.b, place.a, place.b,
                           angle, growth.a, growth.b);
          zephyrun::sprite(actual.get(), picture.get(), base.a, base.b, place.a, place.b, angle,
                           growth.a, growth.b);
          int l, t, r, b;
          get_clip_rect(actual.get(), &l, &t, &r, &b);
          ASSERT_EQ(cases % 2 ? 100 + 120 + 500 + 400 : 639 + 479, l + t + r + b) << "clip kept";
          bool drew = false;
          for (int y = 0; y < 480; y++) {
            drew = drew || std::memcmp(expected->line[y], background->line[y], 640 * 2) != 0;
            if (std::memcmp(expected->line[y], actual->line[y], 640 * 2) != 0)
              FAIL() << "base " << base.a << "x" << base.b << " growth " << growth.a << ","
                     << growth.b << " angle " << angle << " at " << place.a << "," << place.b
                     << ": " << first_difference(expected.get(), actual.get());
          }
          cases++;
          drawn += drew;
        }
  EXPECT_GT(drawn, cases / 3) << "a sweep that mostly draws nothing proves little";
  std::printf("sprite sweep: %ld cases (%ld drawing), %ld pixels compared\n", cases, drawn,
              cases * 640 * 480);
}

// With no graphics mode the scratch has no area: the call draws nothing and
// does not fail (the plain procedure would turn a 0 x 0 scratch).
TEST_F(SpriteTest, WithoutAScreenNothingIsDrawn) {
  BITMAP *kept_scratch = zephyrun::oggetto1;
  const int kept_data = zephyrun::data;
  GFX_DRIVER *kept_driver = gfx_driver;
  zephyrun::oggetto1 = nullptr;
  zephyrun::data = 1;
  gfx_driver = nullptr;
  BitmapPtr picture = make_filled_bitmap(10, 10, makecol(250, 0, 0));
  BitmapPtr frame = make_filled_bitmap(64, 48, 0);
  zephyrun::sprite(frame.get(), picture.get(), 10, 10, 5, 5, 7, 0, 0);
  zephyrun::sprite(frame.get(), picture.get(), 10, 10, 5, 5, 0, 0, 0);
  BitmapPtr blank = make_filled_bitmap(64, 48, 0);
  EXPECT_EQ(first_difference(blank.get(), frame.get()), "");
  gfx_driver = kept_driver;
  if (zephyrun::oggetto1) destroy_bitmap(zephyrun::oggetto1);
  zephyrun::oggetto1 = kept_scratch;
  zephyrun::data = kept_data;
}

}  // namespace
