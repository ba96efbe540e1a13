// The asset maker: draws the game's five asset files. Every picture is drawn
// in floats on a Picture, each in a file of its own, and becomes an Allegro
// bitmap only when it is written; this header is all of it, by file.
#pragma once

#include <allegro.h>

#include "assets/assets.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace asset_maker {

// ---- The asset files (asset_files.cpp) ----

// The file names the game loads, in the order it loads them.
using zephyrun::asset_file_names;

// Writes the five files into directory (creating it and its parents), the
// same bytes on every run. Allegro must be started (no graphics mode needed).
// On failure returns false and says which file or directory could not be
// written in error.
bool write_asset_files(const std::string &directory, std::string &error);

// ---- Datafiles (datafile_writer.cpp): Debian ships no grabber or dat tool ----

struct DatafileBitmap {
  std::string name;  // stored as the object's NAME property; empty for none
  BITMAP *bitmap;
};

// Writes the bitmaps, in order, as the objects of an uncompressed datafile
// that load_datafile reads back. Bitmaps of 15 or 16 bits are stored as 16-bit
// objects, 24 and 32 bits as 24-bit and 32-bit objects; 8-bit (paletted)
// bitmaps are not supported. False, with no file left behind, when a bitmap is
// missing or of an unsupported depth, or when the file cannot be written.
bool write_datafile(const char *path, const std::vector<DatafileBitmap> &objects);

// An Allegro bitmap destroyed with its owner.
struct BitmapDeleter {
  void operator()(BITMAP *bmp) const { destroy_bitmap(bmp); }
};
using BitmapPtr = std::unique_ptr<BITMAP, BitmapDeleter>;

// ---- The drawing surface (picture.cpp) ----
// Colours are floats (0..1 per channel) with a per-pixel "solid" flag, so
// pictures can be lit and blended freely and get magic pink around them only
// when they become bitmaps.

struct Rgb {
  float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

// Linear blend: t = 0 gives a, t = 1 gives b.
inline Rgb mix(Rgb a, Rgb b, float t) { return a * (1.0f - t) + b * t; }

float clamp01(float v);
// 0 below edge0, 1 above edge1, a smooth S-curve between.
float smoothstep(float edge0, float edge1, float v);

struct Picture {
  int w, h;
  std::vector<Rgb> colour;
  std::vector<unsigned char> solid;

  // A picture filled with one colour; opaque = false makes it all transparent.
  Picture(int width, int height, Rgb fill = {}, bool opaque = true);

  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
  Rgb &at(int x, int y) { return colour[y * w + x]; }
  const Rgb &at(int x, int y) const { return colour[y * w + x]; }
  bool is_solid(int x, int y) const { return solid[y * w + x] != 0; }

  // Sets a pixel and makes it solid; ignores pixels outside the picture.
  void paint(int x, int y, Rgb c);
  // Blends c over an already solid pixel by weight a (0..1); transparent
  // pixels become solid with c where a reaches cover_from.
  void blend(int x, int y, Rgb c, float a, float cover_from = 0.5f);
};

// A 24-bit memory bitmap of the picture: magic pink where it is not solid, and
// solid colours kept clear of any shade that turns into magic pink once
// reduced to 15 or 16 bits. NULL when the bitmap cannot be created.
BITMAP *picture_to_bitmap(const Picture &picture);

// The picture shrunk by a whole factor, averaging the solid pixels of each
// block; a block is solid when at least half of it is.
Picture shrink_picture(const Picture &picture, int factor);

// Draws a shape by sampling: scene(x, y, colour) says whether something solid
// is at a point and its colour; each pixel averages n x n samples, which
// smooths the edges between parts while the outline stays crisp (a pixel is
// solid when at least half its samples are).
template <typename Scene>
Picture render_supersampled(int w, int h, int n, Scene scene) {
  Picture picture(w, h, {}, false);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      Rgb sum;
      int hits = 0;
      for (int sy = 0; sy < n; sy++)
        for (int sx = 0; sx < n; sx++) {
          Rgb c;
          if (scene(x + (sx + 0.5f) / n, y + (sy + 0.5f) / n, c)) {
            sum = sum + c;
            hits++;
          }
        }
      if (hits * 2 >= n * n) picture.paint(x, y, sum * (1.0f / hits));
    }
  return picture;
}

// ---- Randomness (random_numbers.cpp) ----
// Our own generator and noise, so every run on every machine draws exactly the
// same pictures. The showcase's voxel island is made of the same noise.

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

// ---- The pictures, each in its own file, at their stored sizes ----
// The game stretches the actors to sizes of its own; these are only what the
// files hold.

// ship_pictures.cpp: the player's ship, seen from behind, and its shot.
constexpr int ship_frame_count = 5;
constexpr int ship_picture_width = 144;
constexpr int ship_picture_height = 156;
constexpr int shot_picture_width = 112;
constexpr int shot_picture_height = 36;

// Animation frame 0 (engines idling) to 4 (full burn); transparent around the
// ship. The engine glow and its halo grow from frame to frame.
Picture draw_ship_frame(int frame);

// A flat, wide bolt of plasma, white-hot in the middle, transparent around it.
Picture draw_shot();

// asteroid_picture.cpp: the enemy, a lumpy, cratered rock lit from the upper
// left, transparent around it.
constexpr int asteroid_picture_width = 160;
constexpr int asteroid_picture_height = 128;
Picture draw_asteroid();

// ground_picture.cpp: the ground texture, a patchwork of fields with hedges, a
// winding river, a dirt road and scattered rocks; fully opaque, its last row
// running on into its first, since the game scrolls it round and round.
// As narrow as the game takes it, so the built game is tried at its smallest ground.
constexpr int ground_width = zephyrun::ground_size.least_width;
constexpr int ground_height = zephyrun::ground_size.least_height;
Picture draw_ground();

// sky_picture.cpp: dusk behind the flying scene, opaque: stars in a deep blue
// zenith, warm clouds lower down, a setting sun and two ranges of hills whose
// feet the ground covers.
constexpr int sky_width = zephyrun::frame_width;
constexpr int sky_height = zephyrun::frame_height;
Picture draw_sky();

// title_picture.cpp: the title, shown fading to black before the flight: the
// ship over the fields at dusk under the game's name in large bevelled
// letters. Needs Allegro started (it borrows the library's 8x8 font).
constexpr int title_width = zephyrun::frame_width;
constexpr int title_height = zephyrun::frame_height;

// The game's other pictures, which the title stages as a scene.
struct TitleScenery {
  const Picture &sky, &ground, &ship, &asteroid, &shot;
};
Picture draw_title(const TitleScenery &scenery);

}  // namespace asset_maker
