// Which key moves and fires, from the settings file: a name is looked up
// among the keyboard driver's own names, so the file reads as the player's
// keyboard is labelled (X11's "Up", "space", "Control_L").
#include "controls/controls.h"

#include <allegro.h>
#include <strings.h>

namespace zephyrun {

static const int default_keys[control_count] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_SPACE};
static const char *const entry_names[control_count] = {"up", "down", "left", "right", "fire"};
// What a new file says, and the names a missing keyboard driver would give.
static const char *const default_names[control_count] = {"Up", "Down", "Left", "Right", "space"};
static const char *const comments[control_count] = {
    "the key that moves the ship up", "the key that moves it down", "the key that moves it left",
    "the key that moves it right", "the key that fires"};

int control_keys[control_count] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_SPACE};
int pad_fire_button;

void reset_controls() {
  for (int c = 0; c < control_count; c++) control_keys[c] = default_keys[c];
  pad_fire_button = 0;
}

int key_by_name(const std::string &name) {
  if (!keyboard_driver || name.empty()) return 0;  // scancode_to_name needs a driver
  for (int scancode = 1; scancode < KEY_MAX; scancode++)
    if (strcasecmp(scancode_to_name(scancode), name.c_str()) == 0) return scancode;
  return 0;
}

static std::string stays(int control) {
  return std::string("; ") + entry_names[control] + " stays on " +
         scancode_to_name(default_keys[control]);
}

static void read_pad_button(SettingsFile &file) {
  const std::string button = file.value("controls", "pad_fire");
  if (button.empty()) return;
  const bool digits =
      button.size() <= 2 && button.find_first_not_of("0123456789") == std::string::npos;
  const int number = digits ? std::stoi(button) : 0;
  if (number >= 1 && number <= MAX_JOYSTICK_BUTTONS) {
    pad_fire_button = number - 1;
    return;
  }
  file.complain(
      "controls", "pad_fire",
      "is not a button from 1 to " + std::to_string(MAX_JOYSTICK_BUTTONS) + "; pad_fire stays 1");
}

void read_controls(SettingsFile &file) {
  reset_controls();
  for (int c = 0; c < control_count; c++)
    file.describe("controls", entry_names[c],
                  keyboard_driver ? scancode_to_name(default_keys[c]) : default_names[c],
                  comments[c]);
  file.describe("controls", "pad_fire", "1", "the pad button that fires, counted from 1");
  read_pad_button(file);
  if (!keyboard_driver) return;
  bool from_file[control_count] = {};
  for (int c = 0; c < control_count; c++) {
    const std::string name = file.value("controls", entry_names[c]);
    if (name.empty()) continue;
    const int scancode = key_by_name(name);
    if (scancode == 0) {
      file.complain("controls", entry_names[c], "is no key name the keyboard knows" + stays(c));
    } else if (scancode == KEY_ESC) {
      file.complain("controls", entry_names[c], "is kept for leaving the game" + stays(c));
    } else if (scancode == KEY_F11) {
      file.complain("controls", entry_names[c], "is kept for fullscreen" + stays(c));
    } else {
      control_keys[c] = scancode;
      from_file[c] = true;
    }
  }
  // A key on two controls: the later entry of the file gives way, or the one
  // from the file where it took another control's default. Each time one
  // control goes back to its default, so this ends.
  for (bool clash = true; clash;) {
    clash = false;
    for (int a = 0; a < control_count && !clash; a++)
      for (int b = a + 1; b < control_count && !clash; b++) {
        if (control_keys[a] != control_keys[b]) continue;
        const int loser = from_file[b] ? b : a, keeper = loser == b ? a : b;
        file.complain("controls", entry_names[loser],
                      std::string("is ") + entry_names[keeper] + "'s key already" + stays(loser));
        control_keys[loser] = default_keys[loser];
        from_file[loser] = false;
        clash = true;
      }
  }
}

bool control_held(Control control) { return key[control_keys[control]] || pad_holds(control); }

}  // namespace zephyrun
