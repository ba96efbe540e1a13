// The first gamepad steers and fires as the arrow keys and the space bar do,
// alone or with them, read from a hand-filled joy[]: no device needed.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "controls/controls.h"
#include "test_support.h"

using namespace zephyrun;

namespace {

const int arrows_and_space[control_count] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_SPACE};

class Gamepad : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::start_headless_allegro();
    reset_controls();
  }
  void TearDown() override {
    std::memset(const_cast<char *>(key), 0, KEY_MAX);
    std::memset(joy, 0, sizeof(JOYSTICK_INFO) * MAX_JOYSTICKS);
    num_joysticks = 0;
  }
  // One pad whose sticks have these numbers of axes, as Linux's driver makes them.
  static void plug_in(const std::vector<int> &axes) {
    num_joysticks = 1;
    for (int count : axes) joy[0].stick[joy[0].num_sticks++].num_axis = count;
    joy[0].num_buttons = 4;
  }
  // d1 is left on the x axis and up on the y axis, d2 right and down.
  static void point(int stick, int control) {
    JOYSTICK_AXIS_INFO &axis = joy[0].stick[stick].axis[control <= control_down];
    (control == control_up || control == control_left ? axis.d1 : axis.d2) = 1;
  }
  static std::string held() {
    std::string controls;
    for (int c = 0; c < control_count; c++)
      if (control_held(static_cast<Control>(c))) controls += "UDLRF"[c];
    return controls;
  }
};

TEST_F(Gamepad, ItsStickAndDirectionPadHoldWhatTheArrowKeysAndSpaceBarWould) {
  // The stick the driver makes of the direction pad: after two that pair the
  // triggers with the right stick on Xbox and PlayStation pads, after the
  // right stick on a Logitech in DirectInput mode, none on a plain pad.
  const std::pair<std::vector<int>, int> pads[] = {{{2, 2, 2, 2}, 3}, {{2, 2, 2}, 2}, {{2}, 0}};
  for (int c = 0; c < control_count; c++) {
    key[arrows_and_space[c]] = 1;
    const std::string keys_give = held();
    EXPECT_EQ(keys_give, std::string(1, "UDLRF"[c]));
    TearDown();
    for (const auto &[axes, direction_pad] : pads)
      for (int stick : {0, direction_pad}) {
        plug_in(axes);
        if (c == control_fire)
          joy[0].button[0].b = 1;
        else
          point(stick, c);
        EXPECT_EQ(held(), keys_give) << "stick " << stick << " of " << axes.size();
        TearDown();
      }
  }
}

TEST_F(Gamepad, KeysAndPadHoldTogetherButRestingTriggersAndOtherButtonsHoldNothing) {
  plug_in({2, 2, 2, 2});
  point(1, control_left);  // the triggers at rest read fully negative
  point(2, control_down);
  pad_fire_button = 2;
  joy[0].button[0].b = 1;
  EXPECT_EQ(held(), "");
  key[KEY_LEFT] = 1;
  point(0, control_right);
  point(3, control_up);
  joy[0].button[2].b = 1;
  EXPECT_EQ(held(), "ULRF");
  pad_fire_button = 5;  // beyond this pad's four buttons
  joy[0].button[5].b = 1;
  EXPECT_EQ(held(), "ULR");
}

TEST_F(Gamepad, WithoutOneTheGameStartsSilently) {
  testing::internal::CaptureStderr();
  start_gamepad();
  poll_gamepad();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(num_joysticks, 0);
}

}  // namespace
