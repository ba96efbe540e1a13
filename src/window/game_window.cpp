// The game's window: how many times it magnifies the 640x480 frame, how large
// that makes it, and where the frame sits in it, windowed or fullscreen. The
// window is opened here and nowhere else, so its layout has one owner; the
// pacing and the sprite know nothing of it and size themselves from the frame
// they are given.
#include "window/window.h"

#include <xalleg.h>

#include <algorithm>
#include <cstdio>

namespace zephyrun {

static WindowLayout layout;

const WindowLayout &window_layout() { return layout; }

int scale_for_desktop(int width, int height) {
  int scale = 1;
  // 640N <= 0.9 width, in whole numbers.
  while (scale < 4 && 10LL * frame_width * (scale + 1) <= 9LL * width &&
         10LL * frame_height * (scale + 1) <= 9LL * height)
    scale++;
  return scale;
}

int resolved_scale(int scale) {
  if (scale != 0) return scale;
  int width = 0, height = 0;
  if (get_desktop_resolution(&width, &height) != 0) return 1;
  return scale_for_desktop(width, height);
}

// The largest whole scale at which the frame fits the desktop entirely, at
// least 1, and the frame centred there.
static WindowLayout fullscreen_layout(int desktop_width, int desktop_height) {
  WindowLayout full;
  full.fullscreen = true;
  full.width = desktop_width;
  full.height = desktop_height;
  full.scale = std::max(1, std::min(desktop_width / frame_width, desktop_height / frame_height));
  // A desktop smaller than the frame shows its top-left part.
  full.left = std::max(0, (desktop_width - frame_width * full.scale) / 2);
  full.top = std::max(0, (desktop_height - frame_height * full.scale) / 2);
  return full;
}

// Asks the window manager, the freedesktop way, to show the window over the
// whole desktop, or to stop. A desktop without one leaves the window as it is.
static void ask_for_fullscreen_state(bool on) {
  if (!system_driver || system_driver->id != SYSTEM_XWINDOWS || !_xwin.wm_window) return;
  XLOCK();
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = _xwin.wm_window;
  event.xclient.message_type = XInternAtom(_xwin.display, "_NET_WM_STATE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = on ? 1 : 0;  // add, remove
  event.xclient.data.l[1] =
      static_cast<long>(XInternAtom(_xwin.display, "_NET_WM_STATE_FULLSCREEN", False));
  event.xclient.data.l[3] = 1;  // asked by an application
  XSendEvent(_xwin.display, DefaultRootWindow(_xwin.display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(_xwin.display);
  XUNLOCK();
}

int open_window(const char *program, const char *title, int scale, bool fullscreen) {
  WindowLayout wanted;
  const int windowed_scale = resolved_scale(scale);
  int desktop_width = 0, desktop_height = 0;
  if (fullscreen && get_desktop_resolution(&desktop_width, &desktop_height) == 0) {
    wanted = fullscreen_layout(desktop_width, desktop_height);
  } else {
    wanted.scale = windowed_scale;
    wanted.width = frame_width * wanted.scale;
    wanted.height = frame_height * wanted.scale;
  }
  wanted.windowed_scale = windowed_scale;
  // Out of the fullscreen state first, so the manager lets the window shrink.
  if (layout.fullscreen && !wanted.fullscreen) ask_for_fullscreen_state(false);
  set_color_depth(15);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, wanted.width, wanted.height, 0, 0) != 0) {
    std::fprintf(stderr, "%s: cannot open a %dx%d window at colour depth 15%s%s\n", program,
                 wanted.width, wanted.height, allegro_error[0] ? ": " : "", allegro_error);
    return 1;
  }
  layout = wanted;
  set_window_title(title);
  if (layout.fullscreen) ask_for_fullscreen_state(true);
  watch_focus();
  return 0;
}

}  // namespace zephyrun
