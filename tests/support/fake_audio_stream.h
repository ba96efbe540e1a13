// Stands in for the game library's audio streams behind the music seam:
// offers buffers when told to and keeps every sample handed over.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <vector>

namespace testing_support {

class FakeAudioStream {
 public:
  FakeAudioStream();   // routes the music seam here
  ~FakeAudioStream();  // back to the game library
  FakeAudioStream(const FakeAudioStream &) = delete;
  FakeAudioStream &operator=(const FakeAudioStream &) = delete;

  bool offer_buffers = true;    // whether a poll finds a buffer to fill
  bool refuse_to_start = false; // the library cannot start a stream
  bool keep_samples = true;     // benchmarks only count

  int starts = 0, stops = 0, buffers_filled = 0;
  int samples_per_buffer = 0;   // per channel, as asked at the start
  int bits = 0, stereo = 0, freq = 0, vol = 0, pan = 0;
  bool buffer_out = false;      // a buffer was given and not yet handed back
  std::vector<int16_t> samples; // every sample handed over, signed again

  // Samples of the last `count` buffers handed over.
  std::vector<int16_t> last_buffers(int count) const;

 private:
  static FakeAudioStream *active;
  static AUDIOSTREAM *play(int len, int bits, int stereo, int freq, int vol, int pan);
  static void *buffer(AUDIOSTREAM *stream);
  static void filled(AUDIOSTREAM *stream);
  static void stop(AUDIOSTREAM *stream);

  AUDIOSTREAM stream_{};
  std::vector<uint16_t> buffer_;
  AUDIOSTREAM *(*old_play_)(int, int, int, int, int, int);
  void *(*old_buffer_)(AUDIOSTREAM *);
  void (*old_filled_)(AUDIOSTREAM *);
  void (*old_stop_)(AUDIOSTREAM *);
};

}  // namespace testing_support
