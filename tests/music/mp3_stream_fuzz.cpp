// libFuzzer target for the music stream: any bytes played to the end, with
// blocks handed back at sizes and times the input chooses, into audio buffers
// of exactly the asked size. Input: 8 control bytes, then the file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fake_audio_stream.h"
#include "zephyrun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *input, size_t size) {
  using namespace zephyrun;
  if (size < 9) return 0;
  testing_support::FakeAudioStream audio;  // its one buffer is exactly the size asked for
  audio.keep_samples = false;

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
    audio.offer_buffers = (choice >> 40) % 4 != 0;
    if (almp3_poll_mp3stream(s) != 0) break;
  }
  almp3_destroy_mp3stream(s);
  if (audio.buffer_out) abort();  // taken by a poll and never handed back
  if (audio.starts > 0 && (audio.bits != 16 || audio.samples_per_buffer <= 0)) abort();
  return 0;
}
