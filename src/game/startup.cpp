// Start-up and shut-down: the library, the keyboard, the 640x480 window at
// depth 15 and the five asset files from the working directory. Every step is
// checked, because the loop relies on all of them: a failure is named in one
// line on stderr and the program stops before anything is drawn.
#include "zephyrun.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zephyrun {

BITMAP *buf, *dest;
PALETTE colori;
DATAFILE *cors;
BITMAP *bit, *cielo, *asteroide, *prese;

// The player's frames are objects 0, 3, 6, 9 and 12, the shot object 15.
constexpr int needed_objects = 16;

static int report_failure(const char *program, const char *what) {
  std::fprintf(stderr, "%s: %s%s%s\n", program, what, allegro_error[0] ? ": " : "",
               allegro_error);
  return 1;
}

static int report_missing_file(const char *program, const char *name) {
  char directory[PATH_MAX];
  if (!getcwd(directory, sizeof directory)) std::snprintf(directory, sizeof directory, ".");
  std::fprintf(stderr, "%s: cannot load \"%s\": looked for it in the working directory %s\n",
               program, name, directory);
  return 1;
}

static int report_unusable_file(const char *program, const char *name, const std::string &why) {
  std::fprintf(stderr, "%s: cannot load \"%s\": %s\n", program, name, why.c_str());
  return 1;
}

// The library fails to start on X when no display answers; that is the usual
// reason on this platform, and the one a player can mend.
static int report_no_display(const char *program) {
  const char *display = std::getenv("DISPLAY");
  if (!display || !*display)
    std::fprintf(stderr, "%s: no X display could be opened: DISPLAY is not set\n", program);
  else
    std::fprintf(stderr, "%s: no X display could be opened at DISPLAY=%s\n", program, display);
  return 1;
}

// Whether the file is there and its bytes pass `fault_of`; if not, the one
// line saying which is already written.
static bool file_usable(const char *program, const char *name,
                        std::string (*fault_of)(const char *name)) {
  struct stat status;
  if (stat(name, &status) != 0) {
    report_missing_file(program, name);
    return false;
  }
  const std::string fault = status.st_size == 0 ? "it is empty" : fault_of(name);
  if (fault.empty()) return true;
  report_unusable_file(program, name, fault);
  return false;
}

static int load_datafile_checked(const char *program, const char *name, DATAFILE **loaded) {
  if (!file_usable(program, name, datafile_file_fault)) return 1;
  if (!(*loaded = load_datafile(name)))
    return report_unusable_file(program, name, "the library could not read it");
  int count = 0;
  while ((*loaded)[count].type != DAT_END) count++;
  if (count < needed_objects)
    return report_unusable_file(program, name, std::to_string(count) + " objects where " +
                                                   std::to_string(needed_objects) + " are needed");
  for (int object = 0; object < needed_objects; object += 3)
    if ((*loaded)[object].type != DAT_BITMAP)
      return report_unusable_file(program, name,
                                  "object " + std::to_string(object) + " is not a bitmap");
  return 0;
}

// A size of 0 leaves that side free; `at_least` makes the width a minimum.
struct PictureSize {
  int width, height;
  bool at_least;
};

static int load_picture_checked(const char *program, const char *name, PictureSize size,
                                BITMAP **loaded) {
  if (!file_usable(program, name, picture_file_fault)) return 1;
  if (!(*loaded = load_bitmap(name, colori)))
    return report_unusable_file(program, name, "the library could not read it");
  const bool width_fits = size.at_least ? (*loaded)->w >= size.width : (*loaded)->w == size.width;
  if (size.width == 0 || (width_fits && (*loaded)->h == size.height)) return 0;
  const std::string needed = std::to_string(size.width) + "x" + std::to_string(size.height);
  return report_unusable_file(program, name,
                              std::to_string((*loaded)->w) + "x" + std::to_string((*loaded)->h) +
                                  " where " + (size.at_least ? "at least " : "") + needed +
                                  " is needed");
}

int load_assets(const char *program) {
  const PictureSize free_size = {0, 0, false}, full_screen = {640, 480, false};
  const PictureSize ground_size = {1280, 200, true};
  // The pictures after the datafile, in the order of asset_file_names.
  const struct {
    BITMAP **loaded;
    PictureSize size;
  } pictures[] = {{&bit, ground_size}, {&cielo, full_screen}, {&asteroide, free_size},
                  {&prese, full_screen}};
  if (load_datafile_checked(program, asset_file_names[0], &cors) != 0) return 1;
  for (int i = 0; i < 4; i++) {
    const char *name = asset_file_names[i + 1];
    if (load_picture_checked(program, name, pictures[i].size, pictures[i].loaded) != 0) return 1;
  }
  return 0;
}

int start_library(const char *program) {
  if (allegro_init() != 0) return report_no_display(program);
  if (install_keyboard() != 0) return report_failure(program, "cannot start the keyboard");
  return 0;
}

int open_window(const char *program, const char *title) {
  set_color_depth(15);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0)
    return report_failure(program, "cannot open a 640x480 window at colour depth 15");
  set_window_title(title);
  return 0;
}

int start_up() {
  if (start_library("zephyrun") != 0) return 1;
  set_color_depth(15);
  set_palette(colori);
  buf = create_bitmap(640, 480);
  dest = create_bitmap(640, 480);
  if (!buf || !dest) return report_failure("zephyrun", "cannot create the 640x480 frame buffers");
  if (open_window("zephyrun", "zephyrun") != 0) return 1;
  watch_close_button();
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
