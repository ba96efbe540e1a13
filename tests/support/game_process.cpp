#include "game_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace testing_support {

using Clock = std::chrono::steady_clock;

bool run_command(const std::string &command, std::string *out) {
  FILE *pipe = popen(command.c_str(), "r");
  if (!pipe) return false;
  std::string text;
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) text.append(chunk, n);
  int status = pclose(pipe);
  if (out) *out = text;
  return status == 0;
}

bool display_reachable() {
  const char *display = std::getenv("DISPLAY");
  return display && *display && run_command("xdotool getdisplaygeometry >/dev/null 2>&1");
}

std::string built_asset_directory() { return std::string(ZEPHYRUN_BINARY_DIR) + "/assets"; }
std::string built_game_path() { return std::string(ZEPHYRUN_BINARY_DIR) + "/zephyrun"; }

GameProcess::GameProcess(const std::string &program, const std::string &directory,
                         bool unset_display)
    : GameProcess(program, directory, LaunchOptions{{}, {}, unset_display, "zephyrun"}) {}

GameProcess::GameProcess(const std::string &program, const std::string &directory,
                         const LaunchOptions &options)
    : window_title_(options.window_title) {
  char path[] = "/tmp/zephyrun-game-output-XXXXXX";
  int fd = mkstemp(path);
  output_path_ = path;
  std::vector<char *> argv{const_cast<char *>(program.c_str())};
  for (const std::string &argument : options.arguments) argv.push_back(const_cast<char *>(argument.c_str()));
  argv.push_back(nullptr);
  pid_ = fork();
  if (pid_ == 0) {
    dup2(fd, 1);
    dup2(fd, 2);
    if (options.unset_display) unsetenv("DISPLAY");
    for (const auto &[name, value] : options.environment) setenv(name.c_str(), value.c_str(), 1);
    if (chdir(directory.c_str()) != 0) _exit(126);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(fd);
}

GameProcess::~GameProcess() {
  if (pid_ > 0 && !ended_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &status_, 0);
  }
  std::remove(output_path_.c_str());
}

bool GameProcess::running() {
  if (ended_) return false;
  if (waitpid(pid_, &status_, WNOHANG) == pid_) ended_ = true;
  return !ended_;
}

int GameProcess::wait_exit(double timeout_s) {
  auto until = Clock::now() + std::chrono::duration<double>(timeout_s);
  while (running() && Clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (!ended_) return -1;
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : -2;
}

std::string GameProcess::output() const {
  std::ifstream in(output_path_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Allegro's X11 windows carry no _NET_WM_PID, so the game is found by title.
std::string GameProcess::window(double timeout_s) {
  auto until = Clock::now() + std::chrono::duration<double>(timeout_s);
  while (window_.empty() && Clock::now() < until && running()) {
    run_command("xdotool search --onlyvisible --name '^" + window_title_ + "$' 2>/dev/null | head -1",
                &window_);
    while (!window_.empty() && std::isspace(static_cast<unsigned char>(window_.back())))
      window_.pop_back();
    if (window_.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return window_;
}

void GameProcess::key_down(const std::string &key_name) {
  run_command("xdotool keydown --window " + window() + " " + key_name);
}

void GameProcess::key_up(const std::string &key_name) {
  run_command("xdotool keyup --window " + window() + " " + key_name);
}

void GameProcess::hold_key(const std::string &key_name, double seconds) {
  key_down(key_name);
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  key_up(key_name);
}

// The next header field of a PPM, past blanks and "#" comments.
static std::string ppm_field(std::istream &in) {
  std::string field;
  while (in >> std::ws && in.peek() == '#') std::getline(in, field);
  in >> field;
  return field;
}

Screenshot parse_ppm(const std::string &ppm) {
  Screenshot shot;
  std::istringstream in(ppm);
  std::string magic = ppm_field(in);
  shot.width = std::atoi(ppm_field(in).c_str());
  shot.height = std::atoi(ppm_field(in).c_str());
  int maxval = std::atoi(ppm_field(in).c_str());
  in.get();
  if (magic != "P6" || maxval != 255 || shot.width <= 0 || shot.height <= 0) return Screenshot{};
  shot.rgb.resize(static_cast<size_t>(3) * shot.width * shot.height);
  in.read(reinterpret_cast<char *>(shot.rgb.data()), static_cast<std::streamsize>(shot.rgb.size()));
  if (in.gcount() != static_cast<std::streamsize>(shot.rgb.size())) return Screenshot{};
  return shot;
}

// xwd's output turned into binary PPM by ImageMagick.
Screenshot GameProcess::screenshot() {
  std::string ppm;
  if (window().empty() ||
      !run_command("xwd -silent -id " + window() + " | convert xwd:- -depth 8 ppm:-", &ppm))
    return Screenshot{};
  return parse_ppm(ppm);
}

}  // namespace testing_support
