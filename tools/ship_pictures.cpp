// The ship is a scene of simple parts (twin canted fins, swept wings, a round
// hull, three engine nozzles), each answering "am I here, and in what colour",
// topmost part first. The engines' glow is added afterwards, and where it is
// strong it spills past the hull, so the frames differ in outline as well.
#include "asset_maker.h"

#include <cmath>

namespace asset_maker {

namespace {

constexpr float cx = ship_picture_width / 2.0f;
constexpr float oy = 14.0f;  // the parts below are laid out high; this centres the ship

struct Point {
  float x, y;
};

struct Nozzle {
  float x, y, radius;
};

const Nozzle nozzles[] = {{cx, 104, 10}, {cx - 40, 108, 8}, {cx + 40, 108, 8}};

// Inside a convex polygon given in either winding order.
bool in_convex(const Point *p, int n, float x, float y) {
  bool left = false, right = false;
  for (int i = 0; i < n; i++) {
    const Point &a = p[i], &b = p[(i + 1) % n];
    float cross = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
    left = left || cross < 0;
    right = right || cross > 0;
  }
  return !(left && right);
}

// Brightness of a sphere-like bulge at (dx, dy) of its radius, lit from above left.
float bulge_light(float dx, float dy) {
  float z = std::sqrt(clamp01(1.0f - dx * dx - dy * dy));
  return clamp01(-0.45f * dx - 0.6f * dy + 0.66f * z);
}

const Rgb hull{0.80f, 0.83f, 0.88f}, trim{0.16f, 0.30f, 0.62f}, stripe{0.92f, 0.42f, 0.12f};

bool nozzle_part(float x, float y, float pulse, Rgb &c) {
  for (const Nozzle &n : nozzles) {
    float d = std::hypot(x - n.x, y - n.y) / n.radius;
    if (d >= 1.0f) continue;
    if (d < 0.64f) {
      float core = 1.0f - d / 0.64f;
      c = mix(Rgb{0.20f, 0.45f, 0.95f}, Rgb{0.85f, 0.97f, 1.0f},
              clamp01(core * (0.6f + 0.6f * pulse)));
    } else {
      float ring = bulge_light((x - n.x) / n.radius, (y - n.y) / n.radius);
      c = Rgb{0.22f, 0.23f, 0.27f} * (0.6f + 0.9f * ring);
    }
    return true;
  }
  return false;
}

bool hull_part(float x, float y, Rgb &c) {
  // Canopy: a dark glass dome on top of the hull, with a window glint.
  float gx = (x - cx) / 13.0f, gy = (y - 76.0f) / 10.0f;
  if (gx * gx + gy * gy < 1.0f && y < 80.0f) {
    float glint = std::exp(-((gx + 0.35f) * (gx + 0.35f) + (gy + 0.45f) * (gy + 0.45f)) * 12.0f);
    c = mix(Rgb{0.05f, 0.10f, 0.25f}, Rgb{0.40f, 0.70f, 0.95f}, clamp01(0.25f - gy * 0.3f + glint));
    return true;
  }
  float hx = (x - cx) / 28.0f, hy = (y - 99.0f) / 21.0f;
  if (hx * hx + hy * hy < 1.0f) {
    c = hull * (0.35f + 0.8f * bulge_light(hx, hy));
    if (std::fabs(y - 88.0f) < 1.5f) c = stripe * (0.5f + 0.6f * bulge_light(hx, hy));
    return true;
  }
  for (int side = -1; side <= 1; side += 2) {  // engine pods on the wings
    float px = (x - (cx + side * 40.0f)) / 13.0f, py = (y - 108.0f) / 13.0f;
    if (px * px + py * py < 1.0f) {
      c = mix(hull, trim, 0.35f) * (0.35f + 0.8f * bulge_light(px, py));
      return true;
    }
  }
  return false;
}

bool wing_part(float x, float y, Rgb &c) {
  for (int side = -1; side <= 1; side += 2) {
    Point wing[4] = {{cx + side * 18.0f, 86},
                     {cx + side * 69.0f, 103},
                     {cx + side * 69.0f, 117},
                     {cx + side * 18.0f, 114}};
    if (!in_convex(wing, 4, x, y)) continue;
    float across = std::fabs(x - cx) / 69.0f;
    float top = 86.0f + 17.0f * (across - 18.0f / 69.0f) / (51.0f / 69.0f);
    float depth = clamp01((y - top) / 22.0f);
    c = mix(hull, hull * 0.45f, depth);
    if (across > 0.72f && across < 0.86f) c = mix(c, stripe, 0.8f);
    if (depth > 0.72f) c = trim * 0.8f;
    return true;
  }
  return false;
}

bool fin_part(float x, float y, Rgb &c) {
  for (int side = -1; side <= 1; side += 2) {
    Point fin[4] = {{cx + side * 7.0f, 84},
                    {cx + side * 19.0f, 84},
                    {cx + side * 33.0f, 40},
                    {cx + side * 28.0f, 40}};
    if (!in_convex(fin, 4, x, y)) continue;
    float along = (84.0f - y) / 44.0f;
    float lit = side < 0 ? 1.0f : 0.7f;
    c = (along > 0.78f ? trim : hull) * (lit * (0.75f + 0.25f * along));
    return true;
  }
  return false;
}

// Blue-white glow around each nozzle, stronger and wider as the pulse rises.
void add_engine_glow(Picture &ship, float pulse) {
  const Rgb glow{0.45f, 0.75f, 1.0f};
  for (int y = 0; y < ship_picture_height; y++)
    for (int x = 0; x < ship_picture_width; x++) {
      float amount = 0.0f;
      for (const Nozzle &n : nozzles) {
        float d = std::hypot(x + 0.5f - n.x, y + 0.5f - oy - n.y) - n.radius * 0.6f;
        float spread = n.radius * (0.55f + 0.6f * pulse);
        if (d > 0.0f) amount += (0.4f + 0.6f * pulse) * std::exp(-(d * d) / (spread * spread));
      }
      if (amount < 0.02f) continue;
      if (ship.is_solid(x, y))
        ship.at(x, y) = ship.at(x, y) + glow * (amount * 0.5f);
      else if (amount > 0.3f)
        ship.paint(x, y, mix(glow, Rgb{0.9f, 0.97f, 1.0f}, clamp01(amount - 0.3f)));
    }
}

// Wing-tip lights, red on the left and green on the right, blinking in turn.
void add_wing_lights(Picture &ship, int frame) {
  const bool left_on = frame % 2 == 0;
  const Rgb left = left_on ? Rgb{1.0f, 0.25f, 0.2f} : Rgb{0.45f, 0.12f, 0.1f};
  const Rgb right = left_on ? Rgb{0.1f, 0.4f, 0.15f} : Rgb{0.3f, 1.0f, 0.4f};
  for (int dy = -2; dy <= 1; dy++)
    for (int dx = -2; dx <= 1; dx++) {
      if (dx * dx + dy * dy > 3) continue;
      ship.paint(static_cast<int>(cx) - 66 + dx, static_cast<int>(110 + oy) + dy, left);
      ship.paint(static_cast<int>(cx) + 65 + dx, static_cast<int>(110 + oy) + dy, right);
    }
}

}  // namespace

Picture draw_ship_frame(int frame) {
  const float pulse = frame / static_cast<float>(ship_frame_count - 1);
  auto part_at = [&](float x, float y, Rgb &c) {
    y -= oy;
    return nozzle_part(x, y, pulse, c) || hull_part(x, y, c) || wing_part(x, y, c) ||
           fin_part(x, y, c);
  };
  Picture ship = render_supersampled(ship_picture_width, ship_picture_height, 3, part_at);
  add_engine_glow(ship, pulse);
  add_wing_lights(ship, frame);
  return ship;
}

Picture draw_shot() {
  constexpr float w = shot_picture_width, h = shot_picture_height;
  const float half_w = w / 2.0f - 2.0f, half_h = h / 2.0f - 2.0f;
  auto plasma_at = [&](float x, float y, Rgb &c) {
    float u = (x - w / 2.0f) / half_w, v = (y - h / 2.0f) / half_h;
    float ripple = 0.12f * std::sin(u * 17.0f) + 0.08f * tiled_noise(x / 4.0f, y / 4.0f, 64, 16, 5);
    float thickness =
        std::pow(clamp01(1.0f - std::pow(std::fabs(u), 1.6f)), 0.7f) * (0.88f + ripple);
    float q = std::fabs(v) / thickness;
    if (thickness <= 0.0f || q >= 1.0f) return false;
    float heat = 1.0f - q;
    c = mix(Rgb{0.95f, 0.25f, 0.05f}, Rgb{1.0f, 0.80f, 0.20f}, smoothstep(0.0f, 0.5f, heat));
    c = mix(c, Rgb{1.0f, 1.0f, 0.92f}, smoothstep(0.5f, 0.85f, heat));
    return true;
  };
  return render_supersampled(shot_picture_width, shot_picture_height, 3, plasma_at);
}

}  // namespace asset_maker
