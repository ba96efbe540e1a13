// Our own generator and lattice noise: rand() differs between C libraries and
// would make the asset files differ between machines.
#include "asset_maker.h"

#include <cmath>

namespace asset_maker {

uint64_t Random::next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

float Random::uniform() {
  return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24);
}

int Random::below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }

namespace {

int wrap(int v, int period) {
  int m = v % period;
  return m < 0 ? m + period : m;
}

float lattice_value(int ix, int iy, int period_x, int period_y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(wrap(ix, period_x)) * 0x8DA6B343u ^
               static_cast<uint32_t>(wrap(iy, period_y)) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float fade(float t) { return t * t * (3.0f - 2.0f * t); }

}  // namespace

float tiled_noise(float x, float y, int period_x, int period_y, uint32_t seed) {
  float fx = std::floor(x), fy = std::floor(y);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  float tx = fade(x - fx), ty = fade(y - fy);
  float v00 = lattice_value(ix, iy, period_x, period_y, seed);
  float v10 = lattice_value(ix + 1, iy, period_x, period_y, seed);
  float v01 = lattice_value(ix, iy + 1, period_x, period_y, seed);
  float v11 = lattice_value(ix + 1, iy + 1, period_x, period_y, seed);
  float top = v00 + (v10 - v00) * tx, bottom = v01 + (v11 - v01) * tx;
  return top + (bottom - top) * ty;
}

float tiled_fractal(float x, float y, int period_x, int period_y, int octaves, uint32_t seed) {
  float sum = 0.0f, weight = 1.0f, total = 0.0f;
  for (int o = 0; o < octaves; o++) {
    sum += weight * tiled_noise(x, y, period_x, period_y, seed + 101u * o);
    total += weight;
    x *= 2.0f;
    y *= 2.0f;
    period_x *= 2;
    period_y *= 2;
    weight *= 0.5f;
  }
  return sum / total;
}

}  // namespace asset_maker
