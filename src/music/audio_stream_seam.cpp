// The music stream reaches the game library's audio streams only through
// these pointers, so a test can stand in for the mixer and see every sample.
#include "zephyrun.h"

namespace zephyrun {

AUDIOSTREAM *(*audio_stream_play)(int, int, int, int, int, int) = play_audio_stream;
void *(*audio_stream_buffer)(AUDIOSTREAM *) = get_audio_stream_buffer;
void (*audio_stream_buffer_filled)(AUDIOSTREAM *) = free_audio_stream_buffer;
void (*audio_stream_stop)(AUDIOSTREAM *) = stop_audio_stream;

}  // namespace zephyrun
