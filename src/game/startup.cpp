// Start-up and shut-down: the command line, the library, the keyboard, the
// 640x480 window (magnified if asked) at depth 15 and the five asset files
// from the working directory. Every step is checked, because the loop relies
// on all of them: a failure is named in one line on stderr and the program
// stops before anything is drawn.
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
  std::fprintf(stderr, "%s: %s%s%s\n", program, what, allegro_error[0] ? ": " : "", allegro_error);
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
template <typename FaultOf>
static bool file_usable(const char *program, const char *name, FaultOf fault_of) {
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
    return report_unusable_file(
        program, name,
        std::to_string(count) + " objects where " + std::to_string(needed_objects) + " are needed");
  for (int object = 0; object < needed_objects; object += 3)
    if ((*loaded)[object].type != DAT_BITMAP)
      return report_unusable_file(program, name,
                                  "object " + std::to_string(object) + " is not a bitmap");
  return 0;
}

static int load_picture_checked(const char *program, const char *name, const PictureSize &size,
                                BITMAP **loaded) {
  const auto fault_of = [&size](const char *file) { return picture_file_fault(file, size); };
  if (!file_usable(program, name, fault_of)) return 1;
  if (!(*loaded = load_bitmap(name, colori)))
    return report_unusable_file(program, name, "the library could not read it");
  // The header said a needed size; the library's reading is held to it too.
  const std::string fault = picture_size_fault((*loaded)->w, (*loaded)->h, size);
  return fault.empty() ? 0 : report_unusable_file(program, name, fault);
}

int load_assets(const char *program) {
  // The pictures after the datafile, in the order of asset_file_names.
  const struct {
    BITMAP **loaded;
    PictureSize size;
  } pictures[] = {{&bit, ground_size},
                  {&cielo, full_screen_size},
                  {&asteroide, actor_size},
                  {&prese, full_screen_size}};
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
  const int width = 640 * window_scale, height = 480 * window_scale;
  set_color_depth(15);
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, width, height, 0, 0) != 0) {
    const std::string what = "cannot open a " + std::to_string(width) + "x" +
                             std::to_string(height) + " window at colour depth 15";
    return report_failure(program, what.c_str());
  }
  set_window_title(title);
  return 0;
}

int start_up(int scale) {
  if (start_library("zephyrun") != 0) return 1;
  window_scale = resolved_scale(scale);
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

int run_game(int argc, char **argv) {
  const CommandLine line = parse_command_line(argc, argv, false);
  if (line.action != CommandLine::play) return answer_command_line(line, "zephyrun", nullptr);
  if (start_up(line.scale) != 0) return 1;
  run_loop();
  allegro_exit();
  return 0;
}

}  // namespace zephyrun
