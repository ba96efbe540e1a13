// The built game under the suite's X server, driven by real key events: the
// ship is found on screen by matching its own pictures from cor.dat, an arrow
// key held moves it, and the space bar makes a shot appear in front of it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "game_process.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// The resting ship is drawn 275 x 299 at (x + 26, 153), x being its base
// rectangle's left edge: 150 at rest, moved in steps of 12 within -30 ... 354.
constexpr int kShipW = 275, kShipH = 299, kShipTop = 153;

bool close_to(const unsigned char *p, int colour) {
  return std::abs(p[0] - getr(colour)) <= 12 && std::abs(p[1] - getg(colour)) <= 12 &&
         std::abs(p[2] - getb(colour)) <= 12;
}

// The ship's x where the screen shows one of its pictures best, once more than
// 90 % of that picture's opaque pixels (every third) show in its colours; -999
// if that never happens within `timeout_s`.
int find_ship(GameProcess &game, const std::vector<BitmapPtr> &ships, double timeout_s) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout_s);
  while (std::chrono::steady_clock::now() < until && game.running()) {
    const Screenshot shot = game.screenshot();
    for (int x = -30; x <= 354 && shot.width >= 640 && shot.height >= 480; x += 12)
      for (const BitmapPtr &ship : ships) {
        int compared = 0, matching = 0;
        for (int py = 0; py < kShipH; py += 3)
          for (int px = std::max(0, -x - 26); px < std::min(kShipW, 614 - x); px += 3)
            if (const int colour = getpixel(ship.get(), px, py); colour != makecol(255, 0, 255))
              compared++, matching += close_to(shot.at(x + 26 + px, kShipTop + py), colour);
        if (matching > 0.9 * compared) return x;
      }
  }
  return -999;
}

// Fiery pixels where a shot fired from x first shows (218 x 59 at (x + 65, 235)).
int fiery_pixels_in_front_of(const Screenshot &shot, int x) {
  int count = 0;
  for (int sy = 235; sy < 295 && shot.width >= 640; sy++)
    for (int sx = std::max(0, x + 65); sx < x + 284; sx++)
      count += shot.at(sx, sy)[0] > 200 && shot.at(sx, sy)[2] < 110 &&
               shot.at(sx, sy)[0] - shot.at(sx, sy)[2] > 120;
  return count;
}

TEST(FlyingScene, ArrowKeyMovesTheShipAndSpaceFiresAShot) {
  ASSERT_TRUE(display_reachable()) << "this test needs an X server on $DISPLAY";
  start_headless_allegro(15);
  DATAFILE *animation = load_datafile((built_asset_directory() + "/cor.dat").c_str());
  ASSERT_NE(animation, nullptr) << "the built assets are missing";
  std::vector<BitmapPtr> ships;  // the five frames, drawn at the resting size
  for (int frame = 0; frame <= 12; frame += 3) {
    ships.push_back(make_filled_bitmap(kShipW, kShipH, makecol(255, 0, 255)));
    stretch_sprite(ships.back().get(), (BITMAP *)animation[frame].dat, 0, 0, kShipW, kShipH);
  }
  unload_datafile(animation);

  GameProcess game(built_game_path(), built_asset_directory());
  ASSERT_FALSE(game.window().empty()) << game.output();
  const int rest_x = find_ship(game, ships, 25);  // past the title and the fly-in
  EXPECT_EQ(rest_x, 150) << "the resting ship never showed";
  game.hold_key("Left", 0.3);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the lean is over
  const int moved_x = find_ship(game, ships, 5);
  EXPECT_TRUE(moved_x > -999 && moved_x < rest_x - 24) << "holding Left moved it to " << moved_x;

  const int fiery_before = fiery_pixels_in_front_of(game.screenshot(), moved_x);
  game.key_down("space");
  int fiery_most = 0;
  for (int taken = 0; taken < 4; taken++)
    fiery_most = std::max(fiery_most, fiery_pixels_in_front_of(game.screenshot(), moved_x));
  game.key_up("space");
  EXPECT_GT(fiery_most, fiery_before + 1000) << "no shot showed in front of the ship";
  game.key_down("Escape");
  EXPECT_EQ(game.wait_exit(5), 0) << game.output();
}

}  // namespace
