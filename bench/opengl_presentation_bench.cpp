// Frame cost of the OpenGL presentation at 640x480: one renderGL call (stretch
// into the scratch, texture upload with mipmaps, one quad, flip) on buffers
// cleared as pacing mode 1 clears them. Wall-clock times: Mesa renders on
// threads of its own. Needs an X display with GLX, e.g.
//   Xvfb :93 -screen 0 1024x768x24 & DISPLAY=:93 ./opengl_presentation_bench
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "test_support.h"
#include "zephyrun.h"

namespace {

using testing_support::BitmapPtr;

void present_frames(benchmark::State &state, BITMAP *source) {
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    zephyrun::renderGL(640, 480, 0, 0, 0, 0, 0, 0, source);
  }
}

// The usual case: a 640x480 frame at the OpenGL mode's depth.
void BM_RenderGLFrame(benchmark::State &state) {
  BitmapPtr frame = testing_support::make_pattern_bitmap(640, 480);
  present_frames(state, frame.get());
}
BENCHMARK(BM_RenderGLFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// A frame drawn at the game's 15 bits: converted to the scratch's depth first.
void BM_RenderGLFrameAtGameDepth(benchmark::State &state) {
  set_color_depth(15);
  BitmapPtr frame = testing_support::make_pattern_bitmap(640, 480);
  set_color_depth(32);
  present_frames(state, frame.get());
}
BENCHMARK(BM_RenderGLFrameAtGameDepth)->Unit(benchmark::kMillisecond)->UseRealTime();

// The buffer clear alone, to take out of the figures above.
void BM_ClearOnly(benchmark::State &state) {
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFinish();
  }
}
BENCHMARK(BM_ClearOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// renderGL's software share: the stretch into a scratch of the same size.
void BM_StretchIntoScratchOnly(benchmark::State &state) {
  BitmapPtr frame = testing_support::make_pattern_bitmap(640, 480);
  BitmapPtr scratch(create_bitmap(640, 480));
  for (auto _ : state) {
    stretch_blit(frame.get(), scratch.get(), 0, 0, 640, 480, 0, 0, 640, 480);
    benchmark::DoNotOptimize(scratch->line[0][0]);
  }
}
BENCHMARK(BM_StretchIntoScratchOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
  const char *display = std::getenv("DISPLAY");
  if (!display || !*display || allegro_init() != 0) {
    std::fprintf(stderr,
                 "opengl_presentation_bench needs an X display with GLX: set DISPLAY "
                 "(e.g. Xvfb :93 -screen 0 1024x768x24 & DISPLAY=:93 %s)\n",
                 argv[0]);
    return 1;
  }
  set_color_depth(32);
  if (zephyrun::gfxGL(640, 480, 0, 32) != 0) {
    std::fprintf(stderr, "opengl_presentation_bench: no OpenGL mode on %s: %s\n", display,
                 allegro_error);
    return 1;
  }
  std::fprintf(stderr, "OpenGL: %s\n", reinterpret_cast<const char *>(glGetString(GL_RENDERER)));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
