// The window the game's frame is shown in. One place decides the window's
// size, how many times it magnifies the 640x480 frame and where the frame sits
// in it (window/game_window.cpp); each pass ends by pacing the frame and
// showing it there (window/magnified_window.cpp). And the window's close
// button (window/close_button.cpp).
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
};

// The largest scale 1..4 whose window, 640N x 480N, fits within 90 % of a
// desktop of this size each way; 1 when not even that one does.
int scale_for_desktop(int width, int height);

// The scale itself, or for 0 (auto) the desktop's choice; 1 when the desktop's
// size cannot be had. Needs the library started.
int resolved_scale(int scale);

// The settings file's [window] scale: 1 to 4, or 0 for auto; 1 when the file
// does not say, or says something else, which is said (window/window_settings.cpp).
int scale_setting(SettingsFile &file);

// Opens the window for the frame magnified `scale` times (1..4, or 0 for the
// desktop's choice) at colour depth 15 and gives it `title`. Returns 0, or
// prints one line on stderr, "<program>: ...", and returns 1.
int open_window(const char *program, const char *title, int scale);

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
// conversion turns it, and written scale x scale times (1..4) straight into
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

}  // namespace zephyrun
