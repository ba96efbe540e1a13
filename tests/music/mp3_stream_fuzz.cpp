// libFuzzer target for the music stream: any bytes played to the end, with
// blocks handed back at sizes and times the input chooses, into audio buffers
// of exactly the asked size. Input: 8 control bytes, then the file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "zephyrun.h"

namespace {
AUDIOSTREAM stream;
size_t buffer_bytes;     // of every audio buffer
void *buffer = nullptr;  // the one a poll has now
bool offer;              // whether a poll finds one
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *input, size_t size) {
  using namespace zephyrun;
  if (size < 9) return 0;
  audio_stream_play = [](int len, int bits, int stereo, int, int, int) {
    if (bits != 16 || len <= 0) abort();
    buffer_bytes = (size_t)len * (stereo ? 4 : 2);
    return &stream;
  };
  audio_stream_buffer = [](AUDIOSTREAM *) -> void * {
    if (!offer || buffer) return nullptr;
    return buffer = malloc(buffer_bytes);
  };
  audio_stream_buffer_filled = [](AUDIOSTREAM *) {
    if (!buffer) abort();
    free(buffer);
    buffer = nullptr;
  };
  audio_stream_stop = [](AUDIOSTREAM *) {};

  const size_t block = 256 << (input[0] % 8);  // blocks of 256 .. 32768 bytes
  const size_t length = size - 8;
  uint64_t seed;
  memcpy(&seed, input, 8);
  size_t read = length < block ? length : block;
  mp3stream *s = almp3_create_mp3stream(input + 8, (int)read, read < block);
  if (!s) return 0;
  if (almp3_play_mp3stream(s, (input[1] | input[2] << 8) * 2, 255, 128) != 0)
    almp3_play_mp3stream(s, 65536, 255, 128);
  for (int poll = 0; poll < 50000; poll++) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    const uint64_t choice = seed >> 16;
    void *refill = almp3_get_mp3stream_buffer(s);
    if (refill && choice % 8 != 0) {  // otherwise the block comes late, or never
      const size_t some = std::min<size_t>(length - read, (choice >> 8) % (s->block_size + 1));
      const bool whole = length - read >= (size_t)s->block_size && choice % 5 != 0;
      const size_t n = whole ? s->block_size : some;
      memcpy(refill, input + 8 + read, n);
      read += n;
      almp3_free_mp3stream_buffer(s, whole ? -1 : (int)n);
    }
    offer = (choice >> 40) % 4 != 0;
    if (almp3_poll_mp3stream(s) != 0) break;
  }
  almp3_destroy_mp3stream(s);
  if (buffer) abort();  // taken by a poll and never handed back
  return 0;
}
