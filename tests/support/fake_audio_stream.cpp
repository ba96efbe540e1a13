#include "fake_audio_stream.h"

#include "zephyrun.h"

#include <algorithm>

namespace testing_support {

FakeAudioStream *FakeAudioStream::active = nullptr;

FakeAudioStream::FakeAudioStream()
    : old_play_(zephyrun::audio_stream_play),
      old_buffer_(zephyrun::audio_stream_buffer),
      old_filled_(zephyrun::audio_stream_buffer_filled),
      old_stop_(zephyrun::audio_stream_stop) {
  active = this;
  zephyrun::audio_stream_play = play;
  zephyrun::audio_stream_buffer = buffer;
  zephyrun::audio_stream_buffer_filled = filled;
  zephyrun::audio_stream_stop = stop;
}

FakeAudioStream::~FakeAudioStream() {
  zephyrun::audio_stream_play = old_play_;
  zephyrun::audio_stream_buffer = old_buffer_;
  zephyrun::audio_stream_buffer_filled = old_filled_;
  zephyrun::audio_stream_stop = old_stop_;
  active = nullptr;
}

std::vector<int16_t> FakeAudioStream::last_buffers(int count) const {
  const size_t n = std::min(samples.size(), (size_t)count * buffer_.size());
  return std::vector<int16_t>(samples.end() - n, samples.end());
}

AUDIOSTREAM *FakeAudioStream::play(int len, int bits, int stereo, int freq, int vol, int pan) {
  FakeAudioStream &f = *active;
  if (f.refuse_to_start) return nullptr;
  f.starts++;
  f.samples_per_buffer = len;
  f.bits = bits;
  f.stereo = stereo;
  f.freq = freq;
  f.vol = vol;
  f.pan = pan;
  f.buffer_.assign((size_t)len * (stereo ? 2 : 1), 0);
  f.stream_.len = len;
  return &f.stream_;
}

// The buffer comes out full of noise, so a poll that leaves part of it
// untouched instead of silent shows in the samples.
void *FakeAudioStream::buffer(AUDIOSTREAM *stream) {
  FakeAudioStream &f = *active;
  if (stream != &f.stream_ || !f.offer_buffers || f.buffer_out) return nullptr;
  std::fill(f.buffer_.begin(), f.buffer_.end(), 0x1234);
  f.buffer_out = true;
  return f.buffer_.data();
}

void FakeAudioStream::filled(AUDIOSTREAM *stream) {
  FakeAudioStream &f = *active;
  if (stream != &f.stream_ || !f.buffer_out) return;
  f.buffer_out = false;
  f.buffers_filled++;
  if (f.keep_samples)
    for (uint16_t s : f.buffer_) f.samples.push_back((int16_t)(s ^ 0x8000));
}

void FakeAudioStream::stop(AUDIOSTREAM *stream) {
  if (stream == &active->stream_) active->stops++;
}

}  // namespace testing_support
