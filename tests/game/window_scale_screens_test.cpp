// The magnified window on screens of today's sizes. Each suite runs under an
// X server of its own whose screen its name gives (tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <string>

#include "game_process.h"
#include "test_support.h"

using namespace testing_support;

namespace {

std::string screen_size() {
  std::string size;
  run_command("xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } "
              "END { printf \"%sx%s\", w, h }'", &size);
  return size;
}

std::string window_size(const std::string &window) {
  std::string size;
  run_command("xwininfo -id " + window + " | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } "
              "END { printf \"%sx%s\", w, h }'", &size);
  return size;
}

// Every second pixel of every second row: the frame as it was drawn.
Screenshot every_second_pixel(const Screenshot &shot) {
  Screenshot sampled;
  sampled.width = shot.width / 2;
  sampled.height = shot.height / 2;
  for (int y = 0; y < sampled.height; y++)
    for (int x = 0; x < sampled.width; x++)
      sampled.rgb.insert(sampled.rgb.end(), shot.at(2 * x, 2 * y), shot.at(2 * x, 2 * y) + 3);
  return sampled;
}

// The share of pixels in rows top..bottom - 1 within a few steps of the sky picture.
double share_of_sky(const Screenshot &shot, BITMAP *sky, int top, int bottom) {
  int alike = 0;
  for (int y = top; y < bottom; y++)
    for (int x = 0; x < 640; x++) {
      const int colour = getpixel(sky, x, y);
      alike += near_colour(shot.at(x, y), getr(colour), getg(colour), getb(colour), 12);
    }
  return alike / (640.0 * (bottom - top));
}

// Every glyph pixel of "FPS:" white where the counter stands, at (10, 10).
bool counter_label_shows(const Screenshot &shot) {
  BitmapPtr glyphs = make_filled_bitmap(text_length(font, "FPS:"), text_height(font), 0);
  textout_ex(glyphs.get(), font, "FPS:", 0, 0, makecol(255, 255, 255), -1);
  for (int y = 0; y < glyphs->h; y++)
    for (int x = 0; x < glyphs->w; x++)
      if (getpixel(glyphs.get(), x, y) && !near_colour(shot.at(10 + x, 10 + y), 255, 255, 255, 0))
        return false;
  return true;
}

int blocks_of_two_colours(const Screenshot &shot) {
  int mixed = 0;
  for (int y = 0; y + 1 < shot.height; y += 2)
    for (int x = 0; x + 1 < shot.width; x += 2)
      for (const unsigned char *other :
           {shot.at(x + 1, y), shot.at(x, y + 1), shot.at(x + 1, y + 1)})
        if (!near_colour(other, shot.at(x, y)[0], shot.at(x, y)[1], shot.at(x, y)[2], 0)) {
          mixed++;
          break;
        }
  return mixed;
}

LaunchOptions with(const std::vector<std::string> &arguments,
                   const std::string &title = "zephyrun") {
  return {arguments, {}, false, title};
}

TEST(OnA1600x1200Screen, ScaleTwoShowsTheFlyingFrameInSharpTwoByTwoBlocks) {
  ASSERT_EQ(screen_size(), "1600x1200") << "wired to the wrong X server";
  start_headless_allegro(24);
  BitmapPtr sky(load_bitmap((built_asset_directory() + "/cielo.bmp").c_str(), nullptr));
  ASSERT_TRUE(sky) << "the built assets are missing";

  GameProcess game(built_game_path(), built_asset_directory(), with({"--scale", "2"}));
  ASSERT_FALSE(game.window().empty()) << game.output();
  EXPECT_EQ(window_size(game.window()), "1280x960");
  // Sky above the asteroid's band, ground below the ship's wings.
  const auto flying_with_counter = [&](const Screenshot &shot) {
    const Screenshot frame = every_second_pixel(shot);
    return share_of_sky(frame, sky.get(), 24, 100) > 0.9 &&
           share_of_sky(frame, sky.get(), 440, 480) < 0.1 && counter_label_shows(frame);
  };
  Screenshot shot;
  ASSERT_TRUE(game.shows_within(60, flying_with_counter, &shot)) << game.output();
  EXPECT_EQ(shot.width, 1280);
  EXPECT_EQ(shot.height, 960);
  EXPECT_EQ(blocks_of_two_colours(shot), 0);

  game.key("keydown", "Escape");
  EXPECT_EQ(game.wait_exit(20), 0) << game.output();
}

TEST(OnA1600x1200Screen, TheShowcaseAtScaleTwoOpensItsOpenGLModeAtThatSize) {
  ASSERT_EQ(screen_size(), "1600x1200") << "wired to the wrong X server";
  GameProcess showcase(ZEPHYRUN_BINARY_DIR "/zephyrun-showcase", built_asset_directory(),
                       with({"--scale", "2"}, "zephyrun-showcase"));
  ASSERT_FALSE(showcase.window().empty()) << showcase.output();
  EXPECT_EQ(window_size(showcase.window()), "1280x960");
  for (int scene = 2; scene <= 5; scene++) showcase.key("key", "Tab");
  showcase.key("key", "g");
  // On its turning, pulled-back quad the frame leaves the window's corners
  // black: OpenGL draws across the whole magnified window.
  const auto turning_quad = [](const Screenshot &shot) {
    return shot.width == 1280 && shot.height == 960 && near_colour(shot.at(2, 2), 0, 0, 0, 0) &&
           near_colour(shot.at(1277, 957), 0, 0, 0, 0) &&
           !near_colour(shot.at(640, 300), 0, 0, 0, 8);
  };
  EXPECT_TRUE(showcase.shows_within(60, turning_quad)) << showcase.output();
  showcase.key("keydown", "Escape");
  EXPECT_EQ(showcase.wait_exit(20), 0) << showcase.output();
}

// --scale auto: the largest whole scale within 90 % of the screen each way.
void expect_auto_window(const std::string &screen, const std::string &window) {
  ASSERT_EQ(screen_size(), screen) << "wired to the wrong X server";
  GameProcess game(built_game_path(), built_asset_directory(), with({"--scale", "auto"}));
  ASSERT_FALSE(game.window().empty()) << game.output();
  EXPECT_EQ(window_size(game.window()), window);
  game.key("keydown", "Escape");
  EXPECT_EQ(game.wait_exit(20), 0) << game.output();
}

TEST(OnA1920x1080Screen, AutoScaleOpensA1280x960Window) {
  expect_auto_window("1920x1080", "1280x960");
}

TEST(OnA1024x768Screen, AutoScaleOpensA640x480Window) { expect_auto_window("1024x768", "640x480"); }

}  // namespace
