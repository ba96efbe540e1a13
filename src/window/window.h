// The window the game's frame is shown in. One place decides the window's
// size, how many times it magnifies the 640x480 frame and where the frame sits
// in it, windowed or fullscreen (window/game_window.cpp, fullscreen.cpp); each
// pass ends by pacing the frame and showing it there (magnified_window.cpp).
// And what the desktop does to the window: its close button
// (close_button.cpp) and the keyboard focus it gives and takes (resting.cpp).
#pragma once

#include "game/game.h"

namespace zephyrun {

class SettingsFile;

// How the open window shows the frame: every frame pixel a scale x scale block,
// the magnified frame's top-left corner at (left, top) of a width x height window.
struct WindowLayout {
  int scale = 1;
  int left = 0, top = 0;
  int width = frame_width, height = frame_height;
  bool fullscreen = false;  // the desktop's size, in the window manager's fullscreen state
  int windowed_scale = 1;   // the scale out of fullscreen, which toggling back gives again
};

// The largest scale 1..4 whose window, 640N x 480N, fits within 90 % of a
// desktop of this size each way; 1 when not even that one does.
int scale_for_desktop(int width, int height);

// The scale itself, or for 0 (auto) the desktop's choice; 1 when the desktop's
// size cannot be had. Needs the library started.
int resolved_scale(int scale);

// What the settings file says of the window (window/window_settings.cpp); an
// entry that says something else is said, and its default stands.
// [window] scale: 1 to 4, or 0 for auto; 1 by default.
int scale_setting(SettingsFile &file);
// [window] fullscreen: whether to start in fullscreen; no by default.
bool fullscreen_setting(SettingsFile &file);
// [window] rest_in_background: whether the game rests while another window
// has the keyboard; yes by default.
bool rest_setting(SettingsFile &file);
// Notes in the file (and writes it) that the player chose fullscreen or not.
void remember_fullscreen(SettingsFile &file, bool fullscreen);

// Opens the window for the frame at colour depth 15 and gives it `title`:
// magnified `scale` times (1..4, or 0 for the desktop's choice), or, with
// `fullscreen`, as large as the desktop, which the window manager is asked to
// show in its fullscreen state (no video mode is changed, nothing is
// grabbed). Returns 0, or prints one line on stderr, "<program>: ...", and
// returns 1.
int open_window(const char *program, const char *title, int scale, bool fullscreen = false);

// From now on F11 and Alt+Enter are caught as the keyboard driver reports
// them (the keyboard installed), so a tap between two passes counts.
void watch_fullscreen_keys();
// Whether F11 or Alt+Enter has been pressed since the last time asked (once a pass).
bool fullscreen_key_pressed();
// Goes fullscreen from the window or back to the window at the scale it had,
// and remembers the choice in the settings file. Returns 0, or 1 when no
// window could be had again (said on stderr): the game cannot go on.
int toggle_fullscreen(const char *program, const char *title);

// The layout of the window last opened (the frame's own size before that).
const WindowLayout &window_layout();

// Copies source onto target at (left, top) with every pixel a scale x scale
// block, unfiltered (scale 1: a plain copy), through a kept magnified bitmap.
void magnify(BITMAP *source, BITMAP *target, int scale, int left, int top);

// Shows a 15-bit memory frame on the window magnified scale times, its top-left
// corner at (left, top): straight into the window's pixels where it can, else
// through magnify() onto screen. The window shows the same either way.
void show_magnified(BITMAP *source, int scale, int left, int top);

// show_magnified's one pass (window/window_pixels_magnify.cpp): each pixel of
// the frame turned into the X11 window's format as the library's own
// conversion turns it, and written scale x scale times straight into
// the window's picture, then put on the window. False, with nothing drawn,
// where the window rules it out: not the X11 driver's screen at 15 bits over a
// 24/32-bit true-colour window, a frame that is not a 15-bit memory bitmap, or
// one that would not fit. The screen bitmap's own memory no longer follows the
// window then: read the window instead.
bool magnify_into_window(BITMAP *source, int scale, int left, int top);

// Ends a pass as doppiobuffering(rate, back, screen, showfps, reset, 0) does,
// and shows the paced frame with its counter in the window as its layout says.
void present_to_window(int rate, BITMAP *back, int showfps, int reset);

// From now on a click on the window's close button is noted, to end the loop
// as Escape does. Returns 0; where the platform has no close button, says so
// in one line on stderr, "<program>: ...", and returns 1 (Escape still ends
// it). On X it holds through later modes, AllegroGL's included.
int watch_close_button(const char *program);
// Whether the close button has been clicked since it was first watched.
bool close_button_clicked();

// Whether the game rests while its window is in the background (set once at start-up).
extern bool rest_in_background;
// From now on the window's losing and regaining the keyboard focus is noted.
// Opening the window calls it again, as a new mode forgets it.
void watch_focus();
// When the window is in the background and the game is to rest there: draws a
// line over the last frame shown, once, and sleeps (the library's own input
// thread held too) until the focus or the close button comes; the pacing's
// measuring window is moved on by the time rested. True when it rested.
bool rest_while_in_background();

// The last frame shown, with `line` across its middle, shown again as the
// window's layout says, without pacing.
void show_over_last_frame(const char *line);

}  // namespace zephyrun
