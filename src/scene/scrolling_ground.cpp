// The scrolling ground: a flat textured plane that recedes to a horizon and
// streams towards the viewer, each row the wider the nearer it lies.
#include "turned_area.h"
#include "zephyrun.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace zephyrun {

int array = 2;
int schermox, schermoy, immy1, a;
BITMAP *bmp2, *bmp3;
float inc[10000];
int scorrimentox[10000];
float b = 1.0f;

// Which span column each ground column of a row shows (-1: none), and the
// stretch it was found for.
struct SpanColumns {
  int dx = 0, dw = 0;
  std::vector<int32_t> of_column;
};
static std::vector<SpanColumns> row_columns;
static BITMAP *numbered_span, *stretched_numbers;  // 32-bit, schermox x 1

// The strip bmp2 is never made: the ground reads the texture itself (see livscroll).
static void create_ground_bitmaps(int span, int height) {
  schermox = span / 2;
  schermoy = height;
  bmp3 = create_bitmap(schermox, schermoy - 1);
  array = 1;
}

static void fill_row_tables(int height) {
  for (a = 0; a <= height; a++) {
    scorrimentox[a] = 2 * schermox;
    b = b + 2.0f;
    inc[a] = b;
    if (a == height) array = 0;
  }
  row_columns.clear();
  for (BITMAP **probe : {&numbered_span, &stretched_numbers}) {
    if (*probe) destroy_bitmap(*probe);
    *probe = create_bitmap_ex(32, schermox, 1);
  }
  if (!numbered_span || !stretched_numbers) return;
  for (int column = 0; column < schermox; column++)
    reinterpret_cast<int32_t *>(numbered_span->line[0])[column] = column;
}

static void advance_scroll(int height, int step) {
  immy1 = immy1 + step;
  if (immy1 > 0) immy1 = -height;
  if (immy1 < -height) immy1 = 0;
}

static const SpanColumns &span_columns(int row, int dx, int dw) {
  if (row_columns.size() <= static_cast<size_t>(row)) row_columns.resize(row + 1);
  SpanColumns &found = row_columns[row];
  if (found.of_column.empty() || found.dx != dx || found.dw != dw) {
    clear_to_color(stretched_numbers, -1);
    stretch_blit(numbered_span, stretched_numbers, 0, 0, schermox, 1, dx, 0, dw, 1);
    const int32_t *numbers = reinterpret_cast<int32_t *>(stretched_numbers->line[0]);
    found.of_column.assign(numbers, numbers + schermox);
    found.dx = dx;
    found.dw = dw;
  }
  return found;
}

// The ground pixels the pivot can sample: the destination's clip turned back
// into the ground.
static Area ground_seen(BITMAP *target, int pivot_x, int pivot_y, int centre_x, int centre_y,
                        int angle, int last_row) {
  int left = 0, top = 0, right = target->w - 1, bottom = target->h - 1;
  if (get_clip_state(target)) get_clip_rect(target, &left, &top, &right, &bottom);
  const Area seen =
      turned_bounds(left, top, right + 1, bottom + 1, pivot_x, pivot_y, centre_x, centre_y, -angle);
  return {std::clamp(seen.left, 0, bmp3->w - 1), std::clamp(seen.top, 0, last_row),
          std::clamp(seen.right, -1, bmp3->w - 1), std::clamp(seen.bottom, -1, last_row)};
}

// The texture row strip row `row` shows at scroll offset `offset`: the copy
// made at the offset wins over the one a ground height lower. -1 where neither
// copy reaches.
static int texture_row(int row, int offset, int height, int texture_height) {
  if (row - offset < texture_height) return row - offset;
  if (row - offset - height >= 0 && row - offset - height < texture_height)
    return row - offset - height;
  return -1;
}

// One ground row from `first` to `last`: texture pixel by texture pixel,
// transparent where the strip would hold no texture.
template <typename Pixel>
static void make_ground_row_same_depth(BITMAP *terrain, int row, int source_row, int shift,
                                       const int32_t *span_column, int first, int last) {
  Pixel *out = reinterpret_cast<Pixel *>(bmp3->line[row]);
  const Pixel hole = static_cast<Pixel>(bitmap_mask_color(bmp3));
  const Pixel mask = static_cast<Pixel>(bitmap_mask_color(terrain));
  const Pixel *in = source_row < 0 ? nullptr : reinterpret_cast<Pixel *>(terrain->line[source_row]);
  const int texture_width = std::min(terrain->w, schermox);
  for (int column = first; column <= last; column++) {
    int strip_column = span_column[column];
    if (strip_column < 0 || !in) {
      out[column] = hole;
      continue;
    }
    strip_column += shift;
    if (strip_column >= schermox) strip_column -= schermox;
    const Pixel texel = strip_column < texture_width ? in[strip_column] : mask;
    out[column] = texel == mask ? hole : texel;
  }
}

