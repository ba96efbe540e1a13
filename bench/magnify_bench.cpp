// The magnifying step alone, a 640x480 frame at 15 bits onto a window of
// 640N x 480N at N = 1..4: the old path (stretch at 15 bits, copy to the
// screen, the driver converts and puts) against one pass straight into the
// window's pixels. CPU time of this process; the X server's share of the put
// runs in the server, and a sync per frame keeps it from falling behind.
// Needs an X display that fits 2560x1920:
//   X_SERVER_SCREEN=3840x2160x24 bash scripts/own-x-server.sh build/bench/magnify_bench
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "test_support.h"
#include "window/window.h"

// X's headers define None, which GoogleTest's (through the test helpers) use as a name.
#include <xalleg.h>

namespace {

using testing_support::BitmapPtr;

// Opens (or keeps) the window at this scale; false when the display has no room for it.
bool window_at(int scale) {
  if (screen && zephyrun::window_layout().scale == scale) return true;
  return zephyrun::open_window("magnify_bench", "magnify_bench", scale) == 0;
}

template <typename Magnify>
void magnify_frames(benchmark::State &state, Magnify magnify) {
  const int scale = static_cast<int>(state.range(0));
  if (!window_at(scale)) return state.SkipWithError("no window at this scale");
  set_color_depth(15);
  BitmapPtr frame = testing_support::make_pattern_bitmap(640, 480);
  for (auto _ : state) {
    magnify(frame.get(), scale);
    XSync(_xwin.display, False);
  }
}

void BM_StretchThenDriverConverts(benchmark::State &state) {
  magnify_frames(state,
                 [](BITMAP *frame, int scale) { zephyrun::magnify(frame, screen, scale, 0, 0); });
}
BENCHMARK(BM_StretchThenDriverConverts)
    ->DenseRange(1, 4)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

void BM_StraightIntoWindowPixels(benchmark::State &state) {
  magnify_frames(state, [&state](BITMAP *frame, int scale) {
    if (!zephyrun::magnify_into_window(frame, scale, 0, 0))
      state.SkipWithError("the window's format rules the one pass out");
  });
}
BENCHMARK(BM_StraightIntoWindowPixels)
    ->DenseRange(1, 4)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
  const char *display = std::getenv("DISPLAY");
  if (!display || !*display || allegro_init() != 0) {
    std::fprintf(stderr,
                 "magnify_bench needs an X display of 2560x1920 or more: X_SERVER_SCREEN="
                 "3840x2160x24 bash scripts/own-x-server.sh %s\n",
                 argv[0]);
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
