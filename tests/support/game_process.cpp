// Running a built program as a child: its output caught in a file, its exit
// waited for, its window found by title, sent keys and read back with xwd.
#include "game_process.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "test_support.h"

namespace testing_support {

bool poll_until(double timeout_s, const std::function<bool()> &done) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout_s);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

bool run_command(const std::string &command, std::string *out) {
  FILE *pipe = popen(command.c_str(), "r");
  std::string text;
  char chunk[4096];
  while (size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) text.append(chunk, n);
  if (out) *out = text;
  return pclose(pipe) == 0;
}

std::string built_asset_directory() { return ZEPHYRUN_BINARY_DIR "/assets"; }
std::string built_game_path() { return ZEPHYRUN_BINARY_DIR "/zephyrun"; }

GameProcess::GameProcess(const std::string &program, const std::string &directory,
                         const LaunchOptions &options)
    : window_title_(options.window_title) {
  char path[] = "/tmp/zephyrun-game-output-XXXXXX";
  const int fd = mkstemp(path);
  output_path_ = path;
  // A settings folder of its own, empty: the player's file never reaches a test.
  char config[] = "/tmp/zephyrun-game-config-XXXXXX";
  config_dir_ = mkdtemp(config) ? config : "/nonexistent";
  std::vector<char *> argv{const_cast<char *>(program.c_str())};
  for (const std::string &argument : options.arguments)
    argv.push_back(const_cast<char *>(argument.c_str()));
  argv.push_back(nullptr);
  pid_ = fork();
  if (pid_ == 0) {
    dup2(fd, 1);
    dup2(fd, 2);
    if (options.unset_display) unsetenv("DISPLAY");
    setenv("XDG_CONFIG_HOME", config_dir_.c_str(), 1);
    for (const auto &[name, value] : options.environment) setenv(name.c_str(), value.c_str(), 1);
    if (chdir(directory.c_str()) == 0) execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(fd);
}

GameProcess::~GameProcess() {
  if (running()) kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  std::remove(output_path_.c_str());
  std::error_code ignored;
  std::filesystem::remove_all(config_dir_, ignored);
}

bool GameProcess::running() {
  if (pid_ <= 0 || reaped_) return false;
  struct rusage usage;
  const pid_t state = wait4(pid_, &status_, WNOHANG, &usage);
  if (state == pid_) {
    reaped_ = true;
    peak_kilobytes_ = usage.ru_maxrss;
  }
  return state == 0;
}

int GameProcess::wait_exit(double timeout_s) {
  if (!poll_until(timeout_s, [&] { return !running(); })) return -1;
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : -2;
}

int GameProcess::ends_on_escape() {
  key("keydown", "Escape");
  const int status = wait_exit(20);
  // Sent to a window with the focus, a key goes through the server's own
  // keyboard, which would hold it down for the next program.
  run_command("xdotool keyup Escape");
  return status;
}

std::string GameProcess::output() const {
  std::string text;
  run_command("cat " + output_path_, &text);
  return text;
}

std::string GameProcess::settings() const {
  std::ifstream file(config_dir_ + "/zephyrun/zephyrun.cfg");
  return std::string(std::istreambuf_iterator<char>(file), {});
}

double GameProcess::cpu_seconds() const {
  std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
  std::string field;
  // Fields 14 and 15 are user and system time, in clock ticks; the name before
  // them, in parentheses, holds no spaces for our programs.
  for (int i = 1; i < 14 && stat >> field; i++) {
  }
  long user = 0, system = 0;
  stat >> user >> system;
  return static_cast<double>(user + system) / sysconf(_SC_CLK_TCK);
}

// Allegro's windows carry no _NET_WM_PID, so the window is found by its title.
std::string GameProcess::window() {
  poll_until(20, [&] {
    run_command("xdotool search --onlyvisible --name '^" + window_title_ + "$' | head -1",
                &window_);
    if (!window_.empty()) window_.pop_back();
    return !window_.empty() || !running();
  });
  return window_;
}

void GameProcess::key(const std::string &action, const std::string &key_name) {
  run_command("xdotool " + action + " --window " + window() + " " + key_name);
  // xdotool presses through the server's keyboard while the window has the
  // focus, and sends it events while it has not: a tap that changes the window
  // (Alt+Enter) can end on the other side and leave a key down in the server,
  // where a window manager takes Alt+Escape for itself.
  if (action == "key") {
    std::string keys = key_name;
    std::replace(keys.begin(), keys.end(), '+', ' ');
    run_command("xdotool keyup " + keys);
  }
}

bool GameProcess::shows_within(double timeout_s,
                               const std::function<bool(const Screenshot &)> &shows,
                               Screenshot *last) {
  return poll_until(timeout_s,
                    [&] {
                      std::string ppm;
                      run_command("xwd -silent -id " + window() + " | convert xwd:- -depth 8 ppm:-",
                                  &ppm);
                      Screenshot shot = parse_ppm(ppm);
                      const bool shown = shot.width >= 640 && shot.height >= 480 && shows(shot);
                      if (last) *last = std::move(shot);
                      return shown || !running();
                    }) &&
         running();
}

// ImageMagick puts a comment line after the magic number.
Screenshot parse_ppm(const std::string &ppm) {
  Screenshot shot;
  std::istringstream in(ppm);
  std::string magic;
  int maxval = 0;
  in >> magic >> std::ws;
  while (in.peek() == '#') in.ignore(ppm.size(), '\n');
  in >> shot.width >> shot.height >> maxval;
  in.get();
  shot.rgb.resize(3u * std::max(shot.width, 0) * std::max(shot.height, 0));
  in.read(reinterpret_cast<char *>(shot.rgb.data()), shot.rgb.size());
  if (!in || magic != "P6" || maxval != 255 || shot.rgb.empty()) return {};
  return shot;
}

Screenshot built_picture(const std::string &name) {
  std::string ppm;
  run_command("convert " + built_asset_directory() + "/" + name + " -depth 8 ppm:-", &ppm);
  return parse_ppm(ppm);
}

double share_alike(const Screenshot &one, const Screenshot &other, int top, int bottom, int step) {
  int alike = 0, compared = 0;
  for (int y = top; y < bottom; y += step)
    for (int x = 0; x < std::min(one.width, other.width); x += step, compared++) {
      const unsigned char *shown = other.at(x, y);
      alike += near_colour(one.at(x, y), shown[0], shown[1], shown[2], 12);
    }
  return compared ? static_cast<double>(alike) / compared : 0;
}

}  // namespace testing_support
