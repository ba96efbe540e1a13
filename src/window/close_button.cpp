// The window's close button. The library calls us from its own input thread
// when the window manager asks the window to close, so the callback only
// notes it; the loop looks at the note beside Escape at the top of each pass
// and ends the same way.
#include "window/window.h"

#include <atomic>
#include <cstdio>

namespace zephyrun {

static std::atomic<bool> close_clicked{false};

static void note_close_click() { close_clicked = true; }

int watch_close_button(const char *program) {
  if (set_close_button_callback(note_close_click) == 0) return 0;
  std::fprintf(stderr, "%s: the window's close button cannot end it here: hold Escape\n", program);
  return 1;
}

bool close_button_clicked() { return close_clicked; }

}  // namespace zephyrun
