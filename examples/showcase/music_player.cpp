// Music: the song named on the command line streams through the module's MP3
// stream, polled once a frame whatever scene is on. Anything that keeps it
// from playing is said once on stderr and shown in the captions; the scenes
// run on without music.
#include "showcase.h"

#include <chrono>
#include <cstdio>
#include <cstring>

namespace showcase {

using Clock = std::chrono::steady_clock;

// Eight frames of stereo 44.1 kHz PCM a buffer, about 0.2 s: a poll a frame
// keeps it filled even when a frame takes far longer than usual.
constexpr int audio_buffer_bytes = 8 * 4608;

static zephyrun::mp3_handle *song = nullptr;
static std::string song_name;
static std::string no_music = "no music: start it as  zephyrun-showcase song.mp3";
static int last_poll = 0;
static bool ended = false;
static Clock::time_point started;
static double seconds_at_end = 0;

static const char *base_name(const char *path) {
  const char *slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

static void give_up(const std::string &why) {
  no_music = why;
  std::fprintf(stderr, "zephyrun-showcase: %s\n", why.c_str());
  if (song) zephyrun::close_mp3_file(song);
  song = nullptr;
}

void start_music(const char *file_name) {
  if (!file_name) return;
  song_name = base_name(file_name);
  if (!(song = zephyrun::open_mp3_file(file_name))) {
    give_up("cannot open \"" + song_name + "\" as an MP3 file: going on without music");
    return;
  }
  // Without a sound device Allegro settles for its silent driver, which takes
  // a few buffers and then none: that is no music either.
  if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0 || !digi_driver ||
      digi_driver->id == DIGI_NONE) {
    give_up("no sound device for \"" + song_name + "\": going on without music");
    return;
  }
  const int result = zephyrun::play_mp3_file(song, audio_buffer_bytes, 255, 128);
  if (result != 0) {
    give_up("cannot play \"" + song_name + "\" (play gave " + std::to_string(result) +
            "): going on without music");
    return;
  }
  started = Clock::now();
}

void poll_music() {
  if (!song || ended) return;
  last_poll = zephyrun::poll_mp3_file(song);
  if (last_poll != 0) {  // 1 finished, -2 corrupt data, -3 starved: playback has stopped
    ended = true;
    seconds_at_end = std::chrono::duration<double>(Clock::now() - started).count();
  }
}

void stop_music() {
  if (song) zephyrun::close_mp3_file(song);
  song = nullptr;
}

static double elapsed_seconds() {
  return ended ? seconds_at_end : std::chrono::duration<double>(Clock::now() - started).count();
}

static std::string minutes_and_seconds(double seconds) {
  char text[16];
  const int whole = static_cast<int>(seconds);
  std::snprintf(text, sizeof text, "%d:%02d", whole / 60, whole % 60);
  return text;
}

static const char *meaning_of(int poll) {
  switch (poll) {
    case 0:
      return "playing";
    case 1:
      return "finished";
    case -2:
      return "stopped, corrupt data";
    case -3:
      return "stopped, data came too late";
    default:
      return "not playing";
  }
}

std::string music_status() {
  if (!song) return no_music;
  return song_name + ": " + meaning_of(last_poll) + ", poll " + std::to_string(last_poll) + ", " +
         minutes_and_seconds(elapsed_seconds());
}

void draw_music_badge(BITMAP *frame) {
  if (!song) return;
  const std::string badge =
      std::string("music ") + (ended ? "ended " : "") + minutes_and_seconds(elapsed_seconds());
  textout_right_ex(frame, font, badge.c_str(), 630, 10, makecol(255, 255, 255), -1);
}

}  // namespace showcase
