// The plain sprite and scrolling ground the fast ones are held to: every step
// done in full over whole scratch bitmaps, none skipped or clipped.
#include "reference_scene.h"

#include <initializer_list>

namespace testing_support {

static BITMAP *scratch;  // made on the first call, three times that destination each way

// pivot_sprite with itofix(angle), its shifts done unsigned: the library's own are undefined
// for negative values, which a sanitized build stops at.
static void plain_pivot(BITMAP *target, BITMAP *picture, int x, int y, int cx, int cy, int angle) {
  auto fixed_point = [](int whole) {
    return static_cast<fixed>(static_cast<unsigned int>(whole) << 16);
  };
  target->vtable->pivot_scaled_sprite_flip(target, picture, fixed_point(x), fixed_point(y),
                                           fixed_point(cx), fixed_point(cy), fixed_point(angle),
                                           fixed_point(1), FALSE);
}

void reference_sprite(BITMAP *destination, BITMAP *picture, int basew, int baseh, int x, int y,
                      int angle, int groww, int growh) {
  if (!scratch) {
    scratch = create_bitmap(3 * destination->w, 3 * destination->h);
    clear_to_color(scratch, makecol(255, 0, 255));
  }
  stretch_sprite(scratch, picture, 0, 0, basew + groww, baseh + growh);
  plain_pivot(destination, scratch, x + basew / 2 - groww / 2, y + baseh / 2 - growh / 2, basew / 2,
              baseh / 2, angle);
  clear_to_color(scratch, makecol(255, 0, 255));
}

ReferenceGround::~ReferenceGround() {
  for (BITMAP *bmp : {bmp2, bmp3, wrapped_row}) destroy_bitmap(bmp);
}

void ReferenceGround::livscroll(BITMAP *terrain, BITMAP *target, int span, int height, int drift,
                                int step, int x, int y, int angle) {
  if (array == 2) {
    schermox = span / 2;
    schermoy = height;
    bmp2 = create_bitmap(schermox, 2 * schermoy - 1);
    bmp3 = create_bitmap(schermox, schermoy - 1);
    wrapped_row = create_bitmap(schermox, 1);
    array = 1;
  }
  if (array == 1) {
    for (a = 0; a <= height; a++) {
      scorrimentox[a] = 2 * schermox;
      b = b + 2.0f;
      inc[a] = b;
    }
    array = 0;
  }

  draw_sprite(bmp2, terrain, 0, height + immy1);
  draw_sprite(bmp2, terrain, 0, immy1);
  immy1 = immy1 + step;
  if (immy1 > 0) immy1 = -height;
  if (immy1 < -height) immy1 = 0;

  for (a = 0; a <= height; a++) {
    // The row's source span starts `shift` columns into the strip and wraps round it.
    int shift = scorrimentox[a] % schermox;
    if (shift < 0) shift += schermox;
    blit(bmp2, wrapped_row, shift, a, 0, 0, schermox - shift, 1);
    blit(bmp2, wrapped_row, 0, a, schermox - shift, 0, shift, 1);
    stretch_blit(wrapped_row, bmp3, 0, 0, schermox, 1, static_cast<int>(-inc[a] * (height / 2)), a,
                 static_cast<int>(schermox + height * inc[a]), 1);
    scorrimentox[a] = scorrimentox[a] + drift;
    if (scorrimentox[a] >= 2 * schermox + span) scorrimentox[a] = 2 * schermox;
    if (scorrimentox[a] <= 2 * schermox - span) scorrimentox[a] = 2 * schermox;
  }

  plain_pivot(target, bmp3, span / 4 + x, height / 2 + y, span / 4, height / 2, angle);
}

}  // namespace testing_support
