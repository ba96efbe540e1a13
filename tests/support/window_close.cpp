// What a window manager does when a window's close button is clicked: it
// sends WM_DELETE_WINDOW to a window that lists it in WM_PROTOCOLS (and kills
// the client of one that does not, which is no way to end a program).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <string>

#include "game_process.h"

namespace testing_support {

// The window may be gone by the time we ask; that is an answer, not a crash.
static int ignore_x_error(Display *, XErrorEvent *) { return 0; }

bool ask_window_to_close(const std::string &window_id) {
  if (window_id.empty()) return false;
  Display *display = XOpenDisplay(nullptr);
  if (!display) return false;
  const auto previous_handler = XSetErrorHandler(ignore_x_error);
  const Window window = std::stoul(window_id);
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
  Atom *listed = nullptr;
  int count = 0;
  bool takes_it = false;
  if (XGetWMProtocols(display, window, &listed, &count)) {
    takes_it = std::find(listed, listed + count, delete_window) != listed + count;
    XFree(listed);
  }
  if (takes_it) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(delete_window);
    event.xclient.data.l[1] = CurrentTime;
    takes_it = XSendEvent(display, window, False, NoEventMask, &event) != 0;
  }
  XSync(display, False);
  XSetErrorHandler(previous_handler);
  XCloseDisplay(display);
  return takes_it;
}

}  // namespace testing_support