// The same through the library's pixel calls, for a terrain of another depth
// than the ground's, or of 24 bits.
static void make_ground_row_any_depth(BITMAP *terrain, int row, int source_row, int shift,
                                      const int32_t *span_column, int first, int last) {
  for (int column = first; column <= last; column++) {
    int strip_column = span_column[column];
    int texel = bitmap_mask_color(terrain);
    if (strip_column >= 0 && source_row >= 0) {
      strip_column = (strip_column + shift) % schermox;
      if (strip_column < terrain->w) texel = getpixel(terrain, strip_column, source_row);
    }
    putpixel(bmp3, column, row,
             texel == bitmap_mask_color(terrain) ? bitmap_mask_color(bmp3) : texel);
  }
}

// Ground row `row` over the columns the pivot can sample, by whichever of the
// two above the depths allow.
static void make_ground_row(BITMAP *terrain, int row, int height, int offset, int shift,
                            const int32_t *span_column, Area seen) {
  const int source_row = texture_row(row, offset, height, terrain->h);
  const int depth = bitmap_color_depth(bmp3);
  const int first = seen.left, last = seen.right;
  if (depth != bitmap_color_depth(terrain) || depth == 24)
    make_ground_row_any_depth(terrain, row, source_row, shift, span_column, first, last);
  else if (depth == 8)
    make_ground_row_same_depth<uint8_t>(terrain, row, source_row, shift, span_column, first, last);
  else if (depth == 32)
    make_ground_row_same_depth<uint32_t>(terrain, row, source_row, shift, span_column, first, last);
  else
    make_ground_row_same_depth<uint16_t>(terrain, row, source_row, shift, span_column, first, last);
}

// The plain way, kept as ReferenceGround in tests/support/reference_scene.cpp, copies the
// texture into the strip twice, stretches every strip row across the ground bitmap and
// pivots all of it. Only a quarter of the ground ever reaches the screen, so
// only that part is made, pixel for pixel the same: the ground pixels the
// pivot can sample are found by turning the destination's clip back into the
// ground, and each is read straight from the texture row the strip would show
// there, at the span column the library's stretch would pick. Those columns
// depend on the sizes alone, so they are found once per row by stretching a
// row of column numbers. The strip's rows are the texture's when the texture
// is what the ground needs (opaque, as tall as the ground, as wide as the
// strip); where it is not, the ground stays transparent there rather than
// showing stale strip memory.
void livscroll(BITMAP *terrain, BITMAP *target, int span, int height, int drift, int step, int left,
               int top, int angle) {
  // The row tables hold 10000 entries, and rows are cut from span / 2 columns.
  if (height < 2 || height > 9999 || span / 2 < 1) return;
  if (array == 2) create_ground_bitmaps(span, height);
  if (array == 1) fill_row_tables(height);
  if (array != 0 || !bmp3 || !numbered_span || !stretched_numbers) return;

  const int offset = immy1;  // the strip is drawn at the offset before this call's step
  advance_scroll(height, step);

  const int pivot_x = span / 4 + left, pivot_y = height / 2 + top;
  const Area seen = ground_seen(target, pivot_x, pivot_y, span / 4, height / 2, angle,
                                std::min(bmp3->h - 1, height));
  for (a = 0; a <= height; a++) {
    if (a >= seen.top && a <= seen.bottom && seen.left <= seen.right) {
      const int dx = static_cast<int>(-inc[a] * (height / 2));
      const int dw = static_cast<int>(schermox + height * inc[a]);
      int shift = scorrimentox[a] % schermox;
      if (shift < 0) shift += schermox;
      make_ground_row(terrain, a, height, offset, shift, span_columns(a, dx, dw).of_column.data(),
                      seen);
    }
    scorrimentox[a] = scorrimentox[a] + drift;
    if (scorrimentox[a] >= 2 * schermox + span) scorrimentox[a] = 2 * schermox;
    if (scorrimentox[a] <= 2 * schermox - span) scorrimentox[a] = 2 * schermox;
  }

  // Unturned, the pivot places the ground whole-pixel exact: a masked copy
  // does the same for less.
  if ((angle & 255) == 0)
    draw_sprite(target, bmp3, pivot_x - span / 4, pivot_y - height / 2);
  else
    pivot_picture(target, bmp3, pivot_x, pivot_y, span / 4, height / 2, angle);
}

}  // namespace zephyrun
