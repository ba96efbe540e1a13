// The game rests while its window is in the background: nothing is drawn,
// moved or counted, and the process sleeps until the window has the keyboard
// again. The desktop's word comes through the library's display-switch
// callbacks, which its input thread calls on the window's focus changes.
// That thread itself wakes a hundred times a second, which would cost a few
// per cent of a core for nothing, so while resting we hold it and wait on
// the X connection ourselves; whatever arrives is handed back to it to read.
#include "window/window.h"

#include <sys/select.h>
#include <xalleg.h>

#include <allegro/platform/aintunix.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

namespace zephyrun {

bool rest_in_background = true;

static std::atomic<bool> in_front{true};

static void came_to_front() { in_front = true; }
static void went_to_background() { in_front = false; }

void watch_focus() {
  // The only mode the X11 driver offers for a window; it calls both callbacks.
  if (set_display_switch_mode(SWITCH_BACKGROUND) != 0) return;
  set_display_switch_callback(SWITCH_IN, came_to_front);
  set_display_switch_callback(SWITCH_OUT, went_to_background);
}

static bool on_x() {
  return system_driver && system_driver->id == SYSTEM_XWINDOWS && _xwin.display;
}

// The server's own word on where the keyboard goes. The callbacks' may be
// stale: a window a mode set makes can be given the focus before the new
// mode's callbacks are in place, while the old window's loss is heard. No
// focus of its own (None, or the pointer's) is taken as ours, as at start.
static bool server_gives_us_the_keyboard() {
  if (!on_x()) return true;
  Window focus;
  int revert;
  XLOCK();
  XGetInputFocus(_xwin.display, &focus, &revert);
  XUNLOCK();
  return focus == _xwin.window || focus == _xwin.wm_window || focus == None || focus == PointerRoot;
}

static bool resting_ends() {
  if (!in_front && server_gives_us_the_keyboard()) in_front = true;
  return in_front || close_button_clicked() || key[KEY_ESC];
}

// Sleeps until the X server has something for us, or a second has passed,
// with the library's input thread held.
static void sleep_until_the_server_speaks() {
  if (!on_x() || !_unix_bg_man || !_unix_bg_man->multi_threaded) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return;
  }
  _unix_bg_man->disable_interrupts();  // waits for its pass to end, then keeps it asleep
  if (XQLength(_xwin.display) == 0) {  // nothing read and left unhandled
    const int connection = ConnectionNumber(_xwin.display);
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(connection, &readable);
    timeval second{1, 0};
    select(connection + 1, &readable, nullptr, nullptr, &second);
  }
  _unix_bg_man->enable_interrupts();
}

// A few passes of the library's input thread: it puts on the window what was
// drawn, and reads and answers what the server said.
static void let_the_input_thread_run() {
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

// The pacing's measuring window starts again in this second, counted as if
// the part of the second already gone had passed at the last window's pace:
// so the first window after a rest counts what a whole one would, and the
// wait count is not stepped for a window the rest cut short.
static void resume_measuring_window() {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  tempo1 = pacing_clock();
  fps = static_cast<int>(static_cast<long long>(fps1) * now.tv_nsec / 2000000000LL);
}

bool rest_while_in_background() {
  if (!rest_in_background || resting_ends()) return false;
  show_over_last_frame("resting while the window is in the background");
  for (let_the_input_thread_run(); !resting_ends(); let_the_input_thread_run())
    sleep_until_the_server_speaks();
  resume_measuring_window();
  return true;
}

}  // namespace zephyrun
