// Runs a built program as a child process under the test suite's X server,
// drives it with real key events and reads what its window shows.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
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
  bool unset_display = false;             // no DISPLAY at all
  std::string window_title = "zephyrun";  // how its window is found
};

class GameProcess {
 public:
  // Starts `program` in `directory`, stderr and stdout captured to a file.
  GameProcess(const std::string &program, const std::string &directory,
              const LaunchOptions &options = {});
  ~GameProcess();  // kills the program if it is still running
  GameProcess(const GameProcess &) = delete;
  GameProcess &operator=(const GameProcess &) = delete;

  std::string window();  // the window's id, once it shows; empty if it never does
  // Exit status once the process has ended within `timeout_s`; -1 if it is
  // still running then, -2 if it died from a signal.
  int wait_exit(double timeout_s);
  std::string output() const;  // what it wrote on stderr and stdout

  void key(const std::string &action, const std::string &key_name);  // "keydown", "keyup"
  // Takes screenshots until one satisfies `shows` or `timeout_s` passes; the
  // last one taken is kept in `last` when given.
  bool shows_within(double timeout_s, const std::function<bool(const Screenshot &)> &shows,
                    Screenshot *last = nullptr);

 private:
  bool running();
  pid_t pid_ = -1;
  int status_ = 0;
  bool ended_ = false;
  std::string output_path_, window_, window_title_;
};

// A binary PPM (P6, 8 bits a channel) as a screenshot; empty when malformed.
Screenshot parse_ppm(const std::string &ppm);

// Output of a shell command (its stdout), and whether it exited 0.
bool run_command(const std::string &command, std::string *out = nullptr);

// Runs a shell command under an X server of its own, started the way the test
// script starts the suite's (xvfb-run), with `extra_server_arguments` added;
// whether the command exited 0.
bool run_under_own_x_server(const std::string &command,
                            const std::string &extra_server_arguments = "");

// The directory the built game runs in, holding its five asset files.
std::string built_asset_directory();
std::string built_game_path();

}  // namespace testing_support
