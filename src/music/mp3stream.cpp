// The MP3 stream's life: made from a file's first block, fed block by block
// through two buffers, started and stopped on a game-library audio stream.
// Polling, which does the decoding, lives in mp3stream_poll.cpp.
#include "mp3_frames.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace zephyrun {

// The stream reaches the game library's audio streams only through these
// pointers, so a test can stand in for the mixer and see every sample.
AUDIOSTREAM *(*audio_stream_play)(int, int, int, int, int, int) = play_audio_stream;
void *(*audio_stream_buffer)(AUDIOSTREAM *) = get_audio_stream_buffer;
void (*audio_stream_buffer_filled)(AUDIOSTREAM *) = free_audio_stream_buffer;
void (*audio_stream_stop)(AUDIOSTREAM *) = stop_audio_stream;

// The first offset in data[0, n) where a fresh decoder finds a whole frame
// whose successor starts with a valid header (or lies past n), else -1.
static int find_first_frame(FrameDecoder *probe, const unsigned char *data, int n) {
  unsigned char pcm[frame_output_bytes];
  for (int i = 0; i + 4 <= n; i++) {
    if (!frame_header_passes(data + i)) continue;
    reset_frame_decoder(probe);
    int consumed, produced;
    if (!decode_one_frame(probe, data + i, n - i, xing_piece_bytes, pcm, sizeof pcm, &consumed, &produced))
      continue;
    const int length = decoder_frame_length(probe);
    if (length > 0 && next_header_acceptable(data, n, i + length)) return i;
  }
  return -1;
}

mp3stream *almp3_create_mp3stream(const void *data, int len, int last) {
  if (!data || len <= 0) return nullptr;
  const auto *bytes = static_cast<const unsigned char *>(data);
  FrameDecoder *probe = new_probe_decoder();
  if (!probe) return nullptr;
  const int first = find_first_frame(probe, bytes, std::min(len, first_frame_search_bytes));
  const int channels = first < 0 ? 0 : decoder_channels(probe);
  const int first_length = first < 0 ? 0 : decoder_frame_length(probe);
  delete_frame_decoder(probe);
  if (first < 0 || channels < 1) return nullptr;

  const unsigned char *header = bytes + first;
  auto *s = static_cast<mp3stream *>(std::calloc(1, sizeof(mp3stream)));
  if (s) {
    s->block1 = static_cast<unsigned char *>(std::malloc(len));
    s->block2 = static_cast<unsigned char *>(std::malloc(len));
    s->work_area = static_cast<unsigned char *>(std::malloc(2 * (size_t)len));
    s->decoder = new_stream_decoder(header_sample_rate(header), channels);
  }
  if (!s || !s->block1 || !s->block2 || !s->work_area || !s->decoder) {
    almp3_destroy_mp3stream(s);
    return nullptr;
  }
  std::memcpy(s->block1, bytes, len);
  s->position = first;
  s->current = 1;
  s->block_size = len;
  s->data_wanted = true;
  s->last_length = last ? len : -1;
  s->audio_stream = nullptr;
  s->end_countdown = 0;
  s->sample_rate = header_sample_rate(header);
  s->stereo = channels > 1;
  s->bits = 16;
  s->first_frame_length = first_length;
  s->frame_bytes = header_samples_per_frame(header) * 2 * channels;
  const int xing = header_xing_offset(header);
  s->has_xing = xing + 4 <= first_length && first + xing + 4 <= len &&
                std::memcmp(bytes + first + xing, "Xing", 4) == 0;
  return s;
}

int almp3_play_mp3stream(mp3stream *s, int len, int vol, int pan) {
  if (!s) return -1;
  if (s->audio_stream) return 0;
  const int frames = len / s->frame_bytes;
  if (frames <= 0) return -1;
  const int channels = s->stereo ? 2 : 1;
  AUDIOSTREAM *audio = audio_stream_play(frames * s->frame_bytes / (2 * channels), 16, s->stereo,
                                         s->sample_rate, vol, pan);
  if (!audio) return -2;
  s->audio_stream = audio;
  s->frames_per_buffer = frames;
  s->end_countdown = 0;
  return 0;
}

void *almp3_get_mp3stream_buffer(mp3stream *s) {
  if (!s || !s->data_wanted || s->last_length != -1) return nullptr;
  return s->current == 1 ? s->block2 : s->block1;
}

// Only a block that was asked for can come back, and never more of it than
// it holds: the end of the data the poll decodes up to follows from this.
void almp3_free_mp3stream_buffer(mp3stream *s, int bytes_used) {
  if (!s || !s->data_wanted || s->last_length != -1) return;
  s->data_wanted = false;
  s->last_length = bytes_used < 0 ? (bytes_used == -1 ? -1 : 0) : std::min(bytes_used, s->block_size);
  const unsigned char *current = s->current == 1 ? s->block1 : s->block2;
  const unsigned char *filled = s->current == 1 ? s->block2 : s->block1;
  std::memcpy(s->work_area, current, s->block_size);
  std::memcpy(s->work_area + s->block_size, filled, s->block_size);
}

void almp3_stop_mp3stream(mp3stream *s) {
  if (!s || !s->audio_stream) return;
  audio_stream_stop(s->audio_stream);
  s->audio_stream = nullptr;
}

int almp3_is_playing_mp3stream(mp3stream *s) { return s && s->audio_stream ? TRUE : FALSE; }

void almp3_destroy_mp3stream(mp3stream *s) {
  if (!s) return;
  almp3_stop_mp3stream(s);
  delete_frame_decoder(s->decoder);
  std::free(s->block1);
  std::free(s->block2);
  std::free(s->work_area);
  std::free(s);
}

}  // namespace zephyrun
