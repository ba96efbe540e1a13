// How fast the music stream decodes: a minute of stereo 44.1 kHz music
// through the whole stream (file blocks, decoder, audio buffers) as a
// multiple of real time, beside libmpg123 decoding the same file on its own,
// and what one poll that fills one audio buffer costs.
#include "zephyrun.h"

#include <benchmark/benchmark.h>
#include <mpg123.h>

#include "fake_audio_stream.h"
#include "mp3_fixtures.h"
#include "test_support.h"

using namespace zephyrun;
using namespace testing_support;

namespace {

const std::string &minute_file() {
  static const std::string path = mp3_fixture("minute.mp3");
  return path;
}

double music_seconds() {
  static const double seconds = mpg123_reference(minute_file()).size() / 2 / 44100.0;
  return seconds;
}

void StreamPlaysAMinuteOfMusic(benchmark::State &state) {
  start_headless_allegro();
  FakeAudioStream audio;
  audio.keep_samples = false;
  for (auto _ : state) {
    mp3_handle *mp3 = open_mp3_file(minute_file().c_str());
    play_mp3_file(mp3, (int)state.range(0), 255, 128);
    int result;
    while ((result = poll_mp3_file(mp3)) == 0) {
    }
    if (result != 1) state.SkipWithError("the stream did not reach the end");
    close_mp3_file(mp3);
  }
  state.counters["x_realtime"] =
      benchmark::Counter(music_seconds(), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(StreamPlaysAMinuteOfMusic)->Arg(4 * 4608)->Unit(benchmark::kMillisecond);

// The same decoder with its own reader and no stream around it.
void LibraryDecodesTheSameMinute(benchmark::State &state) {
  mpg123_init();
  std::vector<unsigned char> pcm(32768);
  for (auto _ : state) {
    mpg123_handle *handle = mpg123_new(nullptr, nullptr);
    mpg123_param(handle, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_open(handle, minute_file().c_str());
    size_t done;
    int rc;
    while ((rc = mpg123_read(handle, pcm.data(), pcm.size(), &done)) == MPG123_OK ||
           rc == MPG123_NEW_FORMAT)
      benchmark::DoNotOptimize(pcm.data());
    if (rc != MPG123_DONE) state.SkipWithError("libmpg123 did not reach the end");
    mpg123_delete(handle);
  }
  state.counters["x_realtime"] =
      benchmark::Counter(music_seconds(), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(LibraryDecodesTheSameMinute)->Unit(benchmark::kMillisecond);

// Polls that each fill one buffer of the given size (refills from the file
// included, as they come every 78 frames or so); the file starts over when it ends.
void OnePollFillingOneBuffer(benchmark::State &state) {
  start_headless_allegro();
  FakeAudioStream audio;
  audio.keep_samples = false;
  auto start = [&] {
    mp3_handle *mp3 = open_mp3_file(minute_file().c_str());
    play_mp3_file(mp3, (int)state.range(0), 255, 128);
    return mp3;
  };
  mp3_handle *mp3 = start();
  for (auto _ : state) {
    if (poll_mp3_file(mp3) != 0) {
      state.PauseTiming();
      close_mp3_file(mp3);
      mp3 = start();
      state.ResumeTiming();
    }
  }
  close_mp3_file(mp3);
  state.counters["frames_per_poll"] = (double)state.range(0) / 4608;
}
BENCHMARK(OnePollFillingOneBuffer)->Arg(4608)->Arg(4 * 4608)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
