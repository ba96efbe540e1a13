// The flying scene's actors as the player meets them: the ship's fly-in,
// animation and steering, the shot's ten frames, the asteroid's fifteen.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "actors/actors.h"
#include "reference_scene.h"
#include "test_support.h"

using namespace testing_support;
using namespace zephyrun;
using V = std::vector<int>;

namespace {

class ActorsTest : public HeadlessTest {
 protected:
  void SetUp() override {
    for (int n = 0; n < 16; n++) {  // every object its own colour
      pictures.push_back(make_filled_bitmap(20, 20, makecol(40 + 10 * n, 200 - 10 * n, 8 * n)));
      objects[n] = DATAFILE{pictures[n].get(), DAT_BITMAP, 0, nullptr};
    }
    buf = frame.get();
    cors = objects;
    asteroide = rock.get();
    x = y = giow = gioh = giorot = giocont2 = giocont1 = gioattivo1 = 0;
    xpro = ypro = wpro = hpro = proflag3 = astx = asty = astw = asth = astflag1 = 0;
    hold({});
  }
  static void hold(const V &keys) {
    for (int k : {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT}) key[k] = 0;
    for (int k : keys) key[k] = 1;
  }
  // The back buffer holds exactly what one sprite call with these values
  // draws; it is cleared for the next call.
  void expect_drawn(BITMAP *picture, int bw, int bh, int px, int py, int angle, int gw, int gh) {
    BitmapPtr expected = make_filled_bitmap(640, 480, 0);
    reference_sprite(expected.get(), picture, bw, bh, px, py, angle, gw, gh);
    EXPECT_EQ(first_difference(expected.get(), frame.get()), "");
    clear_bitmap(frame.get());
  }
  BitmapPtr frame = make_filled_bitmap(640, 480, 0);
  BitmapPtr rock = make_filled_bitmap(20, 20, makecol(90, 90, 90));
  std::vector<BitmapPtr> pictures;
  DATAFILE objects[17] = {};  // the last one ends the file
};

TEST_F(ActorsTest, ShipFliesInFromBelowAnimatingAndRestsAfter36Calls) {
  // After call n: y, width growth, height growth, fly-in state.
  const int timeline[][5] = {{1, 518, 188, 238, 1},
                             {21, 278, -52, -2, 1},
                             {30, 170, -52, -110, 1},
                             {36, 98, -52, -110, 2}};
  V shown;
  int call = 0;
  for (auto [after, ty, tw, th, state] : timeline) {
    for (; call < after; call++) {
      shown.push_back(giocont2);
      giocatore();
    }
    EXPECT_EQ(V({x, y, giow, gioh, gioattivo1}), V({150, ty, tw, th, state})) << "call " << after;
  }
  shown.resize(12);  // up and back, never the shot's picture (15)
  EXPECT_EQ(shown, V({0, 0, 3, 6, 9, 12, 12, 9, 6, 3, 0, 3}));
  const int resting = giocont2;
  giocatore();
  const int next = giocont2;
  giocatore();
  EXPECT_FALSE(resting == next && next == giocont2) << "at rest the ship goes on animating";
}

// Not full size in the top-left corner: the first frame already shows the
// ship where it starts to rise, untilted whatever the keys, only its top above
// the bottom edge. From the second call on each frame is the state the call
// before left, the lean read in the first call included: through the fly-in,
// at rest, steered.
TEST_F(ActorsTest, FirstFrameShowsTheFlyInStartAndLaterOnesWhatThePreviousCallLeft) {
  hold({KEY_LEFT, KEY_UP});
  giocatore();
  expect_drawn(pictures[0].get(), 327, 409, 150, 530, 0, 200, 250);
  const struct {
    V keys;
    int calls;
  } steps[] = {{{}, 40}, {{KEY_LEFT}, 3}, {{KEY_RIGHT, KEY_UP}, 4}, {{KEY_DOWN}, 3}};
  for (const auto &step : steps) {
    for (int call = 0; call < step.calls; call++) {
      const V left = {giocont2, x, y, giorot, giow, gioh};
      hold(step.keys);
      giocatore();
      expect_drawn(pictures[left[0]].get(), 327, 409, left[1], left[2], left[3], left[4], left[5]);
    }
  }
}

TEST_F(ActorsTest, ArrowKeysSteerWithinTheWindowLeaningIntoSidewaysMoves) {
  for (int call = 0; call < 36; call++) giocatore();
  hold({KEY_LEFT});
  giocatore();
  clear_bitmap(frame.get());
  hold({});
  const int shown = giocont2;
  giocatore();  // the move and its lean show together, one call later
  expect_drawn(pictures[shown].get(), 327, 409, 138, 98, -5, -52, -110);
  hold({KEY_UP});
  giocatore();
  const int held = giocont2;
  const V all{KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN};
  const struct {
    V keys;
    int calls, x, y, lean;
  } steps[] = {{{}, 1, 138, 86, 0},
               {all, 1, 138, 86, 5},  // left, then right read last
               {{KEY_LEFT}, 60, -30, 86, 0},
               {{KEY_RIGHT}, 60, 354, 86, 0},
               {{KEY_UP}, 60, 354, -58, 0},
               {{KEY_DOWN}, 60, 354, 98, 0},
               {{KEY_LEFT, KEY_UP}, 60, -30, -58, 0},
               {all, 1, -18, -46, 5}};  // at the limits only the moves away from them
  for (auto &step : steps) {
    hold(step.keys);
    for (int call = 0; call < step.calls; call++) giocatore();
    EXPECT_EQ(V({x, y, giorot}), V({step.x, step.y, step.lean})) << "step " << &step - steps;
    EXPECT_TRUE(step.y != 86 || giocont2 == held) << "above the lowest row the frame holds";
  }
}

TEST_F(ActorsTest, ShotShrinksInPlaceForTenCallsIgnoringRequestsInFlight) {
  x = 150;
  y = 98;
  for (int call = 0; call < 10; call++, x += 36) {  // the ship moving on leaves the shot
    sparogiocatore(1);
    expect_drawn(pictures[15].get(), 368, 134, 140, 198, 0, -150 - 24 * call, -75 - 8 * call);
    EXPECT_EQ(proflag3, call < 9) << call;
  }
  EXPECT_EQ(V({wpro, hpro}), V({-390, -155}));
  sparogiocatore(2);  // not a request
  EXPECT_EQ(proflag3, 0);
  sparogiocatore(1);
  EXPECT_EQ(V({xpro, ypro}), V({x - 10, y + 100}));
}

TEST_F(ActorsTest, AsteroidGrowsForFifteenCallsThenTheNextAppearsAtOnce) {
  for (int call = 0; call < 16; call++) {  // the 15th call ends it, with growths 160, 90
    nemico();
    const int k = call % 15;
    expect_drawn(rock.get(), 240, 220, astx, asty, 0, -200 + 24 * k, -150 + 16 * k);
    EXPECT_EQ(V({astflag1, astw, asth}), V({call != 14, -176 + 24 * k, -134 + 16 * k})) << call;
  }
}

// Spawns fill the middle band: x over 50 ... 549, y over 50 ... 249.
TEST_F(ActorsTest, AsteroidsSpawnAllOverTheMiddleBandButNeverNearerTheCornerThan50) {
  V spawn_x;
  V spawn_y;
  for (int call = 0; call < 15 * 1000; call++) {
    nemico();
    if (astw != -176) continue;  // not the spawning call
    spawn_x.push_back(astx);
    spawn_y.push_back(asty);
  }
  ASSERT_FALSE(spawn_x.empty()) << "no asteroid spawned at its starting size";
  EXPECT_EQ(*std::min_element(spawn_x.begin(), spawn_x.end()), 50);
  EXPECT_EQ(*std::min_element(spawn_y.begin(), spawn_y.end()), 50);
  EXPECT_NEAR(*std::max_element(spawn_x.begin(), spawn_x.end()), 544.5, 4.5);
  EXPECT_NEAR(*std::max_element(spawn_y.begin(), spawn_y.end()), 244.5, 4.5);
}

}  // namespace
