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

// Copies source onto target's top-left corner with every pixel a scale x scale
// block, unfiltered (scale 1: a plain copy).
void magnify(BITMAP *source, BITMAP *target, int scale);

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
