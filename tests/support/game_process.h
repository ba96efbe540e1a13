// A built program run as a child under the suite's X server, driven with real
// key events, its window read back as screenshots.
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

struct LaunchOptions {
  std::vector<std::string> arguments;
  // Set in the child only; XDG_CONFIG_HOME is an empty folder of the child's unless given.
  std::vector<std::pair<std::string, std::string>> environment;
  bool unset_display = false;
  std::string window_title = "zephyrun";  // how its window is found
};

// Sends WM_DELETE_WINDOW to the window (xdotool's decimal id) if it lists it
// in WM_PROTOCOLS; false when it does not, or there is no such window.
bool ask_window_to_close(const std::string &window_id);

class GameProcess {
 public:
  // Starts `program` in `directory`, stdout and stderr captured together.
  GameProcess(const std::string &program, const std::string &directory,
              const LaunchOptions &options = {});
  ~GameProcess();  // kills the program if it still runs
  GameProcess(const GameProcess &) = delete;
  GameProcess &operator=(const GameProcess &) = delete;

  std::string window();             // its id once shown; empty if it never shows
  int wait_exit(double timeout_s);  // exit status; -1 still running, -2 killed by a signal
  int ends_on_escape();             // Escape held down, then the status within 20 s
  std::string output() const;
  std::string settings() const;  // its settings file, as it left it; "" when it wrote none
  double cpu_seconds() const;    // processor time it has taken so far, user and system
  long peak_kilobytes() const { return peak_kilobytes_; }  // largest resident size, once exited
  void key(const std::string &action, const std::string &key_name);  // "keydown", "keyup", "key"
  // Clicks its window's close button as a window manager would.
  bool click_close_button() { return ask_window_to_close(window()); }
  // Screenshots until one `shows` (the last kept in `last`); false on timeout or exit.
  bool shows_within(double timeout_s, const std::function<bool(const Screenshot &)> &shows,
                    Screenshot *last = nullptr);

 private:
  bool running();
  pid_t pid_ = -1;
  int status_ = 0;
  bool reaped_ = false;
  long peak_kilobytes_ = 0;
  std::string output_path_, config_dir_, window_, window_title_;
};

Screenshot parse_ppm(const std::string &ppm);  // binary 8-bit P6; empty when malformed
// One of the built asset pictures, as a screenshot; empty when it cannot be read.
Screenshot built_picture(const std::string &name);
// The share of pixels in rows top .. bottom - 1, every `step`th each way, that
// show alike in both (each channel within 12).
double share_alike(const Screenshot &one, const Screenshot &other, int top, int bottom,
                   int step = 1);
bool run_command(const std::string &command, std::string *out = nullptr);  // exited 0?
// Asks `done` every 20 ms until it says yes (true) or timeout_s have passed (false).
bool poll_until(double timeout_s, const std::function<bool()> &done);
std::string built_asset_directory();  // where the built game runs, with its assets
std::string built_game_path();

}  // namespace testing_support
