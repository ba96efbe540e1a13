// The magnified window on screens of today's sizes. Each suite runs under an
// X server of its own whose screen its name gives (tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <string>

#include "game_process.h"
#include "test_support.h"

using namespace testing_support;

namespace {

LaunchOptions scale(const char *value) { return {{"--scale", value}, {}, false, "zephyrun"}; }

// "WIDTHxHEIGHT" of the root window, or of the window with this id.
std::string size_of(const std::string &window) {
  std::string size;
  run_command("xwininfo " + (window.empty() ? "-root" : "-id " + window) +
                  " | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w \"x\" h }'",
              &size);
  return size.substr(0, size.size() - 1);
}

// The top-left pixel of every 2x2 block; empty when a block holds two colours.
Screenshot frame_of_sharp_blocks(const Screenshot &shot) {
  Screenshot frame{shot.width / 2, shot.height / 2, {}};
  for (int y = 0; y < shot.height; y += 2)
    for (int x = 0; x < shot.width; x += 2) {
      const unsigned char *p = shot.at(x, y);
      for (const unsigned char *q : {shot.at(x + 1, y), shot.at(x, y + 1), shot.at(x + 1, y + 1)})
        if (!near_colour(q, p[0], p[1], p[2], 0)) return {};
      frame.rgb.insert(frame.rgb.end(), p, p + 3);
    }
  return frame;
}

// The number the counter shows in the window sampled back to 640x480; -1 for none.
int counter_in(const std::string &window) {
  std::string number;
  run_command("xwd -silent -id " + window + " | convert xwd:- -sample '640x480!' -depth 8 " +
                  "ppm:- | " ZEPHYRUN_BINARY_DIR "/read_game_counter",
              &number);
  return number.empty() ? -1 : std::stoi(number);
}

TEST(OnA1600x1200Screen, ScaleTwoShowsTheFlyingFrameInSharpTwoByTwoBlocks) {
  ASSERT_EQ(size_of(""), "1600x1200") << "wired to the wrong X server";
  const Screenshot sky = built_picture("cielo.bmp");
  ASSERT_FALSE(sky.empty()) << "the built assets are missing";
  GameProcess game(built_game_path(), built_asset_directory(), scale("2"));
  ASSERT_FALSE(game.window().empty()) << game.output();
  EXPECT_EQ(size_of(game.window()), "1280x960");
  // Sky above the asteroid's band, ground below the ship's wings.
  Screenshot frame;
  EXPECT_TRUE(game.shows_within(60, [&](const Screenshot &shot) {
    frame = frame_of_sharp_blocks(shot);
    return shot.width == 1280 && shot.height == 960 && !frame.empty() &&
           share_alike(frame, sky, 24, 100) > 0.9 && share_alike(frame, sky, 440, 480) < 0.1;
  })) << (frame.empty() ? "a 2x2 block of two colours" : "no flying frame");
  EXPECT_GE(counter_in(game.window()), 0) << "no readable counter";
  EXPECT_EQ(game.ends_on_escape(), 0) << game.output();
}

void expect_auto_window(const std::string &screen, const std::string &window) {
  ASSERT_EQ(size_of(""), screen) << "wired to the wrong X server";
  GameProcess game(built_game_path(), built_asset_directory(), scale("auto"));
  ASSERT_FALSE(game.window().empty()) << game.output();
  EXPECT_EQ(size_of(game.window()), window);
  EXPECT_EQ(game.ends_on_escape(), 0) << game.output();
}

TEST(OnA1920x1080Screen, AutoScaleOpensA1280x960Window) {
  expect_auto_window("1920x1080", "1280x960");
}

TEST(OnA1024x768Screen, AutoScaleOpensA640x480Window) { expect_auto_window("1024x768", "640x480"); }

}  // namespace
