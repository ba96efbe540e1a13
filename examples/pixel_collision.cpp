// Pixel collision test: steer the ship into the asteroid. collisione compares
// the two pictures pixel by pixel (magic pink counts as empty), so the
// rectangles may overlap without a hit; on a hit it gives the first shared
// pixel, which is ringed here, and the frame turns red.
//
// Keys: arrows move the ship, Escape quits.
// Run it where the game's files are: cd /usr/share/games/zephyrun
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
  set_color_depth(15);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0) {
    std::fprintf(stderr, "pixel_collision: no 640x480 window: %s\n", allegro_error);
    return 1;
  }
  set_window_title("pixel_collision");
  set_close_button_callback(request_close);
  DATAFILE *frames = load_datafile("cor.dat");  // object 0 is the ship
  BITMAP *rock = load_bitmap("asteroide.tga", nullptr);
  BITMAP *sky = load_bitmap("cielo.bmp", nullptr);
  if (!frames || !rock || !sky) {
    std::fprintf(stderr, "pixel_collision: run me where the game's files are\n");
    return 1;
  }
  BITMAP *ship = static_cast<BITMAP *>(frames[0].dat);
  BITMAP *back = create_bitmap(640, 480);
  int ship_x = 60, ship_y = 150;
  const int rock_x = 380, rock_y = 160;

  // Main loop -------------------------------------------------------------
  while (!key[KEY_ESC] && !close_requested) {
    // Keys and update: 4 pixels a frame, kept on the screen.
    ship_x += 4 * (held(KEY_RIGHT) - held(KEY_LEFT));
    ship_y += 4 * (held(KEY_DOWN) - held(KEY_UP));
    ship_x = MID(0, ship_x, 640 - ship->w);
    ship_y = MID(0, ship_y, 480 - ship->h);
    // The whole ship's window is tested against the asteroid, inside a
    // 640x480 area (the first call fixes that area for good).
    const int hit = zephyrun::collisione(640, 480, ship, ship->w, ship->h, ship_x, ship_y, rock,
                                         rock_x, rock_y);

    // Draw.
    if (hit)
      clear_to_color(back, makecol(120, 0, 0));
    else
      blit(sky, back, 0, 0, 0, 0, 640, 480);
    draw_sprite(back, rock, rock_x, rock_y);
    draw_sprite(back, ship, ship_x, ship_y);
    if (hit) {
      const int at_x = ship_x + zephyrun::collx, at_y = ship_y + zephyrun::colly;
      circle(back, at_x, at_y, 8, makecol(0, 255, 0));
      textprintf_ex(back, font, 8, 8, makecol(255, 255, 255), -1,
                    "collisione = 1, first shared pixel at (%d, %d)", at_x, at_y);
    } else {
      textout_ex(back, font, "collisione = 0: arrows steer, Esc quits", 8, 8,
                 makecol(255, 255, 255), -1);
    }

    // Present, paced to about 30 frames a second.
    zephyrun::doppiobuffering(60, back, screen, 0, 0, 0);
  }

  // De-initialization -----------------------------------------------------
  destroy_bitmap(back);
  destroy_bitmap(sky);
  destroy_bitmap(rock);
  unload_datafile(frames);
  allegro_exit();
  return 0;
}
END_OF_MAIN()
