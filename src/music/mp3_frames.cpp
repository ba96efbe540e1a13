// MPEG audio frames for the music stream: the header test that every frame
// must pass, and libmpg123 driven through its feed interface, so the stream
// decides what bytes it hands over and when the decoder has had enough.
#include "mp3_frames.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace zephyrun {

struct FrameDecoder {
  mpg123_handle *handle;
  bool has_frame;  // a frame that passed the header test has been decoded since the last reset
};

static unsigned long header_word(const unsigned char *h) {
  return static_cast<unsigned long>(h[0]) << 24 | static_cast<unsigned long>(h[1]) << 16 |
         static_cast<unsigned long>(h[2]) << 8 | h[3];
}

bool frame_header_passes(const unsigned char *header) {
  const unsigned long w = header_word(header);
  const unsigned long version = w >> 19 & 3, layer = w >> 17 & 3;
  const unsigned long bitrate = w >> 12 & 15, rate = w >> 10 & 3;
  return (w & 0xFFE00000UL) == 0xFFE00000UL && version != 1 && (layer == 1 || layer == 2) &&
         bitrate != 0 && bitrate != 15 && rate != 3;
}

bool next_header_acceptable(const unsigned char *bytes, int end, int at) {
  return at > end - 4 || frame_header_passes(bytes + at);
}

static bool is_mpeg1(const unsigned char *header) { return (header[1] >> 3 & 3) == 3; }
static bool is_mono(const unsigned char *header) { return (header[3] >> 6 & 3) == 3; }

int header_sample_rate(const unsigned char *header) {
  static constexpr int rates[4][3] = {
      {11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};
  return rates[header[1] >> 3 & 3][std::min(header[2] >> 2 & 3, 2)];
}

int header_samples_per_frame(const unsigned char *header) {
  const bool layer3 = (header[1] >> 1 & 3) == 1;
  return layer3 && !is_mpeg1(header) ? 576 : 1152;
}

int header_xing_offset(const unsigned char *header) {
  if (is_mpeg1(header)) return is_mono(header) ? 21 : 36;
  return is_mono(header) ? 13 : 21;
}

// Gapless trimming stays off: the stream hands on every decoded sample, as
// players without the encoder's tag do. Resync stays off too, so a decoder
// error comes back to the stream, whose own search is bounded.
static FrameDecoder *new_decoder(long extra_flags, long rate, int channels) {
  static const bool library_ready = mpg123_init() == MPG123_OK;
  if (!library_ready) return nullptr;
  mpg123_handle *handle = mpg123_new(nullptr, nullptr);
  if (!handle) return nullptr;
  mpg123_param(handle, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_NO_RESYNC | MPG123_QUIET | extra_flags, 0);
  mpg123_format_none(handle);
  if (rate == 0) {
    const long *rates;
    size_t count;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; i++)
      mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  } else {
    const int layout = channels == 2 ? MPG123_STEREO : MPG123_MONO;
    mpg123_format(handle, rate, layout, MPG123_ENC_SIGNED_16);
  }
  FrameDecoder *decoder = new (std::nothrow) FrameDecoder{handle, false};
  if (!decoder || mpg123_open_feed(handle) != MPG123_OK) {
    delete decoder;
    mpg123_delete(handle);
    return nullptr;
  }
  return decoder;
}

FrameDecoder *new_probe_decoder() { return new_decoder(MPG123_IGNORE_INFOFRAME, 0, 0); }

FrameDecoder *new_stream_decoder(int sample_rate, int channels) {
  return new_decoder(0, sample_rate, channels);
}

void delete_frame_decoder(FrameDecoder *decoder) {
  if (!decoder) return;
  mpg123_delete(decoder->handle);
  delete decoder;
}

void reset_frame_decoder(FrameDecoder *decoder) {
  mpg123_open_feed(decoder->handle);
  decoder->has_frame = false;
}

int decoder_channels(FrameDecoder *decoder) {
  long rate;
  int channels = 0, encoding;
  if (!decoder->has_frame ||
      mpg123_getformat(decoder->handle, &rate, &channels, &encoding) != MPG123_OK)
    return 0;
  return channels;
}

int decoder_frame_length(FrameDecoder *decoder) {
  mpg123_frameinfo2 info;
  if (!decoder->has_frame || mpg123_info2(decoder->handle, &info) != MPG123_OK) return 0;
  return info.framesize;
}

// The decoder has already refused anything that fails the rest of the header
// test (sync, reserved version and rate, bitrate 15), so layer and bitrate
// index are what is left to check on a decoded frame.
static bool current_frame_passes(mpg123_handle *handle) {
  mpg123_frameinfo2 info;
  return mpg123_info2(handle, &info) == MPG123_OK && (info.layer == 2 || info.layer == 3) &&
         info.bitrate > 0 && info.framesize > 0;
}

bool decode_one_frame(FrameDecoder *decoder, const unsigned char *bytes, int available, int piece,
                      unsigned char *out, int room, int *consumed, int *produced) {
  int fed = 0;
  *consumed = 0;
  *produced = 0;
  for (;;) {
    off_t frame_number;
    unsigned char *audio = nullptr;
    size_t decoded = 0;
    const int rc = mpg123_decode_frame(decoder->handle, &frame_number, &audio, &decoded);
    if (rc == MPG123_NEW_FORMAT) continue;
    if (rc == MPG123_OK) {
      decoder->has_frame = current_frame_passes(decoder->handle);
      if (!decoder->has_frame) return false;
      const size_t wanted = std::min<size_t>(frame_output_bytes, std::max(room, 0));
      const int n = static_cast<int>(std::min(decoded, wanted));
      if (n > 0) std::memcpy(out, audio, n);
      *consumed = fed;
      *produced = n;
      return true;
    }
    if (rc != MPG123_NEED_MORE) return false;
    if (fed >= available) {
      *consumed = fed;
      return decoder->has_frame;
    }
    const int size = std::min(std::max(piece, 1), available - fed);
    if (mpg123_feed(decoder->handle, bytes + fed, size) != MPG123_OK) return false;
    fed += size;
  }
}

}  // namespace zephyrun
