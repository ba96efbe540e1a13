// Start-up and shut-down: the library, the keyboard, the 640x480 window at
// depth 15 and the five asset files from the working directory. Every step is
// checked, because the loop relies on all of them: a failure is named in one
// line on stderr and the program stops before anything is drawn.
#include "zephyrun.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace zephyrun {

BITMAP *buf, *dest;
PALETTE colori;
DATAFILE *cors;
BITMAP *bit, *cielo, *asteroide, *prese;

static int report_failure(const char *what) {
  std::fprintf(stderr, "zephyrun: %s%s%s\n", what, allegro_error[0] ? ": " : "", allegro_error);
  return 1;
}

static int report_missing_file(const char *program, const char *name) {
  char directory[PATH_MAX];
  if (!getcwd(directory, sizeof directory)) std::snprintf(directory, sizeof directory, ".");
  std::fprintf(stderr, "%s: cannot load \"%s\": looked for it in the working directory %s\n",
               program, name, directory);
  return 1;
}

int load_assets(const char *program) {
  if (!(cors = load_datafile("cor.dat"))) return report_missing_file(program, "cor.dat");
  if (!(bit = load_bitmap("terreno.tga", colori))) return report_missing_file(program, "terreno.tga");
  if (!(cielo = load_bitmap("cielo.bmp", colori))) return report_missing_file(program, "cielo.bmp");
  if (!(asteroide = load_bitmap("asteroide.tga", colori)))
    return report_missing_file(program, "asteroide.tga");
  if (!(prese = load_bitmap("present.bmp", colori))) return report_missing_file(program, "present.bmp");
  return 0;
}

int start_up() {
  if (allegro_init() != 0) return report_failure("cannot start the Allegro library");
  if (install_keyboard() != 0) return report_failure("cannot start the keyboard");
  set_color_depth(15);
  set_palette(colori);
  buf = create_bitmap(640, 480);
  dest = create_bitmap(640, 480);
  if (!buf || !dest) return report_failure("cannot create the 640x480 frame buffers");
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0)
    return report_failure("cannot open a 640x480 window at colour depth 15");
  set_window_title("zephyrun");
  if (load_assets("zephyrun") != 0) return 1;
  begin_title();
  return 0;
}

int run_game() {
  if (start_up() != 0) return 1;
  run_loop();
  allegro_exit();
  return 0;
}

}  // namespace zephyrun
