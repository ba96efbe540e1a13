// The stand-in audio stream behind the music seam: each seam routine is routed
// to the one FakeAudioStream alive, which hands out its buffer and keeps the samples.
#include "fake_audio_stream.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "zephyrun.h"

namespace testing_support {

static FakeAudioStream *active = nullptr;

FakeAudioStream::FakeAudioStream() {
  active = this;
  zephyrun::audio_stream_play = [](int len, int sample_bits, int is_stereo, int frequency,
                                   int volume, int panning) -> AUDIOSTREAM * {
    FakeAudioStream &f = *active;
    if (f.refuse_to_start) return nullptr;
    f.starts++;
    std::tie(f.samples_per_buffer, f.bits, f.stereo, f.freq, f.vol, f.pan) =
        std::tie(len, sample_bits, is_stereo, frequency, volume, panning);
    f.buffer.assign((size_t)len * (is_stereo ? 2 : 1), 0);
    return &f.stream;
  };
  // Buffers come out full of noise, so a part left unfilled instead of silent shows.
  zephyrun::audio_stream_buffer = [](AUDIOSTREAM *s) -> void * {
    FakeAudioStream &f = *active;
    if (s != &f.stream || !f.offer_buffers || std::exchange(f.buffer_out, true)) return nullptr;
    std::fill(f.buffer.begin(), f.buffer.end(), 0x1234);
    return f.buffer.data();
  };
  zephyrun::audio_stream_buffer_filled = [](AUDIOSTREAM *s) {
    FakeAudioStream &f = *active;
    if (s != &f.stream || !std::exchange(f.buffer_out, false) || !f.keep_samples) return;
    for (uint16_t sample : f.buffer) f.samples.push_back(static_cast<int16_t>(sample ^ 0x8000));
  };
  zephyrun::audio_stream_stop = [](AUDIOSTREAM *s) { active->stops += s == &active->stream; };
}

FakeAudioStream::~FakeAudioStream() {
  zephyrun::audio_stream_play = play_audio_stream;
  zephyrun::audio_stream_buffer = get_audio_stream_buffer;
  zephyrun::audio_stream_buffer_filled = free_audio_stream_buffer;
  zephyrun::audio_stream_stop = stop_audio_stream;
  active = nullptr;
}

}  // namespace testing_support
