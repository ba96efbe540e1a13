// The magnified frame written straight into the X11 window's own pixels, in
// one pass: no magnified copy at 15 bits for the library to convert again.
//
// The library's X11 windowed driver keeps the window's picture in an XImage
// (_xwin.ximage, a row per _xwin.buffer_line) in the window's own format, and
// the screen bitmap at 15 bits in memory of its own; each drawing call on the
// screen converts the lines it touched into the XImage (_xwin.screen_to_buffer)
// and puts them on the window (_xwin_window_redrawer), which is also how an
// Expose is answered. We fill the XImage ourselves and call the same put.
#include "window/window.h"

#include <xalleg.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace zephyrun {

// The window's pixel for every 15-bit colour, made by the driver's own
// conversion so the window shows each colour exactly as a blit to the screen
// would; remade whenever the screen or its XImage is another.
static uint32_t window_pixel[0x8000];
static const BITMAP *pixels_screen = nullptr;
static const XImage *pixels_image = nullptr;

// Where we can write the window's pixels ourselves: the X11 driver's screen at
// 15 bits converting into a true-colour XImage of 32 bits a pixel that we may
// address directly (a 24-bit desktop, as on nearly every display today).
static bool window_format_allows() {
  return gfx_driver &&
         (gfx_driver->id == GFX_XWINDOWS || gfx_driver->id == GFX_XWINDOWS_FULLSCREEN) && screen &&
         bitmap_color_depth(screen) == 15 && _xwin.ximage && _xwin.screen_line &&
         _xwin.buffer_line && _xwin.screen_to_buffer && !_xwin.matching_formats &&
         _xwin.fast_visual_depth == 32 && _xwin.visual_is_truecolor &&
         screen->w * screen->h >= 0x8000;
}

// Lays every 15-bit colour into the screen's first lines, lets the driver
// convert them, and reads the result back; then puts the lines back as they
// were, both in the screen and in the XImage. Nothing reaches the window: the
// driver puts only for a drawing call or an Expose, and we hold its lock.
static void learn_window_pixels() {
  const int w = screen->w, lines = (0x8000 + w - 1) / w;
  std::vector<uint16_t> kept(0x8000);
  auto each_colour = [&](auto &&visit) {
    for (int i = 0; i < 0x8000; i++)
      visit(reinterpret_cast<uint16_t *>(_xwin.screen_line[i / w]) + i % w, i);
  };
  each_colour([&](uint16_t *at, int i) {
    kept[i] = *at;
    *at = static_cast<uint16_t>(i);
  });
  _xwin.screen_to_buffer(0, 0, w, lines);
  for (int i = 0; i < 0x8000; i++)
    window_pixel[i] = reinterpret_cast<const uint32_t *>(_xwin.buffer_line[i / w])[i % w];
  each_colour([&](uint16_t *at, int i) { *at = kept[i]; });
  _xwin.screen_to_buffer(0, 0, w, lines);
  pixels_screen = screen;
  pixels_image = _xwin.ximage;
}

// One line of the frame into one line of the window, every pixel `scale` wide.
static inline void widen_line_any(const uint16_t *from, uint32_t *to, int w, int scale) {
  for (int column = 0; column < w; column++) {
    const uint32_t pixel = window_pixel[from[column] & 0x7fff];
    for (int i = 0; i < scale; i++) *to++ = pixel;
  }
}

// The same with the scale known to the compiler, for the scales windows have.
template <int Scale>
static void widen_line(const uint16_t *from, uint32_t *to, int w) {
  widen_line_any(from, to, w, Scale);
}

static void (*const widen_line_by[])(const uint16_t *, uint32_t *, int) = {
    nullptr, widen_line<1>, widen_line<2>, widen_line<3>, widen_line<4>};

bool magnify_into_window(BITMAP *source, int scale, int left, int top) {
  if (!window_format_allows() || !is_memory_bitmap(source) || bitmap_color_depth(source) != 15 ||
      scale < 1 || left < 0 || top < 0 || left + source->w * scale > _xwin.screen_width ||
      top + source->h * scale > _xwin.screen_height)
    return false;
  const int wide = source->w * scale;
  XLOCK();
  if (pixels_screen != screen || pixels_image != _xwin.ximage) learn_window_pixels();
  for (int row = 0; row < source->h; row++) {
    const int first = top + row * scale;
    uint32_t *line = reinterpret_cast<uint32_t *>(_xwin.buffer_line[first]) + left;
    const auto *from = reinterpret_cast<const uint16_t *>(source->line[row]);
    if (scale <= 4)
      widen_line_by[scale](from, line, source->w);
    else
      widen_line_any(from, line, source->w, scale);
    for (int i = 1; i < scale; i++)
      std::memcpy(reinterpret_cast<uint32_t *>(_xwin.buffer_line[first + i]) + left, line,
                  wide * sizeof *line);
  }
  _xwin_window_redrawer(left - _xwin.scroll_x, top - _xwin.scroll_y, wide, source->h * scale);
  XUNLOCK();
  return true;
}

}  // namespace zephyrun
