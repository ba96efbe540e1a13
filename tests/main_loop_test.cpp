// The main loop's passes on memory bitmaps: the title fade, the switch to the
// flying phase and the ground's sway, with pacing that never waits.
#include <gtest/gtest.h>

#include <vector>

#include "fake_display.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

std::time_t never_moving_clock() { return 5000; }
void no_wait() {}

class MainLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    start_headless_allegro(15);
    display_ = std::make_unique<FakeDisplay>(640, 480);
    pacing_clock = never_moving_clock;
    retrace_wait = no_wait;
    tempo1 = fps = fps1 = fps3 = misuratore = rallentatore = 0;
    via = viacont = cicli = sg = c = d = r = proflag2 = 0;

    title_ = make_filled_bitmap(640, 480, makecol(255, 255, 255));
    sky_ = make_filled_bitmap(640, 480, makecol(40, 80, 200));
    terrain_ = make_pattern_bitmap(1280, 200);
    asteroid_ = make_filled_bitmap(32, 32, makecol(120, 100, 80));
    for (int i = 0; i < 16; i++) frames_.push_back(make_filled_bitmap(40, 30, makecol(200, 200, 0)));
    objects_.resize(17);
    for (int i = 0; i < 16; i++) objects_[i] = {frames_[i].get(), DAT_BITMAP, 0, nullptr};
    objects_[16] = {nullptr, DAT_END, 0, nullptr};

    buf = create_bitmap(640, 480);
    dest = create_bitmap(640, 480);
    prese = title_.get();
    cielo = sky_.get();
    bit = terrain_.get();
    asteroide = asteroid_.get();
    cors = objects_.data();
    begin_title();
  }
  void TearDown() override {
    destroy_bitmap(buf);
    destroy_bitmap(dest);
  }

  // Mean red of the shown frame's middle, away from the counter.
  int shown_red() { return getr(getpixel(screen, 320, 200)); }
  void run_title() {
    for (int pass = 0; pass < 127; pass++) run_pass();
  }

  std::unique_ptr<FakeDisplay> display_;
  BitmapPtr title_, sky_, terrain_, asteroid_;
  std::vector<BitmapPtr> frames_;
  std::vector<DATAFILE> objects_;
};

TEST_F(MainLoop, TitleShowsAtFullBrightnessThenFadesToBlackOver127Frames) {
  run_pass();
  EXPECT_TRUE(pixel_is(screen, 320, 200, 255, 255, 255)) << "first frame: the title itself";
  EXPECT_TRUE(pixel_is(screen, 639, 479, 255, 255, 255));
  int previous = shown_red();
  for (int pass = 2; pass <= 127; pass++) {
    run_pass();
    ASSERT_LE(shown_red(), previous) << "pass " << pass;
    previous = shown_red();
    ASSERT_EQ(via, 0) << "pass " << pass;
  }
  EXPECT_LT(previous, 8) << "the last title frames are black";
}

TEST_F(MainLoop, Pass128SwitchesToFlyingAndShowsTheFirstFlyingFrame) {
  run_title();
  run_pass();
  EXPECT_EQ(via, 1);
  EXPECT_EQ(viacont, 256);
  EXPECT_TRUE(pixel_is(screen, 600, 30, 40, 80, 200)) << "sky over the top";
  EXPECT_FALSE(pixel_is(screen, 320, 470, 40, 80, 200)) << "ground at the bottom";
  run_pass();
  EXPECT_EQ(viacont, 256) << "the level stops once the title is over";
}

TEST_F(MainLoop, GroundScrollsOneRowPerFlyingPassWithNoDrift) {
  run_title();
  run_pass();
  int offset = immy1;
  run_pass();
  EXPECT_EQ(immy1, offset + 1);
  EXPECT_EQ(d, 0);
  EXPECT_EQ(c, 0);
  EXPECT_EQ(scorrimentox[100], 2560);
}

TEST_F(MainLoop, GroundBobsAboutWhereItStartedForever) {
  run_title();
  std::vector<int> ends;
  int lowest = 0, highest = 0;
  for (int cycle = 0; cycle < 4; cycle++) {
    int passes = cycle == 0 ? 111 : 110;
    for (int pass = 0; pass < passes; pass++) {
      run_pass();
      lowest = std::min(lowest, sg);
      highest = std::max(highest, sg);
    }
    ends.push_back(sg);
  }
  EXPECT_EQ(ends, (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(highest, 9);
  EXPECT_EQ(lowest, -10);
}

}  // namespace
