// Polling the MP3 stream: decodes frames into the audio buffer the game
// library offers, steps over ID3v1 tags and corrupt stretches, swaps the
// blocks as the decoder moves on, and plays two silent buffers at the end.
#include "mp3_frames.h"

#include <algorithm>
#include <cstring>

namespace zephyrun {

// The audio stream takes unsigned samples; flipping the top bit makes our
// signed ones so (silence becomes 0x8000).
static void hand_over(mp3stream *stream, unsigned char *buffer, int bytes) {
  auto *samples = reinterpret_cast<unsigned short *>(buffer);
  for (int i = 0; i < bytes / 2; i++) samples[i] ^= 0x8000;
  audio_stream_buffer_filled(stream->audio_stream);
}

static int stop_with(mp3stream *stream, int result) {
  almp3_stop_mp3stream(stream);
  return result;
}

static int feed_piece(const mp3stream *stream) {
  return stream->has_xing ? xing_piece_bytes : stream->first_frame_length + 4;
}

// After a failed decode: steps through at most resync_search_bytes offsets
// (fewer near the end of the data) for a frame that decodes from a fresh
// decoder and is followed by a valid header. On success the frame's PCM is in
// out and position is at the frame; on failure position has moved past every
// offset examined.
static bool resynchronise(mp3stream *stream, const unsigned char *bytes, int end,
                          unsigned char *out, int room, int *consumed, int *produced) {
  const int offsets = std::min(end - stream->position, resync_search_bytes);
  for (int k = 0; k < offsets; k++, stream->position++) {
    const int at = stream->position;
    if (at + 4 > end || !frame_header_passes(bytes + at)) continue;
    reset_frame_decoder(stream->decoder);
    if (!decode_one_frame(stream->decoder, bytes + at, end - at, feed_piece(stream), out, room,
                          consumed, produced))
      continue;
    if (next_header_acceptable(bytes, end, at + decoder_frame_length(stream->decoder))) return true;
    std::memset(out, 0, *produced);
  }
  return false;
}

int almp3_poll_mp3stream(mp3stream *stream) {
  if (!stream || !stream->audio_stream) return -1;
  auto *buffer = static_cast<unsigned char *>(audio_stream_buffer(stream->audio_stream));
  if (!buffer) return 0;
  const int total = stream->frames_per_buffer * stream->frame_bytes;
  std::memset(buffer, 0, total);

  if (stream->end_countdown > 0) {
    hand_over(stream, buffer, total);
    return --stream->end_countdown == 0 ? stop_with(stream, 1) : 0;
  }

  // Without the next block only the current one can be decoded; with it the
  // work area lets a frame run across the seam between the two.
  const bool can_swap = !stream->data_wanted;
  const int last_block_end = stream->last_length != -1 ? stream->last_length : stream->block_size;
  const unsigned char *bytes;
  int end;
  if (stream->data_wanted) {
    bytes = stream->current == 1 ? stream->block1 : stream->block2;
    end = last_block_end;
  } else {
    bytes = stream->work_area;
    end = stream->block_size + last_block_end;
  }

  int filled = 0;
  while (filled < total) {
    const bool at_tag =
        stream->position <= end - 3 && std::memcmp(bytes + stream->position, "TAG", 3) == 0;
    const bool at_end = stream->position >= end;
    // Before a tag resets the decoder, or once no more data can come, the
    // whole frames the decoder still holds from the last pieces are music.
    if (at_tag || (at_end && stream->last_length != -1)) {
      int produced = 0, unused;
      if (decode_one_frame(stream->decoder, bytes, 0, 1, buffer + filled, total - filled, &unused,
                           &produced) &&
          produced > 0) {
        filled += produced;
        continue;
      }
    }
    if (at_tag) {
      stream->position += 128;
      reset_frame_decoder(stream->decoder);
    }
    if (stream->position >= end) {
      hand_over(stream, buffer, total);
      if (stream->last_length == -1) return stop_with(stream, -3);
      stream->end_countdown = 2;
      return 0;
    }
    int consumed, produced;
    const unsigned char *from = bytes + stream->position;
    if (!decode_one_frame(stream->decoder, from, end - stream->position, feed_piece(stream),
                          buffer + filled, total - filled, &consumed, &produced) &&
        !resynchronise(stream, bytes, end, buffer + filled, total - filled, &consumed, &produced)) {
      hand_over(stream, buffer, total);
      return stop_with(stream, -2);
    }
    stream->position += consumed;
    filled += produced;
  }

  hand_over(stream, buffer, total);
  if (can_swap) {
    if (stream->position >= stream->block_size) {
      stream->current = -stream->current;
      stream->position -= stream->block_size;
      stream->data_wanted = true;
    }
    return 0;
  }
  // A used-up block with no next one is starvation. With the final block in,
  // the next poll plays what the decoder still holds and starts the countdown.
  if (stream->position >= stream->block_size && stream->last_length == -1)
    return stop_with(stream, -3);
  return 0;
}

}  // namespace zephyrun
