// The MP3 stream's life: made from a file's first block, fed block by block
// through two buffers, started and stopped on a game-library audio stream.
// Polling, which does the decoding, lives in mp3stream_poll.cpp.
#include "mp3_frames.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace zephyrun {

// The stream reaches the game library's audio streams only through these
// pointers, so a test can stand in for the mixer and see every sample.
AUDIOSTREAM *(*audio_stream_play)(int, int, int, int, int, int) = play_audio_stream;
void *(*audio_stream_buffer)(AUDIOSTREAM *) = get_audio_stream_buffer;
void (*audio_stream_buffer_filled)(AUDIOSTREAM *) = free_audio_stream_buffer;
void (*audio_stream_stop)(AUDIOSTREAM *) = stop_audio_stream;

// The first offset in bytes[0, n) where a fresh decoder finds a whole frame
// whose successor starts with a valid header (or lies past n), else -1.
static int find_first_frame(FrameDecoder *probe, const unsigned char *bytes, int n) {
  unsigned char pcm[frame_output_bytes];
  for (int i = 0; i + 4 <= n; i++) {
    if (!frame_header_passes(bytes + i)) continue;
    reset_frame_decoder(probe);
    int consumed, produced;
    if (!decode_one_frame(probe, bytes + i, n - i, xing_piece_bytes, pcm, sizeof pcm, &consumed,
                          &produced))
      continue;
    const int length = decoder_frame_length(probe);
    if (length > 0 && next_header_acceptable(bytes, n, i + length)) return i;
  }
  return -1;
}

// The compressed blocks are plain bytes that the caller fills through a void
// pointer: malloc'd, where the records around them are typed.
static unsigned char *new_block(size_t bytes) {
  return static_cast<unsigned char *>(std::malloc(bytes));
}

mp3stream *almp3_create_mp3stream(const void *first_block, int len, int last) {
  if (!first_block || len <= 0) return nullptr;
  const auto *bytes = static_cast<const unsigned char *>(first_block);
  FrameDecoder *probe = new_probe_decoder();
  if (!probe) return nullptr;
  const int first = find_first_frame(probe, bytes, std::min(len, first_frame_search_bytes));
  const int channels = first < 0 ? 0 : decoder_channels(probe);
  const int first_length = first < 0 ? 0 : decoder_frame_length(probe);
  delete_frame_decoder(probe);
  if (first < 0 || channels < 1) return nullptr;

  const unsigned char *header = bytes + first;
  mp3stream *stream = new (std::nothrow) mp3stream{};
  if (stream) {
    stream->block1 = new_block(len);
    stream->block2 = new_block(len);
    stream->work_area = new_block(2 * static_cast<size_t>(len));
    stream->decoder = new_stream_decoder(header_sample_rate(header), channels);
  }
  if (!stream || !stream->block1 || !stream->block2 || !stream->work_area || !stream->decoder) {
    almp3_destroy_mp3stream(stream);
    return nullptr;
  }
  std::memcpy(stream->block1, bytes, len);
  stream->position = first;
  stream->current = 1;
  stream->block_size = len;
  stream->data_wanted = true;
  stream->last_length = last ? len : -1;
  stream->audio_stream = nullptr;
  stream->end_countdown = 0;
  stream->sample_rate = header_sample_rate(header);
  stream->stereo = channels > 1;
  stream->bits = 16;
  stream->first_frame_length = first_length;
  stream->frame_bytes = header_samples_per_frame(header) * 2 * channels;
  const int xing = header_xing_offset(header);
  stream->has_xing = xing + 4 <= first_length && first + xing + 4 <= len &&
                     std::memcmp(bytes + first + xing, "Xing", 4) == 0;
  return stream;
}

int almp3_play_mp3stream(mp3stream *stream, int len, int vol, int pan) {
  if (!stream) return -1;
  if (stream->audio_stream) return 0;
  const int frames = len / stream->frame_bytes;
  if (frames <= 0) return -1;
  const int sample_bytes = stream->bits / 8 * (stream->stereo ? 2 : 1);
  AUDIOSTREAM *audio = audio_stream_play(frames * stream->frame_bytes / sample_bytes, stream->bits,
                                         stream->stereo, stream->sample_rate, vol, pan);
  if (!audio) return -2;
  stream->audio_stream = audio;
  stream->frames_per_buffer = frames;
  stream->end_countdown = 0;
  return 0;
}

void *almp3_get_mp3stream_buffer(mp3stream *stream) {
  if (!stream || !stream->data_wanted || stream->last_length != -1) return nullptr;
  return stream->current == 1 ? stream->block2 : stream->block1;
}

// Only a block that was asked for can come back, and never more of it than
// it holds: the end of the data the poll decodes up to follows from this.
void almp3_free_mp3stream_buffer(mp3stream *stream, int bytes_used) {
  if (!stream || !stream->data_wanted || stream->last_length != -1) return;
  stream->data_wanted = false;
  if (bytes_used < 0)
    stream->last_length = bytes_used == -1 ? -1 : 0;
  else
    stream->last_length = std::min(bytes_used, stream->block_size);
  const unsigned char *current = stream->current == 1 ? stream->block1 : stream->block2;
  const unsigned char *filled = stream->current == 1 ? stream->block2 : stream->block1;
  std::memcpy(stream->work_area, current, stream->block_size);
  std::memcpy(stream->work_area + stream->block_size, filled, stream->block_size);
}

void almp3_stop_mp3stream(mp3stream *stream) {
  if (!stream || !stream->audio_stream) return;
  audio_stream_stop(stream->audio_stream);
  stream->audio_stream = nullptr;
}

int almp3_is_playing_mp3stream(mp3stream *stream) {
  return stream && stream->audio_stream ? TRUE : FALSE;
}

void almp3_destroy_mp3stream(mp3stream *stream) {
  if (!stream) return;
  almp3_stop_mp3stream(stream);
  delete_frame_decoder(stream->decoder);
  std::free(stream->block1);
  std::free(stream->block2);
  std::free(stream->work_area);
  delete stream;
}

}  // namespace zephyrun
