// Playing an MP3 file from disk: the file stays open and is read one
// 32768-byte block ahead of the decoder, whenever the stream asks for more.
#include "mp3_frames.h"

#include <new>

namespace zephyrun {

mp3_handle *open_mp3_file(const char *name) {
  mp3_handle *mp3 = new (std::nothrow) mp3_handle{};
  if (!mp3) return nullptr;
  PACKFILE *file = name ? pack_fopen(name, F_READ) : nullptr;
  if (file) {
    unsigned char first[mp3_file_block_bytes];
    const long n = pack_fread(first, mp3_file_block_bytes, file);
    mp3stream *stream = nullptr;
    if (n > 0 && n < mp3_file_block_bytes)
      stream = almp3_create_mp3stream(first, static_cast<int>(n), TRUE);
    else if (n == mp3_file_block_bytes)
      stream = almp3_create_mp3stream(first, mp3_file_block_bytes, FALSE);
    if (stream) {
      mp3->file = file;
      mp3->stream = stream;
      return mp3;
    }
    pack_fclose(file);
  }
  delete mp3;
  return nullptr;
}

int play_mp3_file(mp3_handle *mp3, int len, int vol, int pan) {
  return mp3 ? almp3_play_mp3stream(mp3->stream, len, vol, pan) : -1;
}

// A file whose length is a multiple of the block size ends with a final
// block of 0 bytes; a file shorter than one block is never read again.
int poll_mp3_file(mp3_handle *mp3) {
  if (!mp3) return -1;
  if (void *refill = almp3_get_mp3stream_buffer(mp3->stream)) {
    const int block_size = mp3->stream->block_size;
    const long n = pack_fread(refill, block_size, mp3->file);
    const int final_bytes = n < 0 ? 0 : static_cast<int>(n);
    almp3_free_mp3stream_buffer(mp3->stream, n < block_size ? final_bytes : -1);
  }
  return almp3_poll_mp3stream(mp3->stream);
}

void close_mp3_file(mp3_handle *mp3) {
  if (!mp3) return;
  pack_fclose(mp3->file);
  almp3_destroy_mp3stream(mp3->stream);
  delete mp3;
}

}  // namespace zephyrun
