// The built game end to end: driven by real keys in a window of the suite's X
// server, and stopped at start-up by damaged files or no display.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "game_process.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// The resting ship is drawn 275 x 299 at (x + 26, 153), x being its base
// rectangle's left edge: 150 at rest, moved in steps of 12 within -30 ... 354.
constexpr int kShipWidth = 275;
constexpr int kShipHeight = 299;
constexpr int kShipTop = 153;
constexpr int kShipRestX = 150;
constexpr int kNoShip = -999;

// The ship's x where the screen shows one of its upright pictures: more than
// 90 % of that picture's opaque pixels (every third) in its colours.
int ship_x(const Screenshot &shot, const std::vector<BitmapPtr> &ships) {
  for (int x = -30; x <= 354; x += 12)
    for (const BitmapPtr &ship : ships) {
      int compared = 0;
      int matching = 0;
      for (int py = 0; py < kShipHeight; py += 3)
        for (int px = std::max(0, -x - 26); px < std::min(kShipWidth, 614 - x); px += 3) {
          const int colour = getpixel(ship.get(), px, py);
          if (colour == makecol(255, 0, 255)) continue;
          compared++;
          const unsigned char *shown = shot.at(x + 26 + px, kShipTop + py);
          matching += near_colour(shown, getr(colour), getg(colour), getb(colour), 12);
        }
      if (matching > 0.9 * compared) return x;
    }
  return kNoShip;
}

// The five frames of the built assets, drawn at the resting size.
std::vector<BitmapPtr> resting_ships() {
  start_headless_allegro(24);
  std::vector<BitmapPtr> ships;
  DATAFILE *animation = load_datafile((built_asset_directory() + "/cor.dat").c_str());
  if (!animation) return ships;
  for (int frame = 0; frame <= 12; frame += 3) {
    ships.push_back(make_filled_bitmap(kShipWidth, kShipHeight, makecol(255, 0, 255)));
    stretch_sprite(ships.back().get(), static_cast<BITMAP *>(animation[frame].dat), 0, 0,
                   kShipWidth, kShipHeight);
  }
  unload_datafile(animation);
  return ships;
}

TEST(Game, FlyingSceneShowsTheShipAndAnswersArrowsAndEscape) {
  const std::vector<BitmapPtr> ships = resting_ships();
  ASSERT_FALSE(ships.empty()) << "the built assets are missing";
  GameProcess game(built_game_path(), built_asset_directory());
  ASSERT_FALSE(game.window().empty()) << game.output();
  const auto ship_at_rest = [&](const Screenshot &s) { return ship_x(s, ships) == kShipRestX; };
  ASSERT_TRUE(game.shows_within(60, ship_at_rest)) << "no resting ship past the title";

  // Held until the ship has left its place, so however slowly frames come it moves.
  game.key("keydown", "Left");
  EXPECT_TRUE(game.shows_within(20, [&](const Screenshot &s) { return !ship_at_rest(s); }));
  game.key("keyup", "Left");
  int moved_x = kNoShip;
  EXPECT_TRUE(game.shows_within(20, [&](const Screenshot &s) {
    moved_x = ship_x(s, ships);
    return moved_x != kNoShip && moved_x <= kShipRestX - 12;
  })) << "holding Left did not move the ship; last seen at " << moved_x;

  game.key("keydown", "Escape");
  EXPECT_EQ(game.wait_exit(20), 0) << game.output();
}

// What a window manager sends when its close button is clicked ends the game as
// Escape does, from its first frames or in flight: quietly, within a second.
TEST(Game, CloseButtonEndsItLikeEscapeWithStatusZeroAndNothingSaid) {
  const std::vector<BitmapPtr> ships = resting_ships();
  ASSERT_FALSE(ships.empty()) << "the built assets are missing";
  for (const bool in_flight : {false, true}) {
    GameProcess game(built_game_path(), built_asset_directory());
    ASSERT_FALSE(game.window().empty()) << game.output();
    if (in_flight) {
      ASSERT_TRUE(game.shows_within(60, [&](const Screenshot &s) {
        return ship_x(s, ships) == kShipRestX;
      })) << "no resting ship past the title";
    }
    ASSERT_TRUE(game.click_close_button()) << "the window does not take WM_DELETE_WINDOW";
    EXPECT_EQ(game.wait_exit(1), 0) << (in_flight ? "in flight" : "at once");
    EXPECT_EQ(game.output(), "");
  }
}

// Damaged copies of the asset files, each made in a fresh copy of the five.
void cut_in_half(const std::string &path) {
  std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
}
// Object 6's type made "DATA": the seventh "BMP " in the file is its type.
void object_6_not_a_bitmap(const std::string &path) {
  std::stringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  std::string datafile = bytes.str();
  size_t at = datafile.find("BMP ");
  for (int object = 0; object < 6; object++) at = datafile.find("BMP ", at + 4);
  std::ofstream(path, std::ios::binary) << datafile.replace(at, 4, "DATA");
}
void three_objects(const std::string &path) {
  BitmapPtr frame = make_pattern_bitmap(24, 16);
  ASSERT_TRUE(write_datafile(path.c_str(), std::vector<DatafileBitmap>(3, {"", frame.get()})));
}
void picture_16_by_16(const std::string &path) {
  BitmapPtr picture = make_pattern_bitmap(16, 16);
  ASSERT_EQ(save_bitmap(path.c_str(), picture.get(), nullptr), 0);
}

TEST(Game, EachMissingOrDamagedAssetStopsTheGameSayingWhatIsWrong) {
  start_headless_allegro(15);  // to draw the misshapen pictures
  const struct {
    const char *file;
    std::function<void(const std::string &)> damage;
    const char *said;
  } cases[] = {
      {"cor.dat", [](auto path) { std::remove(path.c_str()); }, "looked for it in the working"},
      {"cor.dat", cut_in_half, "cut short"},
      {"cor.dat", [](auto path) { std::ofstream(path) << std::string(500, 'x'); },
       "not an Allegro"},
      {"cor.dat", three_objects, "3 objects where 16 are needed"},
      {"cor.dat", object_6_not_a_bitmap, "object 6 is not a bitmap"},
      {"cielo.bmp", cut_in_half, "cut short"},
      {"cielo.bmp", picture_16_by_16, "16x16 where 640x480"},
      {"terreno.tga", picture_16_by_16, "16x16 where at least 1280x200"},
      {"asteroide.tga", [](auto path) { std::ofstream{path}; }, "empty"},
  };
  for (const auto &damaged : cases) {
    char dir_template[] = "/tmp/zephyrun-damaged-XXXXXX";
    const std::string dir = mkdtemp(dir_template);
    ASSERT_TRUE(run_command("cp " + built_asset_directory() + "/* " + dir));
    damaged.damage(dir + "/" + damaged.file);

    GameProcess game(built_game_path(), dir);
    EXPECT_EQ(game.wait_exit(20), 1) << damaged.file << ": " << damaged.said;
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
