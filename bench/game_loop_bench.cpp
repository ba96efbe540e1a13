// What one pass of the game loop costs, stage by stage, on memory bitmaps at
// the game's depth: the sky copy with the ground, the presentation (counter,
// copy to the screen, clear) and one step of the title cross-fade.
#include <benchmark/benchmark.h>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

std::time_t fixed_clock() { return 7; }
void no_wait() {}

struct GameBitmaps {
  GameBitmaps() {
    start_headless_allegro(15);
    back = make_filled_bitmap(640, 480, 0);
    work = make_filled_bitmap(640, 480, 0);
    sky = make_pattern_bitmap(640, 480, 1);
    terrain = make_pattern_bitmap(1280, 200, 2);
    title = make_pattern_bitmap(640, 480, 3);
  }
  BitmapPtr back, work, sky, terrain, title;
};

void BM_SkyAndGround(benchmark::State &state) {
  GameBitmaps game;
  for (auto _ : state) {
    blit(game.sky.get(), game.back.get(), 0, 0, 0, 0, 640, 480);
    livscroll(game.terrain.get(), game.back.get(), 2560, 200, 0, 1, -320, 330, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SkyAndGround)->Unit(benchmark::kMicrosecond);

void BM_Presentation(benchmark::State &state) {
  GameBitmaps game;
  BitmapPtr shown = make_filled_bitmap(640, 480, 0);  // where the screen would be
  pacing_clock = fixed_clock;
  retrace_wait = no_wait;
  for (auto _ : state) {
    doppiobuffering(30, game.back.get(), shown.get(), 1, 0, 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Presentation)->Unit(benchmark::kMicrosecond);

void BM_CrossFadeStep(benchmark::State &state) {
  GameBitmaps game;
  int level = 0;
  for (auto _ : state) {
    level = (level + 2) % 256;
    dissolvenza(game.work.get(), game.back.get(), game.title.get(), 0, nullptr, makecol(0, 0, 0),
                640, 480, level);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CrossFadeStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
