// The main loop's passes on memory bitmaps, the screen one of them, with a
// clock that never moves: no measuring window closes, so the pacing never waits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "actors/actors.h"
#include "controls/controls.h"
#include "test_support.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

class MainLoop : public HeadlessTest {
 protected:
  void SetUp() override {
    screen = shown_.get();
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
  void TearDown() override { screen = nullptr; }
  BitmapPtr shown_ = make_filled_bitmap(640, 480, 0);  // the screen the passes present on
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

// The ship and its shot, pass by pass, while each stretch of `holds` is held
// for six passes ("UDLRF": up, down, left, right, fire) by `hold`, after the fly-in.
std::vector<std::vector<int>> flight(const std::vector<std::string> &holds,
                                     void (*hold)(const std::string &)) {
  x = y = giow = gioh = giorot = giocont2 = giocont1 = gioattivo1 = 0;
  xpro = ypro = wpro = hpro = proflag3 = 0;
  via = 1;
  std::vector<std::vector<int>> passes;
  hold("");
  for (int pass = 0; pass < 40; pass++) run_pass();
  for (const std::string &held : holds)
    for (int pass = 0; pass < 6; pass++) {
      hold(held);
      run_pass();
      passes.push_back({x, y, giorot, proflag3, xpro, ypro, wpro});
    }
  hold("");
  return passes;
}

void hold_keys(const std::string &held) {
  const int keys[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_SPACE};
  for (int c = 0; c < 5; c++) key[keys[c]] = held.find("UDLRF"[c]) != std::string::npos;
}

// The first pad as Linux's driver makes an Xbox or PlayStation pad: four
// sticks of two axes, the middle two pairing the triggers, which at rest read
// fully one way, with the right stick; the last is the direction pad. `on` is
// the stick the directions are held on, `fire` the button that fires (counted
// from 0; the first is always down when another fires). One stick: a plain pad.
void hold_pad(const std::string &held, int sticks, int on, int fire = 0) {
  std::memset(joy, 0, sizeof(JOYSTICK_INFO) * MAX_JOYSTICKS);
  num_joysticks = sticks > 0;
  joy[0].num_sticks = sticks;
  joy[0].num_buttons = 4;
  for (int stick = 0; stick < sticks; stick++) joy[0].stick[stick].num_axis = 2;
  if (sticks == 4) joy[0].stick[1].axis[0].d1 = joy[0].stick[2].axis[1].d2 = 1;
  JOYSTICK_AXIS_INFO *axes = joy[0].stick[on].axis;  // d1: left or up, d2: right or down
  axes[1].d1 = held.find('U') != std::string::npos;
  axes[1].d2 = held.find('D') != std::string::npos;
  axes[0].d1 = held.find('L') != std::string::npos;
  axes[0].d2 = held.find('R') != std::string::npos;
  joy[0].button[fire].b = held.find('F') != std::string::npos;
  if (fire != 0) joy[0].button[0].b = 1;
}

TEST_F(MainLoop, APadSteersAndFiresTheShipAsTheArrowsAndSpaceBarDo) {
  testing::internal::CaptureStderr();
  start_gamepad();  // no device here: nothing to say
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  const std::vector<std::string> holds = {"", "L", "LU", "UF", "", "R", "RD", "DF", "LR", "F", ""};
  const auto by_keys = flight(holds, hold_keys);
  // The keys themselves move the ship, and space starts a shot only while down.
  ASSERT_NE(by_keys.front(), by_keys[6 * 3]) << "the keys moved nothing";
  for (int pass : {17, 18, 35}) EXPECT_EQ(by_keys[pass][3], pass == 18) << "in flight? " << pass;
  const struct {
    const char *pad;
    void (*hold)(const std::string &);
  } pads[] = {
      // clang-format off
      {"the left stick",                [](const std::string &h) { hold_pad(h, 4, 0); }},
      {"the direction pad",             [](const std::string &h) { hold_pad(h, 4, 3); }},
      {"a pad with one stick",          [](const std::string &h) { hold_pad(h, 1, 0); }},
      {"fire on the third button",      [](const std::string &h) { hold_pad(h, 4, 0, 2); }},
      {"keys and pad at once",          [](const std::string &h) { hold_keys(h), hold_pad(h, 4, 0); }},
      // clang-format on
  };
  for (const auto &[pad, hold] : pads) {
    pad_fire_button = std::string(pad) == "fire on the third button" ? 2 : 0;
    EXPECT_EQ(flight(holds, hold), by_keys) << pad;
  }
  pad_fire_button = 0;
  hold_pad("", 0, 0);
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
