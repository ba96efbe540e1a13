// The title: a still of the game drawn with real perspective (which the game's
// own ground only imitates), and the name taken from Allegro's 8x8 font,
// magnified with smoothing so its steps become soft curves, then filled with a
// sunset gradient, bevelled, outlined and given a drop shadow.
#include "asset_maker.h"

#include <cmath>
#include <vector>

namespace asset_maker {

namespace {

constexpr float horizon = 336.0f;

void draw_perspective_ground(Picture &title, const Picture &ground) {
  const Rgb haze{0.86f, 0.70f, 0.60f};
  for (int y = static_cast<int>(horizon); y < title_height; y++) {
    float depth = 2400.0f / (y + 0.5f - horizon);  // distance along the ground
    float fog = std::exp(-(y - horizon) / 22.0f);
    for (int x = 0; x < title_width; x++) {
      int u = static_cast<int>(ground_width / 2 + (x - title_width / 2) * depth / 420.0f);
      int v = static_cast<int>(depth / 12.0f) % ground_height;
      u = (u % ground_width + ground_width) % ground_width;
      title.at(x, y) = mix(ground.at(u, ground_height - 1 - v), haze, fog);
    }
  }
}

// Nearest-pixel stretch of a picture's solid pixels onto another.
void draw_scaled(Picture &dest, const Picture &src, float left, float top, float scale) {
  for (int y = static_cast<int>(top); y < static_cast<int>(top + src.h * scale); y++)
    for (int x = static_cast<int>(left); x < static_cast<int>(left + src.w * scale); x++) {
      int sx = static_cast<int>((x + 0.5f - left) / scale),
          sy = static_cast<int>((y + 0.5f - top) / scale);
      if (dest.inside(x, y) && src.inside(sx, sy) && src.is_solid(sx, sy))
        dest.at(x, y) = src.at(sx, sy);
    }
}

// The text as Allegro's font draws it: 1 on ink, 0 elsewhere.
std::vector<float> font_mask(const char *text, int &w, int &h) {
  w = text_length(font, text);
  h = text_height(font);
  std::vector<float> mask(static_cast<size_t>(w) * h, 0.0f);
  BITMAP *bmp = create_bitmap_ex(24, w, h);
  if (!bmp) return mask;
  clear_to_color(bmp, 0);
  textout_ex(bmp, font, text, 0, 0, makecol_depth(24, 255, 255, 255), -1);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) mask[y * w + x] = getpixel(bmp, x, y) != 0 ? 1.0f : 0.0f;
  destroy_bitmap(bmp);
  return mask;
}

// Ink of the magnified text at picture point (x, y) of a text whose top-left
// corner is at (left, top): bilinear over the font's pixels, so a threshold of
// one half rounds off the staircase corners.
struct Lettering {
  std::vector<float> mask;
  int w, h;
  float left, top, scale;

  float ink(float x, float y) const {
    float fx = (x - left) / scale - 0.5f, fy = (y - top) / scale - 0.5f;
    int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
    float tx = fx - ix, ty = fy - iy;
    auto at = [&](int mx, int my) {
      return mx < 0 || my < 0 || mx >= w || my >= h ? 0.0f : mask[my * w + mx];
    };
    float top_row = at(ix, iy) * (1 - tx) + at(ix + 1, iy) * tx;
    float bottom_row = at(ix, iy + 1) * (1 - tx) + at(ix + 1, iy + 1) * tx;
    return top_row * (1 - ty) + bottom_row * ty;
  }
  bool solid(float x, float y) const { return ink(x, y) >= 0.5f; }
};

void draw_logo(Picture &title, const Lettering &text) {
  const float outline = 4.0f, shadow = 8.0f;
  const float right = text.left + text.w * text.scale, bottom = text.top + text.h * text.scale;
  for (int y = static_cast<int>(text.top - outline); y < bottom + outline + shadow; y++)
    for (int x = static_cast<int>(text.left - outline); x < right + outline + shadow; x++) {
      if (!title.inside(x, y)) continue;
      float px = x + 0.5f, py = y + 0.5f;
      if (text.solid(px, py)) {
        float t = (py - text.top) / (bottom - text.top);
        Rgb fill =
            mix(Rgb{1.0f, 0.96f, 0.70f}, Rgb{1.0f, 0.62f, 0.16f}, smoothstep(0.0f, 0.55f, t));
        fill = mix(fill, Rgb{0.80f, 0.20f, 0.10f}, smoothstep(0.55f, 1.0f, t));
        if (!text.solid(px - 3, py - 3))
          fill = mix(fill, Rgb{1, 1, 1}, 0.7f);  // lit bevel
        else if (!text.solid(px + 3, py + 3))
          fill = fill * 0.55f;                                                // shaded bevel
        if (std::fmod(py - text.top, text.scale) < 1.0f) fill = fill * 0.9f;  // scan lines
        title.at(x, y) = fill;
        continue;
      }
      bool near = false;
      for (int a = 0; a < 8 && !near; a++) {
        float angle = a * 0.785398f;
        near = text.solid(px + outline * std::cos(angle), py + outline * std::sin(angle));
      }
      if (near) {
        title.at(x, y) = Rgb{0.06f, 0.05f, 0.16f};
      } else if (text.solid(px - shadow, py - shadow)) {
        title.at(x, y) = title.at(x, y) * 0.45f;
      }
    }
}

}  // namespace

Picture draw_title(const TitleScenery &scenery) {
  Picture title = scenery.sky;
  draw_perspective_ground(title, scenery.ground);
  draw_scaled(title, scenery.asteroid, 470, 196, 0.55f);
  draw_scaled(title, scenery.shot, 320 - scenery.shot.w * 0.3f, 252, 0.6f);
  draw_scaled(title, scenery.ship, 320 - scenery.ship.w * 0.85f, 196, 1.7f);

  Lettering text{{}, 0, 0, 0, 0, 9.0f};
  text.mask = font_mask("ZEPHYRUN", text.w, text.h);
  text.left = (title_width - text.w * text.scale) / 2.0f;
  text.top = 64.0f;
  draw_logo(title, text);
  return title;
}

}  // namespace asset_maker
