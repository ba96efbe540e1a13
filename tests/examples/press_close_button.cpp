// Kept apart from the tests: Xlib's macros (None, Status, ...) clash with GoogleTest's names.
#include <X11/Xlib.h>

#include <string>

// What a window manager sends the window when its close button is pressed.
bool press_close_button(const std::string &window_id) {
  if (window_id.empty()) return false;
  Display *display = XOpenDisplay(nullptr);
  if (!display) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::stoul(window_id);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = XInternAtom(display, "WM_DELETE_WINDOW", False);
  event.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XCloseDisplay(display);  // flushes the event out
  return sent != 0;
}
