// Randomness for the asset maker: a small generator of our own and tileable
// value noise, so every run draws exactly the same pictures.
#pragma once

#include <cstdint>

// SplitMix64: tiny, fast, and the same sequence on every machine.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next();
  // Uniform in [0, 1).
  float uniform();
  // Uniform in [lo, hi).
  float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
  // Uniform whole number in [0, n); n must be positive.
  int below(int n);

 private:
  uint64_t state_;
};

// Smooth value noise in [0, 1] on a lattice of one cell per unit, repeating
// every period_x by period_y cells, so a picture built from it wraps seamlessly.
float tiled_noise(float x, float y, int period_x, int period_y, uint32_t seed);

// Several octaves of tiled_noise, each twice as fine and half as strong as the
// one before (periods double too, so the sum tiles like the first octave).
float tiled_fractal(float x, float y, int period_x, int period_y, int octaves, uint32_t seed);
