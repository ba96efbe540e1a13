// Start-up and shut-down: the command line, the library, the keyboard, the
// window (game/window) at depth 15 and the five asset files (assets/) from the
// working directory. Every step is checked, because the loop relies on all of
// them: a failure is named in one line on stderr and the program stops before
// anything is drawn.
#include "game/game.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "assets/assets.h"
#include "controls/controls.h"
#include "game/command_line.h"
#include "settings/settings_file.h"
#include "window/window.h"

namespace zephyrun {

BITMAP *buf, *dest;
PALETTE colori;
DATAFILE *cors;
BITMAP *bit, *cielo, *asteroide, *prese;

static int report_failure(const char *program, const char *what) {
  std::fprintf(stderr, "%s: %s%s%s\n", program, what, allegro_error[0] ? ": " : "", allegro_error);
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

int start_library(const char *program) {
  if (allegro_init() != 0) return report_no_display(program);
  if (install_keyboard() != 0) return report_failure(program, "cannot start the keyboard");
  return 0;
}

int start_up(const CommandLine &line) {
  if (start_library("zephyrun") != 0) return 1;
  // The command line wins over the file for this run, and is not written back.
  settings.load(settings_path(), "zephyrun");
  const int file_scale = scale_setting(settings);
  const int scale = line.scale != CommandLine::scale_not_given ? line.scale : file_scale;
  const bool fullscreen = fullscreen_setting(settings) || line.fullscreen;
  rest_in_background = rest_setting(settings);
  set_color_depth(15);
  set_palette(colori);
  buf = create_bitmap(frame_width, frame_height);
  dest = create_bitmap(frame_width, frame_height);
  if (!buf || !dest) return report_failure("zephyrun", "cannot create the 640x480 frame buffers");
  if (open_window("zephyrun", "zephyrun", scale, fullscreen) != 0) return 1;
  watch_close_button("zephyrun");  // a window without one still ends on Escape
  watch_fullscreen_keys();
  read_controls(settings);
  start_gamepad();
  if (load_assets("zephyrun") != 0) return 1;
  begin_title();
  return 0;
}

// What --help says after the options: the controls, the pad and the settings file.
static std::string game_help() {
  const std::string path = settings_path();
  return "Arrows steer, space fires, F11 or Alt+Enter toggles fullscreen, hold Escape (or\n"
         "close the window) to quit. A gamepad plugged in before the game starts steers\n"
         "with its stick or direction pad and fires with its first button, beside the keys.\n"
         "While another window has the keyboard, the game rests.\n"
         "The settings file keeps the window's scale, fullscreen, resting, other keys for\n"
         "the five controls and the pad's fire button; the command line wins over it:\n"
         "  " +
         (path.empty() ? std::string("(no home folder: none)") : path) + "\n";
}

int run_game(int argc, char **argv) {
  const ProgramOptions options{"zephyrun", nullptr, true, game_help()};
  const CommandLine line = parse_command_line(argc, argv, options);
  if (line.action != CommandLine::play) return answer_command_line(line, options);
  if (start_up(line) != 0) return 1;
  const int status = run_loop();
  settings.save();  // only what the player changed in the game, if anything
  allegro_exit();
  return status;
}

}  // namespace zephyrun
