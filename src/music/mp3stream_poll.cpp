// Polling the MP3 stream: decodes frames into the audio buffer the game
// library offers, steps over ID3v1 tags and corrupt stretches, swaps the
// blocks as the decoder moves on, and plays two silent buffers at the end.
#include "mp3_frames.h"

#include <cstring>

namespace zephyrun {

// The audio stream takes unsigned samples; flipping the top bit makes our
// signed ones so (silence becomes 0x8000).
static void hand_over(mp3stream *s, unsigned char *buffer, int bytes) {
  auto *samples = reinterpret_cast<unsigned short *>(buffer);
  for (int i = 0; i < bytes / 2; i++) samples[i] ^= 0x8000;
  audio_stream_buffer_filled(s->audio_stream);
}

static int stop_with(mp3stream *s, int result) {
  almp3_stop_mp3stream(s);
  return result;
}

static int feed_piece(const mp3stream *s) {
  return s->has_xing ? xing_piece_bytes : s->first_frame_length + 4;
}

// After a failed decode: steps through at most resync_search_bytes offsets
// (fewer near the end of the data) for a frame that decodes from a fresh
// decoder and is followed by a valid header. On success the frame's PCM is in
// out and position is at the frame; on failure position has moved past every
// offset examined.
static bool resynchronise(mp3stream *s, const unsigned char *data, int end, unsigned char *out,
                          int room, int *consumed, int *produced) {
  const int offsets = end - s->position < resync_search_bytes ? end - s->position : resync_search_bytes;
  for (int k = 0; k < offsets; k++, s->position++) {
    const int at = s->position;
    if (at + 4 > end || !frame_header_passes(data + at)) continue;
    reset_frame_decoder(s->decoder);
    if (!decode_one_frame(s->decoder, data + at, end - at, feed_piece(s), out, room, consumed, produced))
      continue;
    if (next_header_acceptable(data, end, at + decoder_frame_length(s->decoder))) return true;
    std::memset(out, 0, *produced);
  }
  return false;
}

int almp3_poll_mp3stream(mp3stream *s) {
  if (!s || !s->audio_stream) return -1;
  auto *buffer = static_cast<unsigned char *>(audio_stream_buffer(s->audio_stream));
  if (!buffer) return 0;
  const int total = s->frames_per_buffer * s->frame_bytes;
  std::memset(buffer, 0, total);

  if (s->end_countdown > 0) {
    hand_over(s, buffer, total);
    return --s->end_countdown == 0 ? stop_with(s, 1) : 0;
  }

  // Without the next block only the current one can be decoded; with it the
  // work area lets a frame run across the seam between the two.
  const bool can_swap = !s->data_wanted;
  const unsigned char *data;
  int end;
  if (s->data_wanted) {
    data = s->current == 1 ? s->block1 : s->block2;
    end = s->last_length != -1 ? s->last_length : s->block_size;
  } else {
    data = s->work_area;
    end = s->block_size + (s->last_length != -1 ? s->last_length : s->block_size);
  }

  int filled = 0;
  while (filled < total) {
    const bool at_tag = s->position <= end - 3 && std::memcmp(data + s->position, "TAG", 3) == 0;
    const bool at_end = s->position >= end;
    // Before a tag resets the decoder, or once no more data can come, the
    // whole frames the decoder still holds from the last pieces are music.
    if (at_tag || (at_end && s->last_length != -1)) {
      int produced = 0, unused;
      if (decode_one_frame(s->decoder, data, 0, 1, buffer + filled, total - filled, &unused, &produced) &&
          produced > 0) {
        filled += produced;
        continue;
      }
    }
    if (at_tag) {
      s->position += 128;
      reset_frame_decoder(s->decoder);
    }
    if (s->position >= end) {
      hand_over(s, buffer, total);
      if (s->last_length == -1) return stop_with(s, -3);
      s->end_countdown = 2;
      return 0;
    }
    int consumed, produced;
    const unsigned char *from = data + s->position;
    if (!decode_one_frame(s->decoder, from, end - s->position, feed_piece(s), buffer + filled,
                          total - filled, &consumed, &produced) &&
        !resynchronise(s, data, end, buffer + filled, total - filled, &consumed, &produced)) {
      hand_over(s, buffer, total);
      return stop_with(s, -2);
    }
    s->position += consumed;
    filled += produced;
  }

  hand_over(s, buffer, total);
  if (can_swap) {
    if (s->position >= s->block_size) {
      s->current = -s->current;
      s->position -= s->block_size;
      s->data_wanted = true;
    }
    return 0;
  }
  // A used-up block with no next one is starvation. With the final block in,
  // the next poll plays what the decoder still holds and starts the countdown.
  if (s->position >= s->block_size && s->last_length == -1) return stop_with(s, -3);
  return 0;
}

}  // namespace zephyrun
