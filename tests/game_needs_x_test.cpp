// The built game end to end, in a window of the suite's X server: what the
// player sees after the title, the counter, Escape, and missing files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "game_process.h"
#include "test_support.h"

using namespace testing_support;

namespace {

bool near_colour(const unsigned char *shown, int colour, int depth) {
  return std::abs(shown[0] - getr_depth(depth, colour)) <= 8 &&
         std::abs(shown[1] - getg_depth(depth, colour)) <= 8 &&
         std::abs(shown[2] - getb_depth(depth, colour)) <= 8;
}

class Game : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_reachable()) << "these tests need an X server on $DISPLAY";
    start_headless_allegro(24);
  }
  // Share of pixels in rows [top, bottom) that show the sky picture's colour.
  static double sky_share(const Screenshot &shot, BITMAP *sky, int top, int bottom) {
    int matching = 0;
    for (int y = top; y < bottom; y++)
      for (int x = 0; x < 640; x++) matching += near_colour(shot.at(x, y), getpixel(sky, x, y), 24);
    return matching / (640.0 * (bottom - top));
  }
};

TEST_F(Game, FlyingFrameShowsSkyAboveGroundBelowAndTheCounter) {
  GameProcess game(built_game_path(), built_asset_directory());
  ASSERT_FALSE(game.window().empty()) << game.output();
  std::this_thread::sleep_for(std::chrono::seconds(5));  // past the title fade
  Screenshot shot = game.screenshot();
  ASSERT_FALSE(shot.empty());
  ASSERT_EQ(shot.width, 640);
  ASSERT_EQ(shot.height, 480);

  BITMAP *sky = load_bitmap((built_asset_directory() + "/cielo.bmp").c_str(), nullptr);
  ASSERT_NE(sky, nullptr);
  // Nothing but the sky ever reaches the ten top rows.
  EXPECT_EQ(sky_share(shot, sky, 0, 10), 1.0);
  // The asteroid covers part of the upper half at most; the ground none of it.
  EXPECT_GT(sky_share(shot, sky, 20, 300), 0.5);
  // The ground's far edge bobs between rows 320 and 339: below that, ground.
  EXPECT_LT(sky_share(shot, sky, 400, 480), 0.05);

  // "FPS: " in white, top-left corner at (10, 10).
  BITMAP *label = create_bitmap(40, 8);
  clear_to_color(label, makecol(0, 0, 0));
  textout_ex(label, font, "FPS: ", 0, 0, makecol(255, 255, 255), -1);
  int white_glyph_pixels = 0;
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < 40; x++)
      if (getpixel(label, x, y) == makecol(255, 255, 255)) {
        white_glyph_pixels++;
        const unsigned char *p = shot.at(10 + x, 10 + y);
        EXPECT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255) << "glyph pixel " << x << "," << y;
      }
  EXPECT_GT(white_glyph_pixels, 40);
  destroy_bitmap(label);
  destroy_bitmap(sky);

  game.key_down("Escape");
  auto pressed = std::chrono::steady_clock::now();
  int status = game.wait_exit(2.0);
  game.key_up("Escape");
  double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count();
  EXPECT_EQ(status, 0) << game.output();
  EXPECT_LT(took, 2.0);
}

TEST_F(Game, EachMissingAssetStopsTheGameNamingTheFile) {
  const char *files[] = {"cor.dat", "terreno.tga", "cielo.bmp", "asteroide.tga", "present.bmp"};
  for (const char *missing : files) {
    char dir_template[] = "/tmp/zephyrun-missing-XXXXXX";
    std::string dir = mkdtemp(dir_template);
    for (const char *file : files) {
      if (std::string(file) == missing) continue;
      std::string from = built_asset_directory() + "/" + file, to = dir + "/" + file;
      ASSERT_EQ(symlink(from.c_str(), to.c_str()), 0);
    }

    GameProcess game(built_game_path(), dir);
    EXPECT_EQ(game.wait_exit(10), 1) << missing;
    std::string said = game.output();
    EXPECT_NE(said.find(std::string("\"") + missing + "\""), std::string::npos) << said;
    EXPECT_NE(said.find("working directory"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << "one line: " << said;
    run_command("rm -rf " + dir);
  }
}

TEST(GameWithoutDisplay, FailsWithOneLineAndStatusOne) {
  GameProcess game(built_game_path(), built_asset_directory(), /*unset_display=*/true);
  EXPECT_EQ(game.wait_exit(10), 1);
  std::string said = game.output();
  EXPECT_EQ(said.rfind("zephyrun: ", 0), 0u) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}

}  // namespace
