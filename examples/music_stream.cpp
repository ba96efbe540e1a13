// Music stream: plays the MP3 file named on the command line through the
// module's stream, which reads the file in 32 KiB blocks as it goes; the loop
// polls it once a frame and shows what the poll says. Without a song, or
// without a sound device, the window says so and the example runs on.
//
//   music_stream [song.mp3]      Keys: Escape quits.
// Run it where the game's pictures are: cd /usr/share/games/zephyrun
#include <zephyrun.h>

#include <chrono>
#include <cstdio>
#include <string>

static volatile int close_requested = 0;
static void request_close() { close_requested = 1; }

// What a poll result means: 1, -2 and -3 have stopped the playback.
static const char *poll_meaning(int result) {
  if (result == 0) return "playing";
  if (result == 1) return "finished";
  if (result == -2) return "stopped: corrupt data";
  if (result == -3) return "stopped: the file was read too late";
  return "not playing";
}

int main(int argc, char **argv) {
  // Initialization --------------------------------------------------------
  allegro_init();
  install_keyboard();
  install_timer();  // the sound mixer runs on the timer
  set_color_depth(15);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0) {
    std::fprintf(stderr, "music_stream: no 640x480 window: %s\n", allegro_error);
    return 1;
  }
  set_window_title("music_stream");
  set_close_button_callback(request_close);
  BITMAP *sky = load_bitmap("cielo.bmp", nullptr);  // only a backdrop: black without it
  BITMAP *back = create_bitmap(640, 480);

  zephyrun::mp3_handle *song = nullptr;
  std::string status;
  bool playing = false;
  if (argc < 2) {
    status = "no song: start me as  music_stream song.mp3";
  } else if (!(song = zephyrun::open_mp3_file(argv[1]))) {
    status = std::string("cannot open ") + argv[1] + " as an MP3 file";
  } else if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0 || !digi_driver ||
             digi_driver->id == DIGI_NONE) {  // the silent driver takes no music either
    status = "no sound device: nothing to play on";
  } else if (zephyrun::play_mp3_file(song, 32768, 255, 128) != 0) {
    status = "the sound device took no audio stream";
  } else {
    status = std::string("song: ") + argv[1];
    playing = true;
  }
  if (!playing) {
    std::fprintf(stderr, "music_stream: %s\n", status.c_str());
    zephyrun::close_mp3_file(song);  // nullptr is fine
    song = nullptr;
  }
  const auto started = std::chrono::steady_clock::now();
  int last_poll = 0, seconds_played = 0;

  // Main loop -------------------------------------------------------------
  while (!key[KEY_ESC] && !close_requested) {
    // Update: one poll a frame refills the stream from the file when it asks;
    // the time played is the clock's, whatever the frame rate.
    if (song && last_poll == 0) {
      last_poll = zephyrun::poll_mp3_file(song);
      seconds_played = static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(
                                            std::chrono::steady_clock::now() - started)
                                            .count());
    }

    // Draw.
    if (sky) blit(sky, back, 0, 0, 0, 0, 640, 480);
    rectfill(back, 40, 180, 599, 300, makecol(10, 10, 50));
    textout_centre_ex(back, font, status.c_str(), 320, 200, makecol(255, 255, 255), -1);
    if (song)
      textprintf_centre_ex(back, font, 320, 230, makecol(255, 220, 80), -1, "poll %d: %s, %d:%02d",
                           last_poll, poll_meaning(last_poll), seconds_played / 60,
                           seconds_played % 60);
    textout_centre_ex(back, font, "Esc quits", 320, 270, makecol(160, 160, 200), -1);

    // Present, paced to about 30 frames a second.
    zephyrun::doppiobuffering(60, back, screen, 0, 0, 0);
  }

  // De-initialization -----------------------------------------------------
  zephyrun::close_mp3_file(song);  // stops the sound first
  destroy_bitmap(back);
  if (sky) destroy_bitmap(sky);
  allegro_exit();
  return 0;
}
END_OF_MAIN()
