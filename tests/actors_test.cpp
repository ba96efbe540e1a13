// The flying scene's actors as the player meets them: the ship's fly-in,
// animation and steering, the shot's ten frames, the asteroid's fifteen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "fake_display.h"
#include "reference_scene.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;
using namespace zephyrun;

namespace {

class ActorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    start_headless_allegro(15);
    display = std::make_unique<FakeDisplay>(640, 480);
    frame = make_filled_bitmap(640, 480, 0);
    buf = frame.get();
    objects.assign(17, DATAFILE{nullptr, DAT_END, 0, nullptr});
    for (int n = 0; n < 16; n++) {  // every object its own colour
      pictures.push_back(make_filled_bitmap(20, 20, makecol(40 + 10 * n, 200 - 10 * n, 8 * n)));
      objects[n] = DATAFILE{pictures.back().get(), DAT_BITMAP, 0, nullptr};
    }
    cors = objects.data();
    rock = make_filled_bitmap(20, 20, makecol(120, 120, 120));
    asteroide = rock.get();
    x = y = giow = gioh = giorot = giocont2 = giocont1 = gioattivo1 = 0;
    xpro = ypro = wpro = hpro = proflag3 = astx = asty = astw = asth = astflag1 = 0;
    hold({});
  }
  void TearDown() override { hold({}); }

  static void hold(std::initializer_list<int> keys) {
    for (int k : {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT}) key[k] = 0;
    for (int k : keys) key[k] = 1;
  }
  // The back buffer holds exactly what one sprite call with these values draws.
  void expect_drawn(BITMAP *picture, int bw, int bh, int px, int py, int angle, int gw, int gh) {
    BitmapPtr expected = make_filled_bitmap(640, 480, 0);
    reference_sprite(expected.get(), picture, bw, bh, px, py, angle, gw, gh);
    EXPECT_EQ(first_difference(expected.get(), frame.get()), "");
  }
  void fly_in() {
    for (int call = 0; call < 36; call++) giocatore();
  }

  std::unique_ptr<FakeDisplay> display;
  BitmapPtr frame, rock;
  std::vector<BitmapPtr> pictures;
  std::vector<DATAFILE> objects;
};

TEST_F(ActorsTest, ShipFliesInFromTheCornerThenBelowAndRestsAfter36Calls) {
  giocatore();  // the untouched state: frame 0, base size, top-left corner
  expect_drawn(pictures[0].get(), 327, 409, 0, 0, 0, 0, 0);
  std::vector<int> ys, widths, heights;
  for (int call = 2; call <= 36; call++) {
    EXPECT_EQ(gioattivo1, 1);
    giocatore();
    ys.push_back(y), widths.push_back(giow), heights.push_back(gioh);
  }
  EXPECT_EQ(gioattivo1, 2);
  EXPECT_EQ(ys[0], 506);
  EXPECT_EQ(widths[19], -52);  // after 21 steps
  EXPECT_EQ(widths[18], -40);
  EXPECT_EQ(heights[28], -110);  // after 30 steps
  EXPECT_EQ(heights[27], -98);
  EXPECT_EQ(ys[34], 98);  // after 36 steps
  EXPECT_EQ(ys[33], 110);
  clear_bitmap(frame.get());
  const int shown = giocont2;
  giocatore();  // at rest: 275 x 299
  expect_drawn(pictures[shown].get(), 327, 409, 150, 98, 0, -52, -110);
}

TEST_F(ActorsTest, ShipAnimatesUpAndBackNeverShowingTheShotPicture) {
  std::vector<int> shown;
  for (int call = 0; call < 12; call++) shown.push_back(giocont2), giocatore();
  EXPECT_EQ(shown, (std::vector<int>{0, 0, 3, 6, 9, 12, 12, 9, 6, 3, 0, 3}));
  fly_in();
  hold({KEY_UP});  // above the lowest row the frame holds
  giocatore();
  const int held = giocont2;
  for (int call = 0; call < 4; call++) giocatore();
  EXPECT_EQ(giocont2, held);
}

