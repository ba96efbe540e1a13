// The window on screens of today's sizes: magnified, fullscreen with and
// without a window manager, and resting in the background. Each suite runs
// under an X server of its own whose screen (and window manager) its name
// gives (tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "game_process.h"
#include "game_screen.h"
#include "test_support.h"

using namespace testing_support;

namespace {

LaunchOptions scale(const char *value) { return {{"--scale", value}, {}, false, "zephyrun"}; }

// "WIDTHxHEIGHT+X+Y" of the root window, or of the window with this id, where
// it lies on the screen.
std::string geometry_of(const std::string &window) {
  std::string geometry;
  run_command("xwininfo " + (window.empty() ? "-root" : "-id " + window) +
                  " | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } /upper-left X:/ { x = $4 }"
                  " /upper-left Y:/ { y = $4 } END { print w \"x\" h \"+\" x \"+\" y }'",
              &geometry);
  return geometry.substr(0, geometry.size() - 1);
}

// "" once the game's window is `wanted`, "WxH" or "WxH+X+Y", within 10 s; else
// what it is then.
std::string window_becomes(GameProcess &game, const std::string &wanted) {
  std::string now;
  poll_until(10, [&] {
    now = geometry_of(game.window());
    if (wanted.find('+') == std::string::npos) now = now.substr(0, now.find('+'));
    return now == wanted;
  });
  return now == wanted ? "" : "the window is " + now + (now.empty() ? game.output() : "");
}

// The frame in 2x2 blocks at (left, top) of the shot, each block's top-left
// pixel; empty when a block holds two colours or a pixel around it is not black.
Screenshot frame_of_sharp_blocks(const Screenshot &shot, int left, int top) {
  Screenshot frame{640, 480, {}};
  for (int y = 0; y < shot.height; y++)
    for (int x = 0; x < shot.width; x++) {
      const unsigned char *p = shot.at(x, y);
      const int fx = x - left, fy = y - top;
      if (fx < 0 || fy < 0 || fx >= 1280 || fy >= 960) {
        if (!near_colour(p, 0, 0, 0, 0)) return {};
      } else if (fx % 2 == 0 && fy % 2 == 0) {
        for (const unsigned char *q : {shot.at(x + 1, y), shot.at(x, y + 1), shot.at(x + 1, y + 1)})
          if (!near_colour(q, p[0], p[1], p[2], 0)) return {};
        frame.rgb.insert(frame.rgb.end(), p, p + 3);
      }
    }
  return frame.rgb.size() == 3u * 640 * 480 ? frame : Screenshot{};
}

// Waits for the window, width x height, to show the flying frame with its
// counter in sharp 2x2 blocks at (left, top), black around it.
void expect_flying_frame_in_blocks(GameProcess &game, int width, int height, int left, int top) {
  start_headless_allegro(24);
  const Screenshot sky = built_picture("cielo.bmp");
  ASSERT_FALSE(sky.empty()) << "the built assets are missing";
  // Sky above the asteroid's band, ground below the ship's wings.
  Screenshot frame;
  EXPECT_TRUE(game.shows_within(60,
                                [&](const Screenshot &shot) {
                                  frame = shot.width == width && shot.height == height
                                              ? frame_of_sharp_blocks(shot, left, top)
                                              : Screenshot{};
                                  return !frame.empty() && share_alike(frame, sky, 24, 100) > 0.9 &&
                                         share_alike(frame, sky, 440, 480) < 0.1 &&
                                         counter_shown(frame) >= 0;
                                }))
      << (frame.empty() ? "not the window's size, a block of two colours or colour around it"
                        : "no flying frame with its counter");
}

TEST(OnA1600x1200Screen, ScaleTwoShowsTheFlyingFrameInSharpTwoByTwoBlocks) {
  ASSERT_EQ(geometry_of(""), "1600x1200+0+0") << "wired to the wrong X server";
  GameProcess game(built_game_path(), built_asset_directory(), scale("2"));
  EXPECT_EQ(window_becomes(game, "1280x960"), "");
  expect_flying_frame_in_blocks(game, 1280, 960, 0, 0);
  EXPECT_EQ(game.ends_on_escape(), 0) << game.output();
}

TEST(OnA1024x768Screen, AutoScaleOpensA640x480Window) {
  ASSERT_EQ(geometry_of(""), "1024x768+0+0") << "wired to the wrong X server";
  GameProcess game(built_game_path(), built_asset_directory(), scale("auto"));
  EXPECT_EQ(window_becomes(game, "640x480"), "");
  EXPECT_EQ(game.ends_on_escape(), 0) << game.output();
}

// Without a window manager fullscreen is still the desktop's size, the frame
// centred; F11 again gives back the window at the scale it had.
TEST(OnA1920x1080Screen, AutoScaleOpensA1280x960WindowAndF11TheDesktopsSizeAndBack) {
  ASSERT_EQ(geometry_of(""), "1920x1080+0+0") << "wired to the wrong X server";
  GameProcess game(built_game_path(), built_asset_directory(), scale("auto"));
  ASSERT_EQ(window_becomes(game, "1280x960"), "");
  game.key("key", "F11");
  EXPECT_EQ(window_becomes(game, "1920x1080"), "");
  expect_flying_frame_in_blocks(game, 1920, 1080, 320, 60);
  game.key("key", "F11");
  EXPECT_EQ(window_becomes(game, "1280x960"), "") << "back at the scale it had";
  EXPECT_EQ(game.ends_on_escape(), 0) << game.output();
}

// Fullscreen through the window manager's state: the desktop's size at its
// corner, the frame at the largest whole scale that fits, centred on black;
// F11 brings back the window at the scale it had, Alt+Enter fullscreen again,
// and the last choice is kept in the settings file.
TEST(WithOpenboxOnA1920x1080Screen, FullscreenCoversTheDesktopAndF11BringsTheWindowBack) {
  ASSERT_EQ(geometry_of(""), "1920x1080+0+0") << "wired to the wrong X server";
  GameProcess game(built_game_path(), built_asset_directory(),
                   {{"--fullscreen"}, {}, false, "zephyrun"});
  EXPECT_EQ(window_becomes(game, "1920x1080+0+0"), "");
  expect_flying_frame_in_blocks(game, 1920, 1080, 320, 60);
  game.key("key", "F11");
  EXPECT_EQ(window_becomes(game, "640x480"), "");
  game.key("key", "alt+Return");
  EXPECT_EQ(window_becomes(game, "1920x1080+0+0"), "") << "after Alt+Enter";
  EXPECT_EQ(game.ends_on_escape(), 0) << game.output();
  EXPECT_NE(game.settings().find("fullscreen = 1"), std::string::npos) << game.settings();
}

// While another window has the keyboard the game draws nothing and sleeps;
// with the keyboard back it counts at its pace at once and steers again.
TEST(WithOpenboxOnA1920x1080Screen, InTheBackgroundItRestsAndComesBackAtItsPace) {
  start_headless_allegro(24);
  const std::vector<BitmapPtr> ships = resting_ship_pictures();
  ASSERT_FALSE(ships.empty()) << "the built assets are missing";
  GameProcess game(built_game_path(), built_asset_directory());
  ASSERT_EQ(window_becomes(game, "640x480"), "");
  const auto at_pace = [](const Screenshot &shot) {
    const int counted = counter_shown(shot);
    return counted >= 28 && counted <= 32;
  };
  ASSERT_TRUE(game.shows_within(
      60,
      [&](const Screenshot &shot) { return at_pace(shot) && ship_x(shot, ships) == ship_rest_x; }))
      << "never at pace with the ship at rest\n"
      << game.output();

  GameProcess other("/usr/bin/xmessage", "/tmp", {{"other window"}, {}, false, "xmessage"});
  ASSERT_TRUE(run_command("xdotool windowfocus --sync " + other.window()));
  Screenshot resting;
  ASSERT_TRUE(game.shows_within(5, shows_resting_line, &resting)) << "no resting line";
  const double cpu_seconds = game.cpu_seconds();
  sleep(10);
  EXPECT_LT(game.cpu_seconds() - cpu_seconds, 0.05) << "over 10 s in the background";
  EXPECT_TRUE(game.shows_within(0, [&](const Screenshot &now) { return now.rgb == resting.rgb; }))
      << "the frame changed while resting";

  ASSERT_TRUE(run_command("xdotool windowfocus --sync " + game.window()));
  // No count off the pace over the 5 s after: the first window after the rest is a whole one.
  EXPECT_FALSE(game.shows_within(5, [&](const Screenshot &shot) {
    return !shows_resting_line(shot) && !at_pace(shot);
  })) << "off its pace after the rest";
  game.key("keydown", "Left");
  EXPECT_TRUE(game.shows_within(5, [&](const Screenshot &shot) {
    const int x = ship_x(shot, ships);
    return x != no_ship && x < ship_rest_x;
  })) << "the ship does not answer Left";
  EXPECT_EQ(game.ends_on_escape(), 0) << game.output();
}

}  // namespace
