// Screen transitions: the title picture gives way to the sky and back again,
// by cross-fade (dissolvenza), random block dissolve (dissolvcas) or column
// dissolve (dissolvworm). A transition runs to its end once started.
//
// Keys: 1 cross-fade, 2 block dissolve, 3 column dissolve, Escape quits.
// Run it where the game's pictures are: cd /usr/share/games/zephyrun
#include <zephyrun.h>

#include <cstdio>

// The window's close button asks the loop to end, as Escape does.
static volatile int close_requested = 0;
static void request_close() { close_requested = 1; }

int main() {
  // Initialization --------------------------------------------------------
  allegro_init();
  install_keyboard();
  set_color_depth(15);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0) {
    std::fprintf(stderr, "transitions: no 640x480 window: %s\n", allegro_error);
    return 1;
  }
  set_window_title("transitions");
  set_close_button_callback(request_close);
  BITMAP *title = load_bitmap("present.bmp", nullptr);
  BITMAP *sky = load_bitmap("cielo.bmp", nullptr);
  if (!title || !sky) {
    std::fprintf(stderr, "transitions: run me where present.bmp and cielo.bmp are\n");
    return 1;
  }
  BITMAP *back = create_bitmap(640, 480);  // each frame is drawn here, then shown
  BITMAP *work = create_bitmap(640, 480);  // the transitions' scratch

  BITMAP *from = title, *to = sky;  // swapped when a transition ends
  int running = 0;                  // the key of the running transition, 0 = none
  int fade_level = 0;               // the cross-fade's alpha of `to`, 0..255
  const char *names[] = {"", "cross-fade", "block dissolve", "column dissolve"};

  // Main loop -------------------------------------------------------------
  bool quit = false;
  while (!quit && !close_requested) {
    // Keys: taps come from the keyboard buffer, so none is missed between frames.
    while (keypressed()) {
      const int scancode = readkey() >> 8;
      if (scancode == KEY_ESC) quit = true;
      if (running == 0 && scancode >= KEY_1 && scancode <= KEY_3) {
        running = scancode - KEY_1 + 1;
        fade_level = 0;
        blit(from, work, 0, 0, 0, 0, 640, 480);  // the cross-fade's first frame shows `from`
      }
    }

    // Update and draw: one step of the running transition a frame.
    bool done = false;
    if (running == 1) {
      done = fade_level == 255;
      zephyrun::dissolvenza(work, back, from, 0, to, 0, 640, 480, fade_level);
      fade_level = fade_level + 8 > 255 ? 255 : fade_level + 8;
    } else if (running == 2) {
      // 32x32 blocks take 600 steps: ten a frame. -1 (no memory) ends it as well.
      for (int i = 0; i < 10 && !done; i++)
        done = zephyrun::dissolvcas(work, back, from, 0, to, 0, 640, 480, 32) != 0;
      if (done) blit(to, back, 0, 0, 0, 0, 640, 480);  // the closing call draws nothing
    } else if (running == 3) {
      done = zephyrun::dissolvworm(work, back, from, 0, to, 0, 640, 480, 8, 10) != 0;
    } else {
      blit(from, back, 0, 0, 0, 0, 640, 480);
    }
    if (done) {
      running = 0;
      BITMAP *shown = to;
      to = from;
      from = shown;
    }
    rectfill(back, 0, 456, 639, 479, makecol(0, 0, 0));
    textprintf_ex(back, font, 8, 464, makecol(255, 255, 255), -1,
                  "1 cross-fade  2 block dissolve  3 column dissolve  Esc quit   %s",
                  names[running]);

    // Present: paced to about 30 frames a second; the back buffer comes back cleared.
    zephyrun::doppiobuffering(60, back, screen, 0, 0, 0);
  }

  // De-initialization -----------------------------------------------------
  destroy_bitmap(work);
  destroy_bitmap(back);
  destroy_bitmap(sky);
  destroy_bitmap(title);
  allegro_exit();
  return 0;
}
END_OF_MAIN()
