// The built game end to end: driven by real keys in a window of the suite's X
// server, and stopped at start-up by damaged files or no display.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "game_process.h"
#include "game_screen.h"
#include "picture_files.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// What a window manager sends when its close button is clicked ends the game as
// Escape does, quietly and within a second; here in flight, and at once below.
TEST(Game, FlyingSceneShowsTheShipAndAnswersArrowsAndTheCloseButton) {
  start_headless_allegro(24);
  const std::vector<BitmapPtr> ships = resting_ship_pictures();
  ASSERT_FALSE(ships.empty()) << "the built assets are missing";
  GameProcess game(built_game_path(), built_asset_directory());
  ASSERT_FALSE(game.window().empty()) << game.output();
  const auto ship_at_rest = [&](const Screenshot &s) { return ship_x(s, ships) == ship_rest_x; };
  ASSERT_TRUE(game.shows_within(60, ship_at_rest)) << "no resting ship past the title";

  // Held until the ship has left its place, so however slowly frames come it moves.
  game.key("keydown", "Left");
  EXPECT_TRUE(game.shows_within(20, [&](const Screenshot &s) { return !ship_at_rest(s); }));
  game.key("keyup", "Left");
  int moved_x = no_ship;
  EXPECT_TRUE(game.shows_within(20,
                                [&](const Screenshot &s) {
                                  moved_x = ship_x(s, ships);
                                  return moved_x != no_ship && moved_x <= ship_rest_x - 12;
                                }))
      << "holding Left did not move the ship; last seen at " << moved_x;

  ASSERT_TRUE(game.click_close_button()) << "the window does not take WM_DELETE_WINDOW";
  EXPECT_EQ(game.wait_exit(5), 0) << "in flight";
  EXPECT_EQ(game.output(), "");
}

TEST(Game, CloseButtonEndsItFromItsFirstFrames) {
  GameProcess game(built_game_path(), built_asset_directory());
  ASSERT_FALSE(game.window().empty()) << game.output();
  ASSERT_TRUE(game.click_close_button()) << "the window does not take WM_DELETE_WINDOW";
  EXPECT_EQ(game.wait_exit(5), 0) << "at once";
  EXPECT_EQ(game.output(), "");
}

// The most a program may hold while it refuses a picture from its header:
// what it holds at start-up (some 15 MB, 30 under AddressSanitizer) and no pixels.
constexpr long most_kilobytes_refusing = 100 * 1024;

// Damaged copies of the asset files, each made in a fresh copy of the five.
void cut_in_half(const std::string &path) {
  std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
}

// Both programs that load the assets, each run in `dir`: each stops with
// status 1 and one line "<program>: cannot load "<file>": <...said...>".
// A picture refused from its header is also refused at once, without its pixels.
void expect_both_refuse(const std::string &dir, const std::string &file, const std::string &said,
                        bool from_header = false) {
  for (const std::string program : {"zephyrun", "zephyrun-showcase"}) {
    const auto started = std::chrono::steady_clock::now();
    GameProcess run(ZEPHYRUN_BINARY_DIR "/" + program, dir);
    EXPECT_EQ(run.wait_exit(20), 1) << program << ", " << file << ": " << said;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    const std::string output = run.output();
    EXPECT_NE(output.find(program + ": cannot load \"" + file + "\": "), std::string::npos)
        << output;
    EXPECT_NE(output.find(said), std::string::npos) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << "one line: " << output;
    if (!from_header) continue;
    EXPECT_LT(took.count(), 2.0) << output;
    EXPECT_LT(run.peak_kilobytes(), most_kilobytes_refusing) << output;
  }
}

// What each damage is called is held in-process (tests/assets); here that both
// programs stop on a missing file, a damaged datafile and a damaged picture (and
// on a picture's size, below).
TEST(Game, EachMissingOrDamagedAssetStopsBothProgramsSayingWhatIsWrong) {
  const struct {
    const char *file;
    std::function<void(const std::string &)> damage;
    const char *said;
  } cases[] = {
      {"cor.dat", [](auto path) { std::remove(path.c_str()); }, "looked for it in the working"},
      {"cor.dat", cut_in_half, "cut short"},
      {"cielo.bmp", cut_in_half, "cut short"},
  };
  for (const auto &damaged : cases) {
    const std::string dir = asset_copy_with({});
    damaged.damage(dir + "/" + damaged.file);
    expect_both_refuse(dir, damaged.file, damaged.said);
    std::filesystem::remove_all(dir);
  }
}

// Each picture file, plain and run-length coded, claiming a size that
// overflows the library's int arithmetic and a huge one: sizes that must not
// reach the library. The sizes at and past each limit are held in-process.
TEST(Game, OversizedPicturesStopBothProgramsFromTheirHeadersAlone) {
  start_headless_allegro(15);
  for (const std::string file : {"cielo.bmp", "present.bmp", "terreno.tga", "asteroide.tga"}) {
    const bool tga = file.find(".tga") != std::string::npos;  // 16-bit sizes
    const int64_t sizes[][2] = {{tga ? 65535 : 65537, tga ? 65535 : 65536}, {30000, 30000}};
    for (const auto &[width, height] : sizes)
      for (const bool run_length : {false, true}) {
        // Each coding follows its plain one.
        const auto coding = static_cast<PictureCoding>(2 * tga + run_length);
        Bytes bytes = encode_picture(make_pattern_bitmap(2, 2).get(), coding);
        set_header_size(bytes, coding, width, height);
        const std::string dir = asset_copy_with({{file, bytes}});
        expect_both_refuse(dir, file,
                           std::to_string(width) + "x" + std::to_string(height) + " where ", true);
        std::filesystem::remove_all(dir);
      }
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
