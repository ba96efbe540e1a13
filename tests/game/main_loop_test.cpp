// The main loop's passes on memory bitmaps, the screen one of them, with a
// clock that never moves: no measuring window closes, so the pacing never waits.
#include <gtest/gtest.h>

#include <algorithm>

#include "actors/actors.h"
#include "fake_display.h"
#include "test_support.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

class MainLoop : public HeadlessTest {
 protected:
  void SetUp() override {
    pacing_clock = [] { return std::time_t{5000}; };
    retrace_wait = [] {};
    via = viacont = cicli = sg = c = d = r = proflag2 = proflag3 = 0;
    for (DATAFILE &object : objects_) object = {ship_.get(), DAT_BITMAP, 0, nullptr};
    objects_[16] = {nullptr, DAT_END, 0, nullptr};
    cors = objects_;
    buf = back_.get();
    dest = work_.get();
    prese = title_.get();
    cielo = sky_.get();
    bit = terrain_.get();
    asteroide = ship_.get();
    begin_title();
  }
  void run_passes(int passes) {
    for (int pass = 0; pass < passes; pass++) run_pass();
  }
  FakeDisplay display_{640, 480};
  BitmapPtr back_ = make_filled_bitmap(640, 480, 0);
  BitmapPtr work_ = make_filled_bitmap(640, 480, 0);
  BitmapPtr title_ = make_filled_bitmap(640, 480, makecol(255, 255, 255));
  BitmapPtr sky_ = make_filled_bitmap(640, 480, makecol(40, 80, 200));
  BitmapPtr terrain_ = make_pattern_bitmap(1280, 200);
  BitmapPtr ship_ = make_filled_bitmap(40, 30, makecol(200, 200, 0));
  DATAFILE objects_[17];
};

TEST_F(MainLoop, TitleFadesToBlackOver127PassesThenTheGroundScrollsOneRowAPassWithNoDrift) {
  run_pass();
  EXPECT_TRUE(pixel_is(screen, 639, 479, 255, 255, 255)) << "first frame: the title itself";
  int previous = 255;
  for (int pass = 2; pass <= 127; pass++) {
    run_pass();
    const int red = getr(getpixel(screen, 320, 200));
    ASSERT_LE(red, previous) << "pass " << pass;
    ASSERT_EQ(via, 0) << "pass " << pass;
    previous = red;
  }
  EXPECT_LT(previous, 8) << "the last title frames are black";
  run_pass();
  EXPECT_EQ(via, 1) << "pass 128 flies";
  EXPECT_TRUE(pixel_is(screen, 600, 30, 40, 80, 200)) << "sky over the top";
  EXPECT_FALSE(pixel_is(screen, 320, 470, 40, 80, 200)) << "ground at the bottom";
  const int offset = immy1;
  run_pass();
  EXPECT_EQ(viacont, 256) << "the level stops once the title is over";
  EXPECT_EQ(immy1, offset + 1);
  EXPECT_EQ(scorrimentox[100], 2560);
}

TEST_F(MainLoop, SpaceFiresOnlyWhileItIsDown) {
  run_passes(127);
  key[KEY_SPACE] = 1;
  run_pass();
  key[KEY_SPACE] = 0;
  EXPECT_EQ(proflag3, 1) << "no shot in flight after a pass with space down";
  run_passes(12);
  EXPECT_EQ(proflag3, 0) << "a shot fired with space up";
}

TEST_F(MainLoop, GroundBobsAboutWhereItStartedForever) {
  run_passes(127);
  int lowest = 0, highest = 0;
  for (int cycle = 0; cycle < 4; cycle++) {
    for (int pass = 0; pass < (cycle == 0 ? 111 : 110); pass++) {
      run_pass();
      lowest = std::min(lowest, sg);
      highest = std::max(highest, sg);
    }
    EXPECT_EQ(sg, 0) << "cycle " << cycle;
  }
  EXPECT_EQ(highest, 9);
  EXPECT_EQ(lowest, -10);
}

}  // namespace
