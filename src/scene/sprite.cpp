// The scaled, turned sprite every actor draws through: stretched into a
// scratch, then pivoted onto the destination.
#include "turned_area.h"
#include "zephyrun.h"

#include <algorithm>

namespace zephyrun {

int data = 1;
BITMAP *oggetto1;

// Runs `draw` with the destination's clip narrowed to `area`; the caller's
// clip rectangle and clip state are put back afterwards, whatever they were.
// Nothing is drawn when they do not meet.
template <typename Draw>
static void draw_clipped_to(BITMAP *destination, Area area, Draw draw) {
  int left, top, right, bottom;
  get_clip_rect(destination, &left, &top, &right, &bottom);
  const int clipping = get_clip_state(destination);
  const Area allowed = clipping ? Area{left, top, right, bottom}
                                : Area{0, 0, destination->w - 1, destination->h - 1};
  const Area drawn = {std::max(allowed.left, area.left), std::max(allowed.top, area.top),
                      std::min(allowed.right, area.right), std::min(allowed.bottom, area.bottom)};
  if (drawn.left > drawn.right || drawn.top > drawn.bottom) return;
  set_clip_rect(destination, drawn.left, drawn.top, drawn.right, drawn.bottom);
  set_clip_state(destination, TRUE);
  draw();
  set_clip_rect(destination, left, top, right, bottom);
  set_clip_state(destination, clipping);
}

// Made fast (the plain version is reference_sprite, tests/support/reference_scene.cpp):
// the picture is stretched into the corner of a scratch three frames wide and
// high, and the scratch is pivoted onto the destination. The library's turn
// samples the scratch along rows it walks from the scratch's own corners, so
// the scratch keeps its full size (a smaller one would round some turned pixels
// differently); what keeps a call cheap is that the turn is clipped to the few
// destination rows and columns the picture can reach, and only the stretched
// corner is wiped. The library computes a clipped row's first sample by the
// same fixed-point sum it would have reached by stepping, so the clip changes
// no pixel.
void sprite(BITMAP *destination, BITMAP *picture, int basew, int baseh, int left, int top,
            int angle, int groww, int growh) {
  if (data == 1) {
    // Three frames each way, the frame being the destination the actors draw into.
    oggetto1 = create_bitmap(3 * destination->w, 3 * destination->h);
    if (oggetto1) clear_to_color(oggetto1, bitmap_mask_color(oggetto1));
    data = 0;
  }
  if (!oggetto1) return;

  // What of the stretched picture fits in the scratch; nothing at all when the
  // size is not positive.
  const int width = std::min(basew + groww, oggetto1->w);
  const int height = std::min(baseh + growh, oggetto1->h);
  if (width <= 0 || height <= 0) return;

  const int pivot_x = left + basew / 2 - groww / 2;
  const int pivot_y = top + baseh / 2 - growh / 2;
  if ((angle & 255) == 0) {
    // Unturned, the pivot is a plain masked copy of the scratch's corner, so
    // the picture goes straight onto the destination, cut where the scratch
    // would have cut it.
    const int drawn_left = pivot_x - basew / 2, drawn_top = pivot_y - baseh / 2;
    const Area drawn = {drawn_left, drawn_top, drawn_left + width - 1, drawn_top + height - 1};
    draw_clipped_to(destination, drawn, [&] {
      stretch_sprite(destination, picture, drawn_left, drawn_top, basew + groww, baseh + growh);
    });
    return;
  }

  stretch_sprite(oggetto1, picture, 0, 0, basew + groww, baseh + growh);
  // Destination pixels the turned picture can land on.
  const Area reach =
      turned_bounds(0, 0, width, height, basew / 2, baseh / 2, pivot_x, pivot_y, angle);
  draw_clipped_to(destination, reach, [&] {
    pivot_picture(destination, oggetto1, pivot_x, pivot_y, basew / 2, baseh / 2, angle);
  });
  rectfill(oggetto1, 0, 0, width - 1, height - 1, bitmap_mask_color(oggetto1));
}

}  // namespace zephyrun
