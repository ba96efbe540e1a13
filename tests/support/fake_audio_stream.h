// Stands in for the game library's audio streams behind the music seam:
// offers buffers when told to and keeps every sample handed over.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <vector>

namespace testing_support {

struct FakeAudioStream {
  FakeAudioStream();   // routes the music seam here
  ~FakeAudioStream();  // and back to the game library

  bool offer_buffers = true;  // whether a poll finds a buffer
  bool refuse_to_start = false;
  bool keep_samples = true;  // benchmarks only count
  int starts = 0, stops = 0;
  int samples_per_buffer = 0, bits = 0, stereo = 0, freq = 0, vol = 0, pan = 0;  // as asked
  std::vector<int16_t> samples;  // every sample handed over, signed again

  AUDIOSTREAM stream{};
  std::vector<uint16_t> buffer;  // the one audio buffer
  bool buffer_out = false;       // whether a poll holds it now
};

}  // namespace testing_support
