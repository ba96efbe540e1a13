// The first gamepad, read through the library's joystick routines. Which
// sticks steer: stick 0, and the last stick when there are more and it has
// two axes. Linux's driver pairs a pad's axes into sticks in the kernel's
// order, where the direction pad's two axes come last (stick 3 on Xbox and
// PlayStation pads, stick 2 on a Logitech pad in DirectInput mode); the
// sticks between pair a trigger, which rests fully one way, with half of the
// right stick, so reading them would hold a direction for ever.
#include <allegro.h>

#include "controls/controls.h"

namespace zephyrun {

static bool pad_found;

void start_gamepad() {
  // With no device the library installs its "none" driver and finds 0 pads.
  pad_found = install_joystick(JOY_TYPE_AUTODETECT) == 0 && num_joysticks > 0;
}

void poll_gamepad() {
  if (pad_found) poll_joystick();
}

static bool stick_points(const JOYSTICK_STICK_INFO &stick, Control control) {
  const int axis = control == control_up || control == control_down ? 1 : 0;
  if (axis >= stick.num_axis) return false;
  // d1 is left on the x axis and up on the y axis, d2 right and down.
  return control == control_up || control == control_left ? stick.axis[axis].d1
                                                          : stick.axis[axis].d2;
}

bool pad_holds(Control control) {
  if (num_joysticks < 1) return false;
  const JOYSTICK_INFO &pad = joy[0];
  if (control == control_fire)
    return pad_fire_button < pad.num_buttons && pad.button[pad_fire_button].b;
  const int last = pad.num_sticks - 1;
  const bool last_is_pad = last > 0 && last < MAX_JOYSTICK_STICKS && pad.stick[last].num_axis == 2;
  return (pad.num_sticks > 0 && stick_points(pad.stick[0], control)) ||
         (last_is_pad && stick_points(pad.stick[last], control));
}

}  // namespace zephyrun
