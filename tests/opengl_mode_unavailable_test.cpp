// Where no OpenGL mode can be had (no display, a display-less system driver,
// an X server without GLX), gfxGL says so and renderGL draws nothing; nothing
// crashes. Each case runs in a process of its own, since Allegro starts once
// per process; the cases set DISPLAY themselves, whatever the suite runs under.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "test_support.h"
#include "zephyrun.h"

namespace {

// Each case returns 0, or prints what went wrong and returns 1.
int complain(const char *what) {
  std::fprintf(stderr, "%s (allegro_error: %s)\n", what, allegro_error);
  return 1;
}

// renderGL given a frame it must leave alone, with no mode to draw into.
int render_draws_nothing(BITMAP *source) {
  zephyrun::renderGL(640, 480, 0, 0, 0, 0, 0, 0, source);
  if (zephyrun::GLcr_bmp != 0 || zephyrun::GLbmp2 != nullptr || zephyrun::GLw != 0)
    return complain("renderGL went on without an OpenGL mode");
  return 0;
}

int with_no_display() {
  unsetenv("DISPLAY");
  if (allegro_init() == 0) return complain("Allegro found a display with DISPLAY unset");
  if (zephyrun::gfxGL(640, 480, 0, 32) != -1) return complain("gfxGL did not report failure");
  return render_draws_nothing(nullptr);  // no bitmap can be made without a system driver
}

int with_headless_system_driver() {
  unsetenv("DISPLAY");
  testing_support::start_headless_allegro(32);
  if (zephyrun::gfxGL(640, 480, 0, 32) != -1) return complain("gfxGL did not report failure");
  if (allegro_error[0] == '\0') return complain("gfxGL gave no reason");
  testing_support::BitmapPtr frame = testing_support::make_pattern_bitmap(64, 48);
  testing_support::BitmapPtr before = testing_support::make_pattern_bitmap(64, 48);
  if (int status = render_draws_nothing(frame.get())) return status;
  if (!testing_support::first_difference(before.get(), frame.get()).empty())
    return complain("renderGL changed its source");
  return 0;
}

// An X server of our own with the GLX extension turned off, on whatever
// display number is free; stopped when the case ends.
class ServerWithoutGLX {
 public:
  ServerWithoutGLX() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      // Only the number pipe goes to the server: were it to inherit the test
      // runner's pipes, an early death here would leave the runner waiting.
      for (int fd = 3; fd < 1024; fd++)
        if (fd != fds[1]) close(fd);
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // and it goes when the case does, however it ends
      std::string fd = std::to_string(fds[1]);
      // -noreset: on a reset the server writes its number again, fails and dies.
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-extension", "GLX", "-noreset",
             "-nolisten", "tcp", "-screen", "0", "800x600x24", static_cast<char *>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;  // written as "N\n" once the server is ready
    char digit = 0;
    while (pid_ > 0 && read(fds[0], &digit, 1) == 1 && digit != '\n') number += digit;
    close(fds[0]);
    if (digit == '\n' && !number.empty()) display_ = ":" + number;
  }
  ~ServerWithoutGLX() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string &display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

int with_x_server_lacking_glx() {
  ServerWithoutGLX server;
  if (server.display().empty()) return complain("could not start Xvfb (is it installed?)");
  setenv("DISPLAY", server.display().c_str(), 1);
  if (allegro_init() != 0) return complain("Allegro could not reach the GLX-less server");
  set_color_depth(32);
  int status = 0;
  if (zephyrun::gfxGL(640, 480, 0, 32) != -1) status = complain("gfxGL did not report failure");
  if (!status && !std::strstr(allegro_error, "GLX")) status = complain("reason does not name GLX");
  if (!status) {
    testing_support::BitmapPtr frame(create_bitmap(64, 48));
    status = render_draws_nothing(frame.get());
  }
  allegro_exit();  // while the server is still there
  return status;
}

TEST(OpenGLModeUnavailableTest, NoDisplayReachable) {
  EXPECT_EXIT(std::exit(with_no_display()), ::testing::ExitedWithCode(0), "");
}

TEST(OpenGLModeUnavailableTest, HeadlessSystemDriver) {
  EXPECT_EXIT(std::exit(with_headless_system_driver()), ::testing::ExitedWithCode(0), "");
}

TEST(OpenGLModeUnavailableTest, XServerWithoutGLX) {
  EXPECT_EXIT(std::exit(with_x_server_lacking_glx()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
