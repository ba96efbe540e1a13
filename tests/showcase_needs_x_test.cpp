// The toolkit showcase end to end, in a window of the suite's X server: each
// scene is reached with real key events and read back from a screenshot.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "game_process.h"
#include "mp3_fixtures.h"
#include "test_support.h"

using namespace testing_support;

namespace {

constexpr int kCaptionTop = 434;  // the caption band covers the rows below
constexpr int kStatusX = 8, kStatusY = 466;

void pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

bool near_colour(const unsigned char *shown, int r, int g, int b, int tolerance = 10) {
  return std::abs(shown[0] - r) <= tolerance && std::abs(shown[1] - g) <= tolerance &&
         std::abs(shown[2] - b) <= tolerance;
}

class Showcase : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_reachable()) << "these tests need an X server on $DISPLAY";
    start_headless_allegro(24);
    sky.reset(load_bitmap((built_asset_directory() + "/cielo.bmp").c_str(), nullptr));
    title.reset(load_bitmap((built_asset_directory() + "/present.bmp").c_str(), nullptr));
    ASSERT_TRUE(sky && title);
  }

  static std::string showcase_path() { return std::string(ZEPHYRUN_BINARY_DIR) + "/zephyrun-showcase"; }

  std::unique_ptr<GameProcess> start(LaunchOptions options = {}) {
    options.window_title = "zephyrun-showcase";
    auto showcase = std::make_unique<GameProcess>(showcase_path(), built_asset_directory(), options);
    EXPECT_FALSE(showcase->window().empty()) << showcase->output();
    pause(0.5);
    return showcase;
  }

  static void next_scene(GameProcess &showcase, int times = 1) {
    for (int i = 0; i < times; i++) showcase.hold_key("Tab", 0.15);
    pause(0.3);
  }

  // Share of the pixels above the caption, clear of the counter, showing `picture`.
  static double share_showing(const Screenshot &shot, BITMAP *picture, int tolerance = 10) {
    int matching = 0, counted = 0;
    for (int y = 24; y < kCaptionTop; y++)
      for (int x = 0; x < 640; x++, counted++) {
        const int colour = getpixel(picture, x, y);
        matching += near_colour(shot.at(x, y), getr(colour), getg(colour), getb(colour), tolerance);
      }
    return matching / static_cast<double>(counted);
  }

  // Polls screenshots until `done` holds or `seconds` pass; the last one is kept in `shot`.
  static bool shows_within(GameProcess &showcase, double seconds, Screenshot &shot,
                           const std::function<bool(const Screenshot &)> &done) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
      shot = showcase.screenshot();
      if (!shot.empty() && done(shot)) return true;
      pause(0.2);
    } while (std::chrono::steady_clock::now() < until);
    return false;
  }

  // True when every glyph pixel of `text`, in the default font at the caption's
  // status line, shows the status colour.
  static bool status_line_starts_with(const Screenshot &shot, const std::string &text) {
    BitmapPtr glyphs(create_bitmap(text_length(font, text.c_str()), text_height(font)));
    clear_to_color(glyphs.get(), 0);
    textout_ex(glyphs.get(), font, text.c_str(), 0, 0, makecol(255, 255, 255), -1);
    for (int y = 0; y < glyphs->h; y++)
      for (int x = 0; x < glyphs->w; x++)
        if (getpixel(glyphs.get(), x, y) != 0 &&
            !near_colour(shot.at(kStatusX + x, kStatusY + y), 160, 224, 255))
          return false;
    return true;
  }

  static int green_marker_pixels(const Screenshot &shot) {
    int count = 0;
    for (int y = 0; y < kCaptionTop; y++)
      for (int x = 0; x < 640; x++) count += near_colour(shot.at(x, y), 0, 255, 0, 12);
    return count;
  }

  // G, held until the mode has changed: an OpenGL mode brings its own window.
  static void switch_to_opengl(GameProcess &showcase) {
    showcase.key_down("g");
    pause(1.5);
    showcase.forget_window();
    showcase.key_up("g");
  }

  static void quit_with_escape(GameProcess &showcase) {
    showcase.hold_key("Escape", 0.2);
    EXPECT_EQ(showcase.wait_exit(3.0), 0) << showcase.output();
  }

  BitmapPtr sky, title;
};

TEST_F(Showcase, EachTransitionRunsFromTheTitleToTheSkyOnItsKey) {
  auto showcase = start();
  Screenshot shot = showcase->screenshot();
  ASSERT_FALSE(shot.empty());
  EXPECT_GT(share_showing(shot, title.get()), 0.97);
  pause(2.5);  // the frame pacing holds after its first measuring window
  for (const char *key : {"1", "2", "3"}) {
    SCOPED_TRACE(std::string("transition key ") + key);
    showcase->hold_key(key, 0.15);
    Screenshot mid = showcase->screenshot();
    EXPECT_LT(share_showing(mid, sky.get()), 0.97) << "no transition ran";
    EXPECT_TRUE(shows_within(*showcase, 10, shot,
                             [&](const Screenshot &s) { return share_showing(s, sky.get()) > 0.97; }))
        << "the sky never came: " << share_showing(shot, sky.get());
  }
  quit_with_escape(*showcase);
}

