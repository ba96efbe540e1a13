// Fullscreen and back, as today's desktops do it: F11 or Alt+Enter puts the
// window over the whole desktop through the window manager's fullscreen
// state, the picture as large as fits, centred on black; the desktop's own
// mode is never touched. Back in the window, the scale is the one it had.
#include "window/window.h"

#include <atomic>

#include "settings/settings_file.h"

namespace zephyrun {

// A tap can come and go between two passes, so the presses are caught as the
// keyboard driver reports them, on its own thread, and kept for the loop.
static std::atomic<bool> alt_down{false}, toggle_asked{false};
static void (*earlier_callback)(int scancode) = nullptr;

static void note_key(int scancode) {
  const bool pressed = !(scancode & 0x80);
  const int which = scancode & 0x7f;
  if (which == KEY_ALT || which == KEY_ALTGR) alt_down = pressed;
  if (pressed && (which == KEY_F11 || (alt_down && which == KEY_ENTER))) toggle_asked = true;
  if (earlier_callback) earlier_callback(scancode);
}

void watch_fullscreen_keys() {
  if (keyboard_lowlevel_callback == note_key) return;
  earlier_callback = keyboard_lowlevel_callback;
  keyboard_lowlevel_callback = note_key;
}

bool fullscreen_key_pressed() { return toggle_asked.exchange(false); }

int toggle_fullscreen(const char *program, const char *title) {
  const WindowLayout before = window_layout();
  const bool fullscreen = !before.fullscreen;
  if (open_window(program, title, before.windowed_scale, fullscreen) == 0) {
    remember_fullscreen(settings, fullscreen);
    return 0;
  }
  // No such window here: the one it had, if even that can be had again.
  return open_window(program, title, before.windowed_scale, before.fullscreen);
}

}  // namespace zephyrun
