// Scene 4: the MP3 stream. The song given on the command line has been
// playing since start-up, polled once a frame; this scene spells out what the
// poll says. Without a song it says how to give one.
#include "showcase.h"

namespace showcase {

static void set_up() {}
static void key_pressed(int) {}
static void update() {}

static Caption draw(BITMAP *frame) {
  blit(zephyrun::cielo, frame, 0, 0, 0, 0, 640, 480);
  rectfill(frame, 60, 120, 579, 300, makecol(8, 8, 40));
  const int white = makecol(255, 255, 255), grey = makecol(180, 180, 200);
  textout_centre_ex(frame, font, "open_mp3_file, play_mp3_file, poll_mp3_file", 320, 140,
                    makecol(255, 224, 64), -1);
  textout_centre_ex(frame, font, music_status().c_str(), 320, 180, white, -1);
  textout_ex(frame, font, "poll results:", 90, 220, grey, -1);
  textout_ex(frame, font, " 0  playing, or nothing to do this frame", 90, 236, grey, -1);
  textout_ex(frame, font, " 1  just finished        -1  not playing", 90, 250, grey, -1);
  textout_ex(frame, font, "-2  corrupt data         -3  the file fell behind", 90, 264, grey, -1);
  return {"the MP3 stream (almp3_*, *_mp3_file)",
          "zephyrun-showcase song.mp3 plays a song  Tab: next  Esc: quit", music_status()};
}

static void tear_down() {}

const Scene music_scene = {set_up, key_pressed, update, draw, tear_down};

}  // namespace showcase