TEST_F(Showcase, VoxelSceneDrawsALandscapeThatTurnsWithTheArrows) {
  auto showcase = start();
  next_scene(*showcase);
  Screenshot before = showcase->screenshot();
  ASSERT_FALSE(before.empty());
  // The sky shows above the horizon, the island below it hides the backdrop.
  EXPECT_LT(share_showing(before, sky.get()), 0.85);
  int landscape = 0;
  for (int y = 360; y < kCaptionTop; y++)
    for (int x = 0; x < 640; x++) {
      const int colour = getpixel(sky.get(), x, y);
      landscape += !near_colour(before.at(x, y), getr(colour), getg(colour), getb(colour));
    }
  EXPECT_GT(landscape, 640 * (kCaptionTop - 360) * 9 / 10);

  showcase->hold_key("Left", 0.6);
  Screenshot after = showcase->screenshot();
  int changed = 0;
  for (int y = 24; y < kCaptionTop; y++)
    for (int x = 0; x < 640; x++) changed += !near_colour(after.at(x, y), before.at(x, y)[0], before.at(x, y)[1], before.at(x, y)[2], 0);
  EXPECT_GT(changed, 5000) << "turning left did not change the view";
}

TEST_F(Showcase, CollisionIsMarkedOnceTheSteeredShipTouchesTheAsteroid) {
  auto showcase = start();
  pause(2.5);  // unpaced, the first frames would carry the ship past the asteroid at once
  next_scene(*showcase, 2);
  Screenshot shot = showcase->screenshot();
  ASSERT_FALSE(shot.empty());
  EXPECT_EQ(green_marker_pixels(shot), 0) << "a hit marked while the sprites are apart";
  EXPECT_TRUE(status_line_starts_with(shot, "collisione = 0"));
  bool marked = false;
  for (int step = 0; step < 20 && !marked; step++) {
    showcase->hold_key("Right", 0.3);
    pause(0.1);
    shot = showcase->screenshot();
    marked = green_marker_pixels(shot) > 60;
  }
  EXPECT_TRUE(marked) << "no collision marker after steering right into the asteroid";
  EXPECT_TRUE(status_line_starts_with(shot, "collisione = 1: first shared pixel at ("));
}

// A home whose ALSA default device is a file, with Allegro's mixer at real-time pace.
struct SoundSinkHome {
  SoundSinkHome() {
    char dir[] = "/tmp/zephyrun-showcase-home-XXXXXX";
    path = mkdtemp(dir);
    capture = path + "/out.raw";
    std::ofstream(path + "/.asoundrc")
        << "pcm.!default { type file; slave.pcm \"null\"; file \"" << capture << "\"; format \"raw\" }\n";
    std::ofstream(path + "/.allegrorc") << "[sound]\nalsa_fragsize = 441\n";
  }
  ~SoundSinkHome() { std::filesystem::remove_all(path); }
  std::string path, capture;
};

TEST_F(Showcase, MusicScenePlaysTheSongNamedOnTheCommandLine) {
  SoundSinkHome home;
  auto showcase = start({{mp3_fixture("minute.mp3")}, {{"HOME", home.path}}});
  next_scene(*showcase, 3);
  pause(1.5);
  Screenshot shot = showcase->screenshot();
  ASSERT_FALSE(shot.empty());
  EXPECT_TRUE(status_line_starts_with(shot, "minute.mp3: playing, poll 0, 0:0"))
      << showcase->output();
  EXPECT_FALSE(status_line_starts_with(shot, "minute.mp3: playing, poll 0, 0:00"))
      << "the elapsed time does not run";
  EXPECT_GT(std::filesystem::file_size(home.capture), 44100u * 4 / 2) << "the sound device got under 0.5 s";
  quit_with_escape(*showcase);
}

