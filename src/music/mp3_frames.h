// What the music stream's files share about MPEG audio frames: the header
// test, the facts read from a header, and the libmpg123 decoder we feed.
#pragma once

#include "zephyrun.h"

namespace zephyrun {

constexpr int mp3_file_block_bytes = 32768;  // the file is read in blocks this size
constexpr int first_frame_search_bytes = 28672;
constexpr int resync_search_bytes = 16384;
constexpr int frame_output_bytes = 8192;  // most PCM one frame may give
constexpr int xing_piece_bytes = 1792;    // feed size when frames vary (Xing streams)

// The frame-header test on four bytes (sync, version, layer II/III, bitrate, rate).
bool frame_header_passes(const unsigned char *header);

// True when the header that should start at `at` passes the test or lies
// (even partly) beyond `end`, where it cannot be checked.
bool next_header_acceptable(const unsigned char *bytes, int end, int at);

int header_sample_rate(const unsigned char *header);        // Hz
int header_samples_per_frame(const unsigned char *header);  // 1152 or 576
int header_xing_offset(const unsigned char *header);        // 36, 21 or 13 from the frame start

// Decoders. A probe decodes the first frame as it is even when it is a Xing
// or Info frame, so that its length is the first frame's; a stream decoder
// skips that frame like any player and gives 16-bit PCM at the one rate and
// channel count the stream was opened with.
FrameDecoder *new_probe_decoder();
FrameDecoder *new_stream_decoder(int sample_rate, int channels);
void delete_frame_decoder(FrameDecoder *decoder);

// Drops every byte the decoder holds and forgets its current frame.
void reset_frame_decoder(FrameDecoder *decoder);

// Channels of the frames decoded so far (0 before the first).
int decoder_channels(FrameDecoder *decoder);

// Length in bytes, header included, of the decoder's current frame (0 if none).
int decoder_frame_length(FrameDecoder *decoder);

// Decodes one frame from what the decoder holds plus bytes[0, available),
// fed in pieces of at most `piece` bytes. On success *consumed counts every
// byte fed and *produced the PCM bytes copied to out (never more than room).
// Running out of bytes before a frame is whole succeeds with no PCM, as long
// as a valid frame came before; any decoder error, a header that fails the
// test or no frame at all is a failure (nothing is written to out then).
bool decode_one_frame(FrameDecoder *decoder, const unsigned char *bytes, int available, int piece,
                      unsigned char *out, int room, int *consumed, int *produced);

}  // namespace zephyrun