TEST_F(ActorsTest, ArrowKeysSteerWithinTheWindowLeaningSideways) {
  fly_in();
  hold({KEY_LEFT});
  giocatore();
  EXPECT_EQ(x, 138);
  EXPECT_EQ(giorot, -5);
  clear_bitmap(frame.get());
  hold({});
  const int shown = giocont2;
  giocatore();  // the move and its lean show together, one call later
  expect_drawn(pictures[shown].get(), 327, 409, 138, 98, -5, -52, -110);
  EXPECT_EQ(giorot, 0);

  struct Limit {
    int key_code, *coordinate, limit;
  } limits[] = {{KEY_LEFT, &x, -30}, {KEY_RIGHT, &x, 354}, {KEY_UP, &y, -58}, {KEY_DOWN, &y, 98}};
  for (const Limit &limit : limits) {
    hold({limit.key_code});
    for (int call = 0; call < 60; call++) giocatore();
    EXPECT_EQ(*limit.coordinate, limit.limit) << "key " << limit.key_code;
    EXPECT_EQ(giorot, 0) << "no lean without a move";
  }
}

TEST_F(ActorsTest, OpposingKeysHeldTogether) {
  fly_in();
  hold({KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN});
  giocatore();
  EXPECT_EQ(x, 150);  // left and back right, leaning right (read last)
  EXPECT_EQ(y, 98);
  EXPECT_EQ(giorot, 5);
  x = -30, y = -58;
  giocatore();
  EXPECT_EQ(x, -18);  // at the limits only the move away from them
  EXPECT_EQ(y, -46);
}

TEST_F(ActorsTest, ShotShrinksInPlaceForTenFramesFromInFrontOfTheShip) {
  x = 150, y = 98;
  sparogiocatore(1);
  expect_drawn(pictures[15].get(), 368, 134, 140, 198, 0, -150, -75);
  for (int call = 2; call <= 10; call++) {
    EXPECT_EQ(proflag3, 1);
    x += 36;  // the ship moving on does not move the shot
    sparogiocatore(1);  // nor does firing again
    EXPECT_EQ(xpro, 140);
    EXPECT_EQ(wpro, -150 - 24 * call);
  }
  EXPECT_EQ(proflag3, 0);
  EXPECT_EQ(hpro, -155);
  sparogiocatore(2);  // not a request
  EXPECT_EQ(proflag3, 0);
  sparogiocatore(1);
  EXPECT_EQ(xpro, x - 10);
}

TEST_F(ActorsTest, ShotFiredOnTheFirstFlyingFrameStartsFromTheCorner) {
  sparogiocatore(1);  // the loop runs the shot before the ship
  giocatore();
  EXPECT_EQ(xpro, -10);
  EXPECT_EQ(ypro, 100);
}

TEST_F(ActorsTest, AsteroidGrowsForFifteenFramesThenTheNextAppears) {
  std::srand(7);
  for (int call = 1; call <= 15; call++) {
    clear_bitmap(frame.get());
    nemico();
    EXPECT_EQ(astflag1, call < 15 ? 1 : 0);
  }
  expect_drawn(rock.get(), 240, 220, astx, asty, 0, 136, 74);  // 376 x 294
  EXPECT_EQ(astw, 160);
  EXPECT_EQ(asth, 90);
  clear_bitmap(frame.get());
  nemico();
  expect_drawn(rock.get(), 240, 220, astx, asty, 0, -200, -150);  // 40 x 70
}

TEST_F(ActorsTest, AsteroidSpawnsFollowTheSeededGeneratorWithinBounds) {
  auto spawns = [](unsigned seed) {
    std::srand(seed);
    std::vector<std::pair<int, int>> places;
    for (int call = 0; call < 15 * 300; call++) {
      if (astflag1 == 0) places.emplace_back(-1, -1);
      nemico();
      if (places.back().first == -1) places.back() = {astx, asty};
    }
    return places;
  };
  auto first = spawns(99);
  EXPECT_EQ(first, spawns(99));
  std::srand(99);  // two draws an asteroid, x first
  const int raw_x = std::rand() % 550, raw_y = std::rand() % 250;
  EXPECT_EQ(first[0], std::make_pair(std::max(raw_x, 50), std::max(raw_y, 50)));
  int at_fifty_x = 0, at_fifty_y = 0;
  for (auto [px, py] : first) {
    EXPECT_TRUE(px >= 50 && px <= 549 && py >= 50 && py <= 249) << px << "," << py;
    at_fifty_x += px == 50, at_fifty_y += py == 50;
  }
  EXPECT_GT(at_fifty_x, 10);  // about 51 in 550 of the draws are raised to 50
  EXPECT_GT(at_fifty_y, 35);  // and 51 in 250
}

}  // namespace