TEST_F(Showcase, WithoutPlayableMusicTheCaptionSaysWhyAndTheScenesRunOn) {
  // A home whose ALSA default device cannot be opened: no sound device at all.
  SoundSinkHome silent_home;
  std::ofstream(silent_home.path + "/.asoundrc") << "pcm.!default { type hw; card 97 }\n";
  const struct { const char *what; std::vector<std::string> arguments; const char *status; } cases[] = {
      {"no argument", {}, "no music: start it as  zephyrun-showcase song.mp3"},
      {"a file that is not there", {"/nonexistent/song.mp3"},
       "cannot open \"song.mp3\" as an MP3 file: going on without music"},
      {"no sound device", {mp3_fixture("short.mp3")},
       "no sound device for \"short.mp3\": going on without music"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    auto showcase = start({c.arguments, {{"HOME", silent_home.path}}});
    next_scene(*showcase, 3);
    Screenshot shot = showcase->screenshot();
    ASSERT_FALSE(shot.empty());
    EXPECT_TRUE(status_line_starts_with(shot, c.status)) << showcase->output();
    next_scene(*showcase, 2);  // round to the transitions, which still answer
    EXPECT_GT(share_showing(showcase->screenshot(), title.get()), 0.97);
    quit_with_escape(*showcase);
    if (!c.arguments.empty()) {
      EXPECT_NE(showcase->output().find(std::string("zephyrun-showcase: ") + c.status), std::string::npos)
          << showcase->output();
    }
  }
}

TEST_F(Showcase, WithoutTheGameFilesOrWithStrayArgumentsItStopsAndSaysWhy) {
  char empty[] = "/tmp/zephyrun-showcase-empty-XXXXXX";
  ASSERT_NE(mkdtemp(empty), nullptr);
  {
    GameProcess showcase(showcase_path(), empty, LaunchOptions{{}, {}, false, "zephyrun-showcase"});
    EXPECT_EQ(showcase.wait_exit(10), 1);
    EXPECT_EQ(showcase.output().find("zephyrun-showcase: cannot load \"cor.dat\""), 0u) << showcase.output();
  }
  std::filesystem::remove_all(empty);
  GameProcess showcase(showcase_path(), built_asset_directory(),
                       LaunchOptions{{"one.mp3", "two.mp3"}, {}, false, "zephyrun-showcase"});
  EXPECT_EQ(showcase.wait_exit(10), 1);
  EXPECT_EQ(showcase.output(), "usage: zephyrun-showcase [song.mp3]\n");
}

// Black around the quad, the flying scene on it; the other scenes show flat.
TEST_F(Showcase, OpenGLSceneTurnsTheFlyingSceneOnAQuad) {
  auto showcase = start();
  next_scene(*showcase, 4);
  switch_to_opengl(*showcase);
  Screenshot first = showcase->screenshot();
  ASSERT_EQ(first.width, 640) << showcase->output();
  auto black = [](const unsigned char *p) { return p[0] < 8 && p[1] < 8 && p[2] < 8; };
  EXPECT_TRUE(black(first.at(3, 3)) && black(first.at(636, 3)) && black(first.at(3, 476)) &&
              black(first.at(636, 476)));
  // Turning, the quad shows narrower and wider: its width across the middle row varies.
  int narrowest = 640, widest = 0;
  for (int shot = 0; shot < 6; shot++, pause(0.25)) {
    Screenshot now = showcase->screenshot();
    ASSERT_EQ(now.width, 640);
    int width = 0;
    for (int x = 0; x < 640; x++) width += !black(now.at(x, 240));
    narrowest = std::min(narrowest, width), widest = std::max(widest, width);
  }
  EXPECT_GT(widest, 100) << "no quad in the window";
  EXPECT_GT(widest - narrowest, 20) << "the quad does not turn";

  next_scene(*showcase);
  pause(0.5);
  EXPECT_GT(share_showing(showcase->screenshot(), title.get(), 24), 0.9)
      << "the transitions scene is not shown whole through OpenGL";
  quit_with_escape(*showcase);
}

// An X server of the test's own, with no GLX: the OpenGL mode cannot be set.
struct ServerWithoutGlx {
  ServerWithoutGlx() {
    int number = 150;
    while (std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock")) number++;
    const std::string name = ":" + std::to_string(number);
    pid = fork();
    if (pid == 0) {
      execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             "-noreset", "-extension", "GLX", static_cast<char *>(nullptr));
      _exit(127);
    }
    for (int tries = 0; tries < 100 && display.empty(); tries++, pause(0.05))
      if (run_command("DISPLAY=" + name + " xdotool getdisplaygeometry >/dev/null 2>&1")) display = name;
  }
  ~ServerWithoutGlx() {
    if (pid > 0) kill(pid, SIGTERM), waitpid(pid, nullptr, 0);
  }
  pid_t pid = -1;
  std::string display;
};

TEST_F(Showcase, WithoutOpenGLTheCaptionSaysSoAndSoftwareGoesOn) {
  ServerWithoutGlx server;
  ASSERT_FALSE(server.display.empty()) << "could not start an X server without GLX";
  setenv("DISPLAY", server.display.c_str(), 1);  // for the showcase and for xdotool and xwd
  auto showcase = start();
  next_scene(*showcase, 4);
  switch_to_opengl(*showcase);
  ASSERT_TRUE(showcase->running()) << showcase->output();
  Screenshot shot = showcase->screenshot();
  ASSERT_FALSE(shot.empty());
  EXPECT_TRUE(status_line_starts_with(shot, "no OpenGL mode here (")) << showcase->output();
  next_scene(*showcase);
  EXPECT_GT(share_showing(showcase->screenshot(), title.get()), 0.97);
  quit_with_escape(*showcase);
}

}  // namespace
