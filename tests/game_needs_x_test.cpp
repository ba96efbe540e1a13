// The built game end to end, in a window of the suite's X server: what the
// player sees after the title, the counter, Escape, and missing or damaged
// files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

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

// Damaged copies of the asset files, each made in a fresh copy of the five.
std::string read_file(const std::string &path) {
  std::string bytes;
  run_command("cat '" + path + "'", &bytes);
  return bytes;
}
void write_file(const std::string &path, const std::string &bytes) {
  FILE *file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}
// Keeps `kept` of the file: a share below 1, else a number of bytes.
void cut_to(const std::string &path, double kept) {
  const std::string bytes = read_file(path);
  write_file(path, bytes.substr(0, kept < 1 ? bytes.size() * kept : kept));
}
void picture_of_size(const std::string &path, int width, int height) {
  BitmapPtr picture = make_pattern_bitmap(width, height);
  ASSERT_EQ(save_bitmap(path.c_str(), picture.get(), nullptr), 0);
}
void datafile_of(const std::string &path, int objects) {
  BitmapPtr frame = make_pattern_bitmap(24, 16);
  const std::vector<DatafileBitmap> frames(objects, {"", frame.get()});
  ASSERT_TRUE(write_datafile(path.c_str(), frames));
}
// Object 6's type made "DATA": the seventh "BMP " in the file is its type.
void object_6_not_a_bitmap(const std::string &path) {
  std::string bytes = read_file(path);
  size_t at = bytes.find("BMP ");
  for (int object = 0; object < 6; object++) at = bytes.find("BMP ", at + 4);
  bytes.replace(at, 4, "DATA");
  write_file(path, bytes);
}

TEST_F(Game, EachMissingOrDamagedAssetStopsTheGameSayingWhatIsWrong) {
  const struct {
    const char *file;
    std::function<void(const std::string &)> damage;
    const char *said;
  } cases[] = {
      {"cor.dat", [](auto path) { std::remove(path.c_str()); }, "looked for it in the working"},
      {"cielo.bmp", [](auto path) { std::remove(path.c_str()); }, "looked for it in the working"},
      {"cor.dat", [](auto path) { cut_to(path, 12); }, "cut short"},
      {"cor.dat", [](auto path) { cut_to(path, 0.5); }, "cut short"},
      {"cor.dat", [](auto path) { write_file(path, std::string(500, 'x')); }, "not an Allegro"},
      {"cor.dat", [](auto path) { datafile_of(path, 3); }, "3 objects where 16 are needed"},
      {"cor.dat", object_6_not_a_bitmap, "object 6 is not a bitmap"},
      {"cielo.bmp", [](auto path) { cut_to(path, 0.5); }, "cut short"},
      {"cielo.bmp", [](auto path) { picture_of_size(path, 16, 16); }, "16x16 where 640x480"},
      {"present.bmp", [](auto path) { cut_to(path, 30); }, "cut short"},
      {"present.bmp", [](auto path) { write_file(path, "GIF89a..."); }, "not a BMP picture"},
      {"terreno.tga", [](auto path) { cut_to(path, 0.9); }, "cut short"},
      {"terreno.tga", [](auto path) { picture_of_size(path, 100, 50); }, "100x50 where at least"},
      {"asteroide.tga", [](auto path) { write_file(path, ""); }, "empty"},
  };
  for (const auto &damaged : cases) {
    char dir_template[] = "/tmp/zephyrun-damaged-XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    ASSERT_TRUE(run_command("cp " + built_asset_directory() + "/* " + dir));
    damaged.damage(dir + "/" + damaged.file);

    GameProcess game(built_game_path(), dir);
    EXPECT_EQ(game.wait_exit(10), 1) << damaged.file << ": " << damaged.said;
    const std::string said = game.output();
    EXPECT_NE(said.find("zephyrun: cannot load \"" + std::string(damaged.file) + "\": "),
              std::string::npos) << said;
    EXPECT_NE(said.find(damaged.said), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << "one line: " << said;
    run_command("rm -rf " + dir);
  }
}

TEST(GameWithoutDisplay, SaysWhichDisplayItTriedInOneLineWithStatusOne) {
  LaunchOptions unreachable;
  unreachable.environment = {{"DISPLAY", ":987"}};
  LaunchOptions unset;
  unset.unset_display = true;
  const std::pair<LaunchOptions, const char *> cases[] = {
      {unreachable, "zephyrun: no X display could be opened at DISPLAY=:987\n"},
      {unset, "zephyrun: no X display could be opened: DISPLAY is not set\n"}};
  for (const auto &[options, message] : cases) {
    GameProcess game(built_game_path(), built_asset_directory(), options);
    EXPECT_EQ(game.wait_exit(10), 1);
    EXPECT_EQ(game.output(), message);
  }
}

}  // namespace
