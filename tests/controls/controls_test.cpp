// Keys put on the controls by name in the settings file, with the names the
// X11 keyboard driver gives ("Up", "space", "Control_L").
#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "controls/controls.h"
#include "settings/settings_file.h"

using namespace zephyrun;

namespace {

// The controls' keys and pad button from a [controls] section of `entries`,
// and what reading it said.
std::string read_from(const std::string &entries, std::string *said) {
  static const bool started = allegro_init() == 0 && install_keyboard() == 0;
  EXPECT_TRUE(started) << allegro_error;
  const std::string path = testing::TempDir() + "controls.cfg";
  std::ofstream(path) << "[controls]\n" << entries << "\n";
  SettingsFile file;
  file.load(path, "zephyrun");
  testing::internal::CaptureStderr();
  read_controls(file);
  *said = testing::internal::GetCapturedStderr();
  unlink(path.c_str());
  std::string keys;
  for (int scancode : control_keys) keys += std::string(scancode_to_name(scancode)) + " ";
  return keys + std::to_string(pad_fire_button + 1);
}

TEST(ControlsFromTheFile, KeysAreTakenByNameCaseAsideAndABadOneKeepsThatControlsDefault) {
  std::string said;
  const char *const rows[][3] = {
      {"up = w\ndown = S\nleft = A\nright = d\nfire = control_l\npad_fire = 4",
       "w s a d Control_L 4", ""},
      {"up = Down\ndown = Up", "Down Up Left Right space 1", ""},
      {"up = Upp", "Up Down Left Right space 1", "[controls] up = 'Upp' is no key name"},
      {"fire = ESCAPE", "Up Down Left Right space 1", "fire = 'ESCAPE' is kept for leaving"},
      {"up = f11", "Up Down Left Right space 1", "up = 'f11' is kept for fullscreen"},
      {"left = q\nright = q", "Up Down q Right space 1",
       "[controls] right = 'q' is left's key already; right stays on Right"},
      {"up = space", "Up Down Left Right space 1", "[controls] up = 'space' is fire's key"},
      {"pad_fire = 33", "Up Down Left Right space 1", "[controls] pad_fire = '33' is not a"},
  };
  for (const auto &[entries, keys, line] : rows) {
    EXPECT_EQ(read_from(entries, &said), keys) << entries;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), *line ? 1 : 0) << said;
    EXPECT_NE(said.find(line), std::string::npos) << entries << ": said " << said;
  }
  // A remapped key answers, and the old one no longer.
  read_from("up = w\nfire = Control_L", &said);
  key[KEY_UP] = key[KEY_SPACE] = 1;
  EXPECT_FALSE(control_held(control_up) || control_held(control_fire));
  key[KEY_W] = key[KEY_LCONTROL] = 1;
  EXPECT_TRUE(control_held(control_up) && control_held(control_fire));
  key[KEY_UP] = key[KEY_SPACE] = key[KEY_W] = key[KEY_LCONTROL] = 0;
}

}  // namespace
