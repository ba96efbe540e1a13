// The game's window: how many times it magnifies the 640x480 frame, how large
// that makes it, and where the frame sits in it. The window is opened here and
// nowhere else, so its layout has one owner; the pacing and the sprite know
// nothing of it and size themselves from the frame they are given.
#include "window/window.h"

#include <cstdio>
#include <string>

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

int open_window(const char *program, const char *title, int scale) {
  WindowLayout wanted;
  wanted.scale = resolved_scale(scale);
  wanted.width = frame_width * wanted.scale;
  wanted.height = frame_height * wanted.scale;
  set_color_depth(15);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, wanted.width, wanted.height, 0, 0) != 0) {
    std::fprintf(stderr, "%s: cannot open a %dx%d window at colour depth 15%s%s\n", program,
                 wanted.width, wanted.height, allegro_error[0] ? ": " : "", allegro_error);
    return 1;
  }
  layout = wanted;
  set_window_title(title);
  return 0;
}

}  // namespace zephyrun
