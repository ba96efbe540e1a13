// OpenGL presentation: each frame is drawn in software as usual (sky, a
// bouncing asteroid) and then shown through OpenGL on one textured quad,
// which the keys turn and push away. gfxGL takes the place of set_gfx_mode,
// renderGL that of the copy to the screen.
//
// Keys: arrows turn the quad, Page Up/Down push it away/bring it back,
// space sets it straight, Escape quits.
// Run it where the game's pictures are: cd /usr/share/games/zephyrun
#include <zephyrun.h>

#include <cstdio>

static volatile int close_requested = 0;
static void request_close() { close_requested = 1; }
// key[] holds a non-zero value, not 1, while a key is down.
static int held(int scancode) { return key[scancode] ? 1 : 0; }

int main() {
  // Initialization --------------------------------------------------------
  allegro_init();
  install_keyboard();
  if (zephyrun::gfxGL(640, 480, 0, 32) != 0) {
    std::fprintf(stderr, "opengl_presentation: no OpenGL window: %s\n", allegro_error);
    return 1;
  }
  set_window_title("opengl_presentation");
  set_close_button_callback(request_close);
  // The OpenGL mode leaves the colour depth at its own; our pictures are 15-bit.
  set_color_depth(15);
  BITMAP *sky = load_bitmap("cielo.bmp", nullptr);
  BITMAP *rock = load_bitmap("asteroide.tga", nullptr);
  if (!sky || !rock) {
    std::fprintf(stderr, "opengl_presentation: run me where cielo.bmp and asteroide.tga are\n");
    return 1;
  }
  BITMAP *back = create_bitmap(640, 480);      // the frame is drawn here
  BITMAP *shown = create_bitmap(640, 480);     // the pacing copies it here for renderGL
  float turn_x = 0, turn_y = 0, distance = 0;  // degrees, degrees, and dz (0 fills the window)
  int rock_x = 100, rock_y = 80, step_x = 5, step_y = 3;

  // Main loop -------------------------------------------------------------
  while (!key[KEY_ESC] && !close_requested) {
    // Keys.
    turn_y += 1.5f * (held(KEY_RIGHT) - held(KEY_LEFT));
    turn_x += 1.5f * (held(KEY_DOWN) - held(KEY_UP));
    distance += 0.05f * (held(KEY_PGDN) - held(KEY_PGUP));
    if (distance > 0) distance = 0;  // in front of the near plane the quad is clipped away
    if (key[KEY_SPACE]) turn_x = turn_y = distance = 0;

    // Update: the asteroid bounces off the frame's edges.
    rock_x += step_x;
    rock_y += step_y;
    if (rock_x < 0 || rock_x + rock->w > 640) step_x = -step_x;
    if (rock_y < 0 || rock_y + rock->h > 480) step_y = -step_y;

    // Draw, in software.
    blit(sky, back, 0, 0, 0, 0, 640, 480);
    draw_sprite(back, rock, rock_x, rock_y);
    textout_ex(back, font, "arrows turn  PgUp/PgDn distance  space straight  Esc quits", 8, 30,
               makecol(255, 255, 255), -1);

    // Present: the pacing copies the frame into `shown`, with its counter;
    // renderGL puts it on the quad and flips. The pacing waits on retraces
    // (mode 0): its OpenGL mode 1 waits with buffer clears, which a software
    // OpenGL does in no time, so the loop would run unpaced. renderGL never
    // clears the depth buffer, and a turning quad wants a clean one.
    zephyrun::doppiobuffering(60, back, shown, 1, 0, 0);
    zephyrun::clear_gl_buffers();
    zephyrun::renderGL(640, 480, 0, 0, distance, turn_x, turn_y, 0, shown);
  }

  // De-initialization -----------------------------------------------------
  destroy_bitmap(shown);
  destroy_bitmap(back);
  destroy_bitmap(rock);
  destroy_bitmap(sky);
  allegro_exit();
  return 0;
}
END_OF_MAIN()
