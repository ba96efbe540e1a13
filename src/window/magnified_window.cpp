// The window at a whole-number scale, for today's large screens: the frame is
// drawn, counted and paced at 640x480 as ever, and only its last copy, onto
// the window, makes every pixel a block of scale x scale, sharp, unfiltered.
#include "window/window.h"

namespace zephyrun {

// Kept between frames: the magnified picture, and the frame as pacing leaves
// it (pacing clears its back buffer once the frame is copied out).
static BITMAP *magnified = nullptr;
static BITMAP *paced_frame = nullptr;

// A bitmap of this size at the source's depth, made again only when the size changes.
static BITMAP *kept_bitmap(BITMAP *&kept, BITMAP *source, int w, int h) {
  const int depth = bitmap_color_depth(source);
  if (kept && (kept->w != w || kept->h != h || bitmap_color_depth(kept) != depth)) {
    destroy_bitmap(kept);
    kept = nullptr;
  }
  if (!kept) kept = create_bitmap_ex(depth, w, h);
  return kept;
}

// The library's stretch between memory bitmaps repeats each pixel exactly
// at whole factors (the tests hold it to that); straight onto the window it
// would update the window line by line, so it goes through memory and then
// one copy, which the window's driver converts to the window's format again.
void magnify(BITMAP *source, BITMAP *target, int scale, int left, int top) {
  if (scale <= 1) {
    blit(source, target, 0, 0, left, top, source->w, source->h);
    return;
  }
  const int w = source->w * scale, h = source->h * scale;
  if (!kept_bitmap(magnified, source, w, h)) return;
  stretch_blit(source, magnified, 0, 0, source->w, source->h, 0, 0, w, h);
  blit(magnified, target, 0, 0, left, top, w, h);
}

void show_magnified(BITMAP *source, int scale, int left, int top) {
  if (!magnify_into_window(source, scale, left, top)) magnify(source, screen, scale, left, top);
}

// Whether the frame goes straight onto the screen, as at scale 1 in a window
// of its own size; else it is paced into paced_frame and shown from there.
static bool frame_is_the_window(const WindowLayout &window) {
  return window.scale <= 1 && window.left == 0 && window.top == 0;
}

void present_to_window(int rate, BITMAP *back, int showfps, int reset) {
  const WindowLayout &window = window_layout();
  if (frame_is_the_window(window)) {
    doppiobuffering(rate, back, screen, showfps, reset, 0);
    return;
  }
  if (!kept_bitmap(paced_frame, back, back->w, back->h)) return;
  doppiobuffering(rate, back, paced_frame, showfps, reset, 0);
  show_magnified(paced_frame, window.scale, window.left, window.top);
}

void show_over_last_frame(const char *line) {
  const WindowLayout &window = window_layout();
  static BITMAP *shown = nullptr;
  if (!screen || !kept_bitmap(shown, screen, frame_width, frame_height)) return;
  // At scale 1 the screen holds the frame itself; else the paced copy does.
  if (frame_is_the_window(window) || !paced_frame)
    blit(screen, shown, 0, 0, 0, 0, frame_width, frame_height);
  else
    blit(paced_frame, shown, 0, 0, 0, 0, frame_width, frame_height);
  const int middle = frame_height / 2;
  rectfill(shown, 0, middle - 12, frame_width - 1, middle + 11, makecol(0, 0, 0));
  textout_centre_ex(shown, font, line, frame_width / 2, middle - 4, makecol(255, 255, 255), -1);
  show_magnified(shown, window.scale, window.left, window.top);
}

}  // namespace zephyrun
