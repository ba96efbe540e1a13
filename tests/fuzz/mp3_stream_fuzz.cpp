// libFuzzer target for the music stream: any bytes become a stream, which is
// then played and polled to the end with blocks handed back at sizes and
// times the input chooses, and audio buffers sized exactly, so any read or
// write outside the stream's own memory shows under AddressSanitizer.
//
// Input: 8 control bytes (block size, buffer length, and the seed of every
// later choice), then the file's bytes.
#include "zephyrun.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

struct {
  AUDIOSTREAM stream;
  size_t buffer_bytes;
  unsigned char *buffer;
  bool offer;
} audio;

AUDIOSTREAM *play(int len, int bits, int stereo, int, int, int) {
  if (bits != 16 || len <= 0) abort();
  audio.buffer_bytes = (size_t)len * (stereo ? 2 : 1) * 2;
  return &audio.stream;
}

void *buffer(AUDIOSTREAM *) {
  if (!audio.offer || audio.buffer) return nullptr;
  audio.buffer = static_cast<unsigned char *>(malloc(audio.buffer_bytes));
  memset(audio.buffer, 0x5A, audio.buffer_bytes);
  return audio.buffer;
}

void filled(AUDIOSTREAM *) {
  if (!audio.buffer) abort();
  free(audio.buffer);
  audio.buffer = nullptr;
}

void stop(AUDIOSTREAM *) {}

uint64_t next(uint64_t &state) {  // splitmix64
  uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *input, size_t size) {
  using namespace zephyrun;
  if (size < 9) return 0;
  audio_stream_play = play;
  audio_stream_buffer = buffer;
  audio_stream_buffer_filled = filled;
  audio_stream_stop = stop;

  const int block = 256 << (input[0] % 8);  // 256 .. 32768
  const int buffer_length = (input[1] | input[2] << 8) * 2;
  uint64_t seed;
  memcpy(&seed, input, 8);
  const uint8_t *file = input + 8;
  const size_t length = size - 8;

  size_t read = std::min(length, (size_t)block);
  mp3stream *s = almp3_create_mp3stream(file, (int)read, read < (size_t)block);
  if (!s) return 0;
  if (almp3_play_mp3stream(s, buffer_length, 255, 128) != 0)
    almp3_play_mp3stream(s, 65536, 255, 128);

  for (int poll = 0; poll < 50000; poll++) {
    const uint64_t choice = next(seed);
    if (void *refill = almp3_get_mp3stream_buffer(s)) {
      if (choice % 8 != 0) {  // otherwise the block comes late, or never
        const size_t left = length - read;
        if (left >= (size_t)s->block_size && choice % 5 != 0) {
          memcpy(refill, file + read, s->block_size);
          read += s->block_size;
          almp3_free_mp3stream_buffer(s, -1);
        } else {
          const size_t n = std::min(left, (size_t)(choice >> 8) % (s->block_size + 1));
          memcpy(refill, file + read, n);
          read += n;
          almp3_free_mp3stream_buffer(s, (int)n);
        }
      }
    }
    audio.offer = (choice >> 40) % 4 != 0;
    if (almp3_poll_mp3stream(s) != 0) break;
  }
  almp3_destroy_mp3stream(s);
  if (audio.buffer) abort();  // a buffer taken by a poll and never handed back
  return 0;
}
