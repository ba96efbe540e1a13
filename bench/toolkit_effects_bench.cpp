// Per-call cost of the toolkit's effects at the game's 640x480, and the heap a
// column dissolve holds while it runs, read from the allocator itself.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

constexpr int W = 640, H = 480;

struct HeadlessLibrary {
  HeadlessLibrary() { start_headless_allegro(15); }
};

struct Pictures : HeadlessLibrary {  // the base starts the library before any bitmap
  BitmapPtr first = make_pattern_bitmap(W, H, 1), second = make_pattern_bitmap(W, H, 2);
  BitmapPtr work = make_filled_bitmap(W, H, 0), target = make_filled_bitmap(W, H, 0);
};

Pictures &pictures() {
  static Pictures shared;
  return shared;
}

void BM_BlockDissolveCall(benchmark::State &state) {
  Pictures &p = pictures();
  std::srand(1);
  for (auto _ : state)
    benchmark::DoNotOptimize(zephyrun::dissolvcas(p.work.get(), p.target.get(), p.first.get(), 0,
                                                  p.second.get(), 0, W, H, 16));
  while (zephyrun::dispixflag)
    zephyrun::dissolvcas(p.work.get(), p.target.get(), p.first.get(), 0, p.second.get(), 0, W, H,
                         16);
}
BENCHMARK(BM_BlockDissolveCall)->Unit(benchmark::kMicrosecond);

int column_step(Pictures &p, int strip) {
  return zephyrun::dissolvworm(p.work.get(), p.target.get(), p.first.get(), 0, p.second.get(), 0, W,
                               H, 8, strip);
}

// Calls at every point of a run, set-up and completion included in proportion.
void BM_ColumnDissolveCall(benchmark::State &state) {
  Pictures &p = pictures();
  const int strip = static_cast<int>(state.range(0));
  std::srand(1);
  for (auto _ : state) benchmark::DoNotOptimize(column_step(p, strip));
  while (zephyrun::diswormflag) column_step(p, strip);
}
BENCHMARK(BM_ColumnDissolveCall)->Arg(1)->Arg(10)->Arg(32)->Unit(benchmark::kMicrosecond);

long heap_in_use() {
  struct mallinfo2 info = mallinfo2();
  return static_cast<long>(info.uordblks + info.hblkhd);  // small blocks + mmapped ones
}

// One whole run per iteration; the heap is read after every call, and once
// more after completion to see that all of it came back.
void BM_ColumnDissolvePeakMemory(benchmark::State &state) {
  Pictures &p = pictures();
  const int strip = static_cast<int>(state.range(0));
  long peak = 0, left_over = 0, calls = 0;
  for (auto _ : state) {
    const long before = heap_in_use();
    do {
      peak = std::max(peak, heap_in_use() - before);
      calls++;
    } while (column_step(p, strip) == 0);
    left_over = std::max(left_over, heap_in_use() - before);
  }
  const double bitmap_bytes = W * H * 2.0;
  state.counters["peak_extra_bytes"] = static_cast<double>(peak);
  state.counters["peak_in_bitmaps"] = static_cast<double>(peak) / bitmap_bytes;
  state.counters["left_after_run"] = static_cast<double>(left_over);
  state.counters["calls_per_run"] = static_cast<double>(calls) / state.iterations();
}
BENCHMARK(BM_ColumnDissolvePeakMemory)
    ->Arg(1)
    ->Arg(10)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_VoxelView(benchmark::State &state) {
  start_headless_allegro(15);
  BitmapPtr heights{create_bitmap_ex(8, 640, 640)};
  for (int y = 0; y < 640; y++)
    for (int x = 0; x < 640; x++)
      heights->line[y][x] = static_cast<unsigned char>(
          128 + 60 * std::sin(x * 0.031) * std::cos(y * 0.023) + 30 * std::sin((x + y) * 0.11));
  BitmapPtr colours = make_pattern_bitmap(640, 640, 3);
  BitmapPtr sky = make_filled_bitmap(W, H, makecol(90, 140, 250));
  BitmapPtr view = make_filled_bitmap(W, H, 0);
  float heading = 0.0f;
  for (auto _ : state) {
    zephyrun::rendervoxel(view.get(), heights.get(), colours.get(), sky.get(), 320 << 16, 320 << 16,
                          heading, 200, 300, 640, 380);
    heading += 0.01f;
  }
}
BENCHMARK(BM_VoxelView)->Unit(benchmark::kMillisecond);

// range(0): 0 = rectangles overlap but no opaque pixels meet (the whole window
// is scanned), 1 = the sprites first meet 16 columns into the window.
void BM_CollisionTest(benchmark::State &state) {
  start_headless_allegro(15);
  const int mask = makecol(255, 0, 255);
  BitmapPtr left = make_filled_bitmap(64, 64, mask), right = make_filled_bitmap(64, 64, mask);
  rectfill(left.get(), 0, 0, 31, 63, makecol(200, 40, 40));
  rectfill(right.get(), 32, 0, 63, 63, makecol(40, 200, 40));
  const int shift = state.range(0) ? 16 : 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(
        zephyrun::collisione(W, H, left.get(), 64, 64, 300, 200, right.get(), 300 - shift, 200));
  state.SetLabel(state.range(0) ? "hit" : "miss, full scan");
}
BENCHMARK(BM_CollisionTest)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
