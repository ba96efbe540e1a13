// Runs the built game as a child process under the test suite's X server, and
// reads what its window shows: for the end-to-end tests.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct Screenshot {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;  // 3 bytes a pixel, rows top to bottom
  bool empty() const { return rgb.empty(); }
  const unsigned char *at(int x, int y) const { return &rgb[3 * (y * width + x)]; }
};

// How to start a program beyond its path and working directory.
struct LaunchOptions {
  std::vector<std::string> arguments;
  std::vector<std::pair<std::string, std::string>> environment;  // set in the child only
  bool unset_display = false;                                    // no DISPLAY at all
  std::string window_title = "zephyrun";                         // how its window is found
};

class GameProcess {
 public:
  // Starts `program` in `directory`, stderr (and stdout) captured to a file.
  // `unset_display` runs it with no DISPLAY at all.
  GameProcess(const std::string &program, const std::string &directory,
              bool unset_display = false);
  GameProcess(const std::string &program, const std::string &directory,
              const LaunchOptions &options);
  ~GameProcess();  // kills the game if it is still running
  GameProcess(const GameProcess &) = delete;
  GameProcess &operator=(const GameProcess &) = delete;

  // The game's window id, waiting up to `timeout_s`; empty when none showed.
  std::string window(double timeout_s = 10);
  // Looks for the window afresh: a new graphics mode can replace it.
  void forget_window() { window_.clear(); }
  // Exit status once the process has ended within `timeout_s`; -1 if it is
  // still running then, -2 if it died from a signal.
  int wait_exit(double timeout_s);
  bool running();
  std::string output() const;  // what it wrote on stderr and stdout

  // Holds a key down in the game's window for `seconds` (xdotool key names).
  void hold_key(const std::string &key_name, double seconds = 0.3);
  void key_down(const std::string &key_name);
  void key_up(const std::string &key_name);
  // The game window's contents, as the X server shows them.
  Screenshot screenshot();

 private:
  pid_t pid_ = -1;
  int status_ = 0;
  bool ended_ = false;
  std::string output_path_, window_, window_title_ = "zephyrun";
};

// A binary PPM (P6, 8 bits a channel) as a screenshot; empty when malformed.
Screenshot parse_ppm(const std::string &ppm);

// Output of a shell command (its stdout), and whether it exited 0.
bool run_command(const std::string &command, std::string *out = nullptr);

// True when an X server answers on $DISPLAY.
bool display_reachable();

// The directory the built game runs in, holding its five asset files.
std::string built_asset_directory();
std::string built_game_path();

}  // namespace testing_support
