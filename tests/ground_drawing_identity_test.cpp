// The scrolling ground makes only the part of itself that reaches the screen;
// what reaches it, and all of the ground's state, must be what the plain
// procedure gives (strip copies, every row stretched, the whole ground
// pivoted), call after call.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "reference_scene.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

class GroundIdentity : public ::testing::Test {
 protected:
  void SetUp() override {
    start_headless_allegro(15);
    fresh_ground();
  }
  void fresh_ground() {
    using namespace zephyrun;
    if (bmp2) destroy_bitmap(bmp2);
    if (bmp3) destroy_bitmap(bmp3);
    bmp2 = bmp3 = nullptr;
    array = 2, b = 1.0f, immy1 = 0;
    reference = std::make_unique<ReferenceGround>();
  }
  // Opaque, every pixel's colour at random: a pixel from a wrong place shows.
  static BitmapPtr noisy_texture(int w, int h, unsigned seed) {
    BitmapPtr texture = make_filled_bitmap(w, h, 0);
    std::mt19937 random(seed);
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++)
        putpixel(texture.get(), x, y, makecol(random() & 255, 8 + random() % 248, random() & 255));
    return texture;
  }
  // One call of each onto a copy of `background` (clip included).
  void expect_same_call(BITMAP *texture, BITMAP *background, int span, int height, int drift,
                        int step, int x, int y, int angle, const std::string &label) {
    BitmapPtr expected = make_filled_bitmap(640, 480, 0), actual = make_filled_bitmap(640, 480, 0);
    int l, t, r, b;
    get_clip_rect(background, &l, &t, &r, &b);
    for (BITMAP *target : {expected.get(), actual.get()}) {
      blit(background, target, 0, 0, 0, 0, 640, 480);
      set_clip_rect(target, l, t, r, b);
    }
    reference->livscroll(texture, expected.get(), span, height, drift, step, x, y, angle);
    zephyrun::livscroll(texture, actual.get(), span, height, drift, step, x, y, angle);
    for (int row = 0; row < 480; row++)
      if (std::memcmp(expected->line[row], actual->line[row], 640 * 2) != 0)
        FAIL() << label << ": " << first_difference(expected.get(), actual.get());
    ASSERT_TRUE(zephyrun::immy1 == reference->immy1 && zephyrun::a == reference->a &&
                zephyrun::array == reference->array && zephyrun::b == reference->b &&
                zephyrun::schermox == reference->schermox &&
                zephyrun::schermoy == reference->schermoy)
        << label;
    for (int row = 0; row <= height; row++)
      ASSERT_TRUE(zephyrun::scorrimentox[row] == reference->scorrimentox[row] &&
                  zephyrun::inc[row] == reference->inc[row])
          << label << " row " << row;
    calls++;
  }
  std::unique_ptr<ReferenceGround> reference;
  long calls = 0;
};

TEST_F(GroundIdentity, GamesGroundOverThreeScrollPeriodsOfSway) {
  BitmapPtr texture = noisy_texture(1280, 200, 1), sky = make_pattern_bitmap(640, 480, 2);
  for (int pass = 0, sway = 0; pass < 3 * 201 + 5 && !HasFatalFailure(); pass++) {
    const int phase = pass % 110;
    sway += phase < 9 ? 1 : (phase < 28 ? -1 : (phase < 37 ? 1 : 0));
    expect_same_call(texture.get(), sky.get(), 2560, 200, 0, 1, -320, 330 + sway, 0,
                     "pass " + std::to_string(pass));
  }
  std::printf("game's ground: %ld calls, %ld pixels compared\n", calls, calls * 640 * 480);
}

TEST_F(GroundIdentity, SweepOfSizesOffsetsDriftsPlacesAndAngles) {
  struct Sizes {
    int span, height, texture_w, texture_h;
  } sizes[] = {{2560, 200, 1280, 200}, {1002, 77, 600, 77}, {640, 40, 400, 60}};
  struct Place {
    int x, y, angle;
  } places[] = {{-320, 330, 0},   {-320, 300, 5},  {-320, 310, -5}, {-320, 200, 64},
                {-500, 100, 128}, {100, 350, 0},   {-900, 420, 17}, {500, 460, 0},
                {-320, -300, 0},  {700, 100, 0},   {-320, 330, 300}, {-100, 0, -37},
                {-320, 320, 256}, {-1000, 250, -512}};
  const int drifts[] = {0, 5, -5, 640, 37}, steps[] = {1, -1, 0, 3};
  BitmapPtr background = make_pattern_bitmap(640, 480, 4);
  long cases = 0;
  for (const Sizes &size : sizes) {
    BitmapPtr texture = noisy_texture(size.texture_w, size.texture_h, size.span);
    for (const Place &place : places)
      for (int drift : drifts) {
        fresh_ground();
        set_clip_rect(background.get(), 0, 0, 639, 479);
        if (cases % 3 == 0) set_clip_rect(background.get(), 100, 350, 400, 420);
        for (int call = 0; call < 6 && !HasFatalFailure(); call++) {
          if (call == 3)  // then on from far into the drift, each row elsewhere
            for (int row = 0; row <= size.height; row++) {
              zephyrun::scorrimentox[row] += 97 * drift + row;
              reference->scorrimentox[row] += 97 * drift + row;
            }
          const int step = steps[cases % 4];
          expect_same_call(texture.get(), background.get(), size.span, size.height, drift, step,
                           place.x, place.y + call, place.angle,
                           "span " + std::to_string(size.span) + " angle " +
                               std::to_string(place.angle) + " at " + std::to_string(place.x) +
                               "," + std::to_string(place.y) + " drift " + std::to_string(drift) +
                               " step " + std::to_string(step) + " call " + std::to_string(call));
        }
        cases++;
      }
  }
  std::printf("ground sweep: %ld cases, %ld calls, %ld pixels compared\n", cases, calls,
              calls * 640 * 480);
}

// Where the texture cannot fill the ground (holes, too narrow, too short) the
// plain procedure shows whatever the strip last held; the ground leaves those
// places transparent instead, so the background shows.
TEST_F(GroundIdentity, GapsInTheTextureShowWhatIsBehind) {
  const int grey = makecol(128, 128, 128), sky = makecol(0, 0, 200);
  BitmapPtr texture = make_filled_bitmap(700, 120, grey);  // 580 columns, 80 rows short
  rectfill(texture.get(), 600, 0, 679, 119, makecol(255, 0, 255));
  BitmapPtr target = make_filled_bitmap(640, 480, sky);
  zephyrun::livscroll(texture.get(), target.get(), 2560, 200, 0, 1, -320, 330, 0);
  EXPECT_TRUE(pixel_is(target.get(), 10, 340, 128, 128, 128));
  EXPECT_TRUE(pixel_is(target.get(), 320, 340, 0, 0, 200));  // the hole
  EXPECT_TRUE(pixel_is(target.get(), 639, 340, 0, 0, 200));  // beyond column 700
  EXPECT_TRUE(pixel_is(target.get(), 10, 470, 0, 0, 200));   // beyond row 120
}

}  // namespace
