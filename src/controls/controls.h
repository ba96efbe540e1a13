// The player's five controls: a key each, the arrows and the space bar unless
// the settings file says otherwise, and the first gamepad alongside the keys.
#pragma once

#include "settings/settings_file.h"

namespace zephyrun {

enum Control { control_up, control_down, control_left, control_right, control_fire, control_count };

extern int
    control_keys[control_count];  // scancodes: KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_SPACE
extern int pad_fire_button;       // index into joy[0].button: 0, the first, by default

// Every control back on its default key and button.
void reset_controls();
// Takes [controls] up, down, left, right, fire (key names as scancode_to_name
// gives them, case aside) and pad_fire (a button counted from 1). Needs the
// keyboard installed, since the names are its driver's; without one the
// defaults stand. An unknown name, Escape (kept for leaving the game), F11
// (kept for fullscreen), a key another control holds or a button out of
// range is said in one line and that control keeps its default.
void read_controls(SettingsFile &file);
// The scancode whose name is `name`, case aside; 0 when no key has it.
int key_by_name(const std::string &name);

// Looks for pads, once at start-up: the library finds them only then. Says
// nothing when there is none.
void start_gamepad();
// Reads the pads' state, once a pass; does nothing without a pad.
void poll_gamepad();
// Whether the first pad holds the control: its main stick or the stick the
// driver makes of the direction pad, or its fire button (see gamepad.cpp).
bool pad_holds(Control control);
// Whether the control's key is down or the first pad holds it.
bool control_held(Control control);

}  // namespace zephyrun
