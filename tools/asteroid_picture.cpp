// The asteroid is a height field: an ellipsoid with a lumpy outline, rough
// noise and bowl-shaped craters with raised rims, shaded by its slopes. Working
// from heights rather than painting shades keeps craters lit consistently.
#include "asset_maker.h"

#include <cmath>
#include <vector>

namespace asset_maker {

namespace {

constexpr float pi = 3.14159265f;
constexpr float centre_x = asteroid_picture_width / 2.0f, centre_y = asteroid_picture_height / 2.0f;
constexpr float radius_x = 74.0f, radius_y = 58.0f;

struct Crater {
  float x, y, radius, depth;
};

// How far out the rock reaches in each direction, as a fraction of the ellipse.
float outline(float angle) {
  float t = angle / (2.0f * pi) * 16.0f;
  if (t < 0) t += 16.0f;
  return 0.84f + 0.16f * tiled_fractal(t, 0.5f, 16, 2, 3, 11);
}

float crater_profile(const Crater &crater, float x, float y) {
  float d = std::hypot(x - crater.x, y - crater.y) / crater.radius;
  if (d < 1.0f) return -crater.depth * (1.0f - d * d) + crater.depth * 0.25f * d * d;
  float rim = std::exp(-(d - 1.0f) * (d - 1.0f) * 18.0f);
  return crater.depth * 0.25f * rim;
}

std::vector<Crater> scatter_craters(Random &random) {
  std::vector<Crater> craters;
  for (int i = 0; i < 11; i++) {
    float angle = random.range(0.0f, 2.0f * pi), reach = std::sqrt(random.uniform()) * 0.62f;
    float radius = random.range(5.0f, i < 3 ? 17.0f : 9.0f);
    craters.push_back({centre_x + std::cos(angle) * radius_x * reach,
                       centre_y + std::sin(angle) * radius_y * reach, radius, radius * 0.45f});
  }
  return craters;
}

// Height above the picture plane, or a negative value outside the rock.
float height_at(float x, float y, const std::vector<Crater> &craters) {
  float nx = (x - centre_x) / radius_x, ny = (y - centre_y) / radius_y;
  float q = std::hypot(nx, ny) / outline(std::atan2(ny, nx));
  if (q >= 1.0f) return -1.0f;
  float h = 50.0f * std::sqrt(1.0f - q * q);
  h += 5.0f * tiled_fractal(x / 9.0f, y / 9.0f, 32, 32, 4, 23);
  for (const Crater &crater : craters) h += crater_profile(crater, x, y);
  return h;
}

}  // namespace

Picture draw_asteroid() {
  Random random(0xA57E401D);
  std::vector<Crater> craters = scatter_craters(random);
  Picture rock(asteroid_picture_width, asteroid_picture_height, {}, false);
  const float lx = -0.55f, ly = -0.6f, lz = 0.58f;  // light from the upper left, in front
  for (int y = 0; y < asteroid_picture_height; y++)
    for (int x = 0; x < asteroid_picture_width; x++) {
      float px = x + 0.5f, py = y + 0.5f;
      float h = height_at(px, py, craters);
      if (h < 0.0f) continue;
      float hx = height_at(px + 1.0f, py, craters), hy = height_at(px, py + 1.0f, craters);
      float gx = (hx < 0.0f ? 3.0f : hx - h), gy = (hy < 0.0f ? 3.0f : hy - h);
      float nx = -gx, ny = -gy, nz = 1.0f, len = std::sqrt(nx * nx + ny * ny + nz * nz);
      float diffuse = clamp01((nx * lx + ny * ly + nz * lz) / len);
      float tint = tiled_fractal(px / 14.0f, py / 14.0f, 16, 16, 3, 41);
      Rgb base =
          mix(Rgb{0.36f, 0.31f, 0.27f}, Rgb{0.62f, 0.57f, 0.52f}, smoothstep(0.3f, 0.7f, tint));
      Rgb c = base * (0.14f + 0.95f * diffuse);
      // A thin dark rim keeps the outline crisp against any background.
      bool edge =
          height_at(px - 1.5f, py, craters) < 0.0f || height_at(px + 1.5f, py, craters) < 0.0f ||
          height_at(px, py - 1.5f, craters) < 0.0f || height_at(px, py + 1.5f, craters) < 0.0f;
      rock.paint(x, y, edge ? c * 0.55f : c);
    }
  return rock;
}

}  // namespace asset_maker
