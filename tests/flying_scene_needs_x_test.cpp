// The built game under the suite's X server, driven by real key events: the
// ship is found on screen by matching its own pictures from cor.dat, an arrow
// key held moves it, and the space bar makes a shot appear in front of it.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "game_process.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// The resting ship is drawn 275 x 299 at (x + 26, 153), x being its base
// rectangle's left edge: 150 at rest, moved in steps of 12.
constexpr int kShipW = 275, kShipH = 299, kShipTop = 153;

class FlyingScene : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_reachable()) << "this test needs an X server on $DISPLAY";
    start_headless_allegro(15);
    animation = load_datafile((built_asset_directory() + "/cor.dat").c_str());
    ASSERT_NE(animation, nullptr) << "the built assets are missing";
    for (int frame = 0; frame <= 12; frame += 3) {
      ships.push_back(make_filled_bitmap(kShipW, kShipH, makecol(255, 0, 255)));
      stretch_sprite(ships.back().get(), static_cast<BITMAP *>(animation[frame].dat), 0, 0,
                     kShipW, kShipH);
    }
  }
  void TearDown() override {
    if (animation) unload_datafile(animation);
  }
  bool ship_pixel(int px, int py) const {
    for (const BitmapPtr &ship : ships)
      if (getpixel(ship.get(), px, py) != makecol(255, 0, 255)) return true;
    return false;
  }
  // The ship's x where the screen shows one of its pictures best, and how
  // well: the share of that picture's opaque pixels shown in its colours.
  std::pair<int, double> find_ship(const Screenshot &shot) const {
    std::pair<int, double> best{0, 0.0};
    if (shot.width < 640 || shot.height < 480) return best;
    for (int x = -30; x <= 354; x += 12)
      for (const BitmapPtr &ship : ships) {
        int compared = 0, matching = 0;
        for (int py = 0; py < kShipH; py += 3)
          for (int px = std::max(0, -x - 26); px < std::min(kShipW, 614 - x); px += 3) {
            const int colour = getpixel(ship.get(), px, py);
            if (colour == makecol(255, 0, 255)) continue;
            const unsigned char *p = shot.at(x + 26 + px, kShipTop + py);
            compared++;
            matching += std::abs(p[0] - getr(colour)) <= 12 &&
                        std::abs(p[1] - getg(colour)) <= 12 && std::abs(p[2] - getb(colour)) <= 12;
          }
        if (compared && matching > best.second * compared) best = {x, double(matching) / compared};
      }
    return best;
  }
  std::pair<int, double> wait_for_resting_ship(GameProcess &game, double timeout_s) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout_s);
    std::pair<int, double> seen{0, 0.0};
    while (std::chrono::steady_clock::now() < until && game.running() && seen.second <= 0.9) {
      Screenshot shot = game.screenshot();
      if (!shot.empty()) seen = find_ship(shot);
    }
    return seen;
  }
  // Fiery pixels where a shot fired from x first shows (218 x 59 at (x + 65,
  // 235)), leaving out the ship's own opaque pixels.
  int fiery_pixels_in_front_of(const Screenshot &shot, int x) const {
    int count = 0;
    if (shot.width < 640 || shot.height < 480) return 0;
    for (int sy = 235; sy < 295; sy++)
      for (int sx = std::max(0, x + 65); sx < x + 284; sx++) {
        const unsigned char *p = shot.at(sx, sy);
        count += !ship_pixel(sx - x - 26, sy - kShipTop) && p[0] > 200 && p[2] < 110 &&
                 p[0] - p[2] > 120;
      }
    return count;
  }
  DATAFILE *animation = nullptr;
  std::vector<BitmapPtr> ships;
};

TEST_F(FlyingScene, ArrowKeyMovesTheShipAndSpaceFiresAShot) {
  GameProcess game(built_game_path(), built_asset_directory());
  ASSERT_FALSE(game.window().empty()) << game.output();
  auto [rest_x, rest_match] = wait_for_resting_ship(game, 25);  // past title and fly-in
  ASSERT_GT(rest_match, 0.9) << "the resting ship never showed";
  EXPECT_EQ(rest_x, 150);

  game.hold_key("Left", 0.3);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the lean is over
  auto [moved_x, moved_match] = wait_for_resting_ship(game, 5);
  ASSERT_GT(moved_match, 0.9) << "the ship was not found after the move";
  EXPECT_LT(moved_x, rest_x - 24) << "holding Left for 0.3 s moved the ship too little";

  const int fiery_before = fiery_pixels_in_front_of(game.screenshot(), moved_x);
  EXPECT_LT(fiery_before, 100) << "something fiery in front of the ship before firing";
  game.key_down("space");
  int fiery_most = 0;
  for (int taken = 0; taken < 4; taken++)
    fiery_most = std::max(fiery_most, fiery_pixels_in_front_of(game.screenshot(), moved_x));
  game.key_up("space");
  EXPECT_GT(fiery_most, 1000) << "no shot showed in front of the ship";
  std::printf("ship at %d, after Left at %d; fiery pixels %d, then %d with the space bar\n",
              rest_x, moved_x, fiery_before, fiery_most);

  game.key_down("Escape");
  EXPECT_EQ(game.wait_exit(5), 0) << game.output();
}

}  // namespace
