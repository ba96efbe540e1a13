// What a whole flying frame costs (sky, ground, asteroid, shot, player) drawn
// by the game's routines and by the plain procedures they replace, in one run,
// and the ratio of the two; the ground and the ship's sprite alone as well.
// Both frames make the same calls the game makes over a stretch of play: the
// ground swaying, an asteroid growing through its 15 sizes, a shot shrinking
// through its 10, the ship at rest, leaning on every fourth frame.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "reference_scene.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

// A picture with magic-pink corners cut off, as the actors' pictures have.
BitmapPtr rounded_picture(int w, int h, int seed) {
  BitmapPtr picture = make_pattern_bitmap(w, h, seed);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
      if (dx * dx + dy * dy > 1.0) putpixel(picture.get(), x, y, makecol(255, 0, 255));
    }
  return picture;
}

struct Scene {
  Scene() {
    start_headless_allegro(15);
    back = make_filled_bitmap(640, 480, 0);
    sky = make_pattern_bitmap(640, 480, 1);
    terrain = make_filled_bitmap(1280, 200, 0);
    std::mt19937 random(3);
    for (int y = 0; y < 200; y++)
      for (int x = 0; x < 1280; x++)
        putpixel(terrain.get(), x, y,
                 makecol(random() & 127, 64 + (random() & 127), random() & 63));
    asteroid = rounded_picture(120, 110, 2);
    shot = rounded_picture(184, 67, 3);
    ship = rounded_picture(164, 205, 4);
  }
  BitmapPtr back, sky, terrain, asteroid, shot, ship;
};

using SpriteRoutine = void (*)(BITMAP *, BITMAP *, int, int, int, int, int, int, int);

int sway(int frame) {
  const int phase = frame % 110;
  if (phase < 9) return phase;
  if (phase < 28) return 18 - phase;
  return phase < 37 ? phase - 37 : 0;
}

template <typename Ground>
void flying_frame(Scene &scene, int frame, Ground &&ground, SpriteRoutine sprite) {
  BITMAP *back = scene.back.get();
  blit(scene.sky.get(), back, 0, 0, 0, 0, 640, 480);
  ground(scene.terrain.get(), back, 2560, 200, 0, 1, -320, 330 + sway(frame), 0);
  const int rock = frame % 15, shot = frame % 10;
  sprite(back, scene.asteroid.get(), 240, 220, 300, 150, 0, -200 + 24 * rock, -150 + 16 * rock);
  sprite(back, scene.shot.get(), 368, 134, 140, 198, 0, -150 - 24 * shot, -75 - 8 * shot);
  sprite(back, scene.ship.get(), 327, 409, 150, 98, frame % 4 == 0 ? -5 : 0, -52, -110);
}

void BM_FlyingFrameFast(benchmark::State &state) {
  Scene scene;
  int frame = 0;
  for (auto _ : state) {
    flying_frame(scene, frame++, zephyrun::livscroll, zephyrun::sprite);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FlyingFrameFast)->Unit(benchmark::kMicrosecond);

void BM_FlyingFrameReference(benchmark::State &state) {
  Scene scene;
  ReferenceGround reference;
  auto ground = [&reference](BITMAP *t, BITMAP *d, int s, int h, int dr, int st, int x, int y,
                             int an) { reference.livscroll(t, d, s, h, dr, st, x, y, an); };
  int frame = 0;
  for (auto _ : state) {
    flying_frame(scene, frame++, ground, reference_sprite);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FlyingFrameReference)->Unit(benchmark::kMicrosecond);

void BM_GroundFast(benchmark::State &state) {
  Scene scene;
  int frame = 0;
  for (auto _ : state)
    zephyrun::livscroll(scene.terrain.get(), scene.back.get(), 2560, 200, 0, 1, -320,
                        330 + sway(frame++), 0);
}
BENCHMARK(BM_GroundFast)->Unit(benchmark::kMicrosecond);

void BM_GroundReference(benchmark::State &state) {
  Scene scene;
  ReferenceGround reference;
  int frame = 0;
  for (auto _ : state)
    reference.livscroll(scene.terrain.get(), scene.back.get(), 2560, 200, 0, 1, -320,
                        330 + sway(frame++), 0);
}
BENCHMARK(BM_GroundReference)->Unit(benchmark::kMicrosecond);

template <SpriteRoutine sprite>
void BM_ShipSprite(benchmark::State &state) {
  Scene scene;
  for (auto _ : state) sprite(scene.back.get(), scene.ship.get(), 327, 409, 150, 98, -5, -52, -110);
}
BENCHMARK(BM_ShipSprite<zephyrun::sprite>)
    ->Name("BM_ShipSpriteFast")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShipSprite<reference_sprite>)
    ->Name("BM_ShipSpriteReference")
    ->Unit(benchmark::kMicrosecond);

// The console output, plus each run's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &run : runs)
      if (run.run_type == Run::RT_Iteration)
        times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void print_ratio(const std::string &what, const std::string &fast, const std::string &plain) {
    if (!times.count(fast) || !times.count(plain)) return;
    std::printf("%s: fast %.1f us, reference %.1f us, ratio %.3f\n", what.c_str(), times[fast],
                times[plain], times[fast] / times[plain]);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.print_ratio("flying frame", "BM_FlyingFrameFast", "BM_FlyingFrameReference");
  reporter.print_ratio("ground", "BM_GroundFast", "BM_GroundReference");
  reporter.print_ratio("ship sprite", "BM_ShipSpriteFast", "BM_ShipSpriteReference");
  benchmark::Shutdown();
  return 0;
}
