// The scrolling ground makes only the part of itself that reaches the screen;
// what reaches it, and its state, must be what the plain procedure gives.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "reference_scene.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

// Opaque, every pixel's colour at random: a pixel from a wrong place shows.
BitmapPtr noisy_texture(int w, int h, unsigned seed) {
  BitmapPtr texture = make_filled_bitmap(w, h, 0);
  std::mt19937 random(seed);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++)
      putpixel(texture.get(), x, y, makecol(random() & 255, 8 + random() % 248, random() & 255));
  return texture;
}

using ScrollingGround = HeadlessTest;

// A ground as at program start, made afresh on the next call.
void fresh_ground() {
  for (BITMAP **strip : {&bmp2, &bmp3}) {
    if (*strip) destroy_bitmap(*strip);
    *strip = nullptr;
  }
  array = 2;
  b = 1.0f;
  immy1 = 0;
}

// The ground's state as the plain procedure left it.
bool same_state_as(const ReferenceGround &r, int height) {
  bool same = immy1 == r.immy1 && a == r.a && array == r.array && b == r.b &&
              schermox == r.schermox && schermoy == r.schermoy;
  for (int row = 0; row <= height; row++)
    same = same && scorrimentox[row] == r.scorrimentox[row] && inc[row] == r.inc[row];
  return same;
}

// Nine calls a case from a fresh ground onto a pattern (clipped in every third
// case); before the 4th and 7th calls the rows' offsets jump far into the drift,
// each row elsewhere, and the scroll offset to a value of the case's own. After
// every call the frames, and all the ground's state, must agree.
TEST_F(ScrollingGround, MatchesThePlainProcedureOverSizesScrollOffsetsDriftsPlacesAndAngles) {
  const int sizes[][4] = {{2560, 200, 1280, 200}, {1002, 77, 600, 77}, {640, 40, 400, 60}};
  const int places[][3] = {{-320, 330, 0},   {-320, 300, 5},    {-320, 310, -5},  {-320, 200, 64},
                           {-500, 100, 128}, {100, 350, 0},     {-900, 420, 17},  {500, 460, 0},
                           {-320, -300, 0},  {700, 100, 0},     {-320, 330, 300}, {-100, 0, -37},
                           {-320, 320, 256}, {-1000, 250, -512}};
  const int drifts[] = {0, 5, -5, 640, 37};
  const int steps[] = {1, -1, 0, 3};
  BitmapPtr background = make_pattern_bitmap(640, 480, 4);
  BitmapPtr expected = make_filled_bitmap(640, 480, 0);
  BitmapPtr actual = make_filled_bitmap(640, 480, 0);
  int cases = 0;
  for (auto [span, height, texture_w, texture_h] : sizes) {
    BitmapPtr texture = noisy_texture(texture_w, texture_h, span);
    for (auto [x, y, angle] : places)
      for (int drift : drifts) {
        cases++;
        fresh_ground();
        auto reference = std::make_unique<ReferenceGround>();
        const int step = steps[cases % 4];
        const bool clipped = cases % 3 == 2;
        for (int call = 0; call < 9; call++) {
          if (call == 3 || call == 6) {
            for (int row = 0; row <= height; row++)
              scorrimentox[row] = reference->scorrimentox[row] += 97 * drift + row;
            immy1 = reference->immy1 = -(cases * 37 + call) % (height + 1);
          }
          for (BITMAP *target : {expected.get(), actual.get()}) {
            blit(background.get(), target, 0, 0, 0, 0, 640, 480);
            set_clip_rect(target, 0, 0, 639, 479);
            if (clipped) set_clip_rect(target, 100, 350, 400, 420);
          }
          reference->livscroll(texture.get(), expected.get(), span, height, drift, step, x,
                               y + call, angle);
          livscroll(texture.get(), actual.get(), span, height, drift, step, x, y + call, angle);
          const std::string difference = first_difference(expected.get(), actual.get());
          ASSERT_TRUE(same_state_as(*reference, height) && difference.empty())
              << "span " << span << " angle " << angle << " at " << x << "," << y << " drift "
              << drift << " step " << step << " call " << call << ": state or pixels differ; "
              << difference;
        }
      }
  }
}

// Sizes the ground cannot be made for (a height past the tables' 10000 rows,
// a span without a column) are refused touching nothing. Where the texture
// cannot fill the ground (a hole, too narrow, too short) the plain procedure
// shows whatever the strip last held; the ground shows what is behind instead.
TEST_F(ScrollingGround, RefusesSizesItCannotMakeAndGapsInTheTextureShowWhatIsBehind) {
  fresh_ground();
  BitmapPtr texture = make_filled_bitmap(700, 120, makecol(128, 128, 128));
  rectfill(texture.get(), 600, 0, 679, 119, makecol(255, 0, 255));  // a hole
  BitmapPtr target = make_filled_bitmap(640, 480, makecol(0, 0, 200));
  const int refused[][2] = {{2560, 10000}, {2560, 1}, {0, 200}, {1, 200}, {-4, 200}};
  for (auto [span, height] : refused) {
    livscroll(texture.get(), target.get(), span, height, 0, 1, -320, 330, 0);
    EXPECT_TRUE(array == 2 && bmp3 == nullptr) << span << "x" << height << " was set up";
    EXPECT_TRUE(pixel_is(target.get(), 10, 340, 0, 0, 200)) << span << "x" << height;
  }
  livscroll(texture.get(), target.get(), 2560, 200, 0, 1, -320, 330, 0);
  EXPECT_TRUE(pixel_is(target.get(), 10, 340, 128, 128, 128));
  for (auto [x, y] : {std::pair{320, 340}, {639, 340}, {10, 470}})  // hole, right, bottom
    EXPECT_TRUE(pixel_is(target.get(), x, y, 0, 0, 200)) << x << "," << y;
}

}  // namespace
