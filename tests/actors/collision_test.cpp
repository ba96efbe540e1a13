// The pixel collision test: a hit is the first shared opaque point in scan
// order, looked for only inside the overlap window and the first call's area.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "test_support.h"
#include "zephyrun.h"

using namespace testing_support;

namespace {

constexpr int sprite_side = 10;  // of every sprite

// Magic pink but for the given opaque points.
BitmapPtr sprite_with(std::initializer_list<std::pair<int, int>> opaque) {
  BitmapPtr sprite = make_filled_bitmap(sprite_side, sprite_side, makecol(255, 0, 255));
  for (auto [x, y] : opaque) putpixel(sprite.get(), x, y, makecol(200, 100, 50));
  return sprite;
}

// Cases run in order (the first fixes the area), testing a solid first sprite
// against a second.
TEST(CollisionTest, HitIsTheFirstSharedOpaquePointInsideTheWindowAndTheFirstCallsArea) {
  start_headless_allegro(15);
  BitmapPtr solid = make_filled_bitmap(sprite_side, sprite_side, makecol(10, 200, 10));
  BitmapPtr corner = sprite_with({{9, 9}});
  BitmapPtr right = sprite_with({{5, 0}, {9, 9}});
  BitmapPtr points = sprite_with({{6, 1}, {5, 8}, {5, 7}, {8, 0}});
  struct Case {
    const char *what;
    BITMAP *second;
    int x2, y2, x1, y1, area, hit, collx, colly;
    int w = sprite_side, h = sprite_side;  // of the window
  };
  const Case cases[] = {
      {"opaque only over pink", right.get(), 25, 20, 20, 20, 100, 0, 0, 0},
      {"one shared point", right.get(), 24, 20, 20, 20, 100, 1, 9, 0},
      {"leftmost column, then top row", points.get(), 20, 20, 20, 20, 100, 1, 5, 7},
      {"window short of the last column", corner.get(), 20, 20, 20, 20, 100, 0, 0, 0, 8, 8},
      {"window reaching the last column", corner.get(), 20, 20, 20, 20, 100, 1, 9, 9, 9, 9},
      {"negative width", corner.get(), 20, 20, 20, 20, 100, 0, 0, 0, -1, sprite_side},
      {"overlap left of and above the area", corner.get(), -14, -14, -5, -5, 100, 0, 0, 0},
      {"later larger area, beyond the first", solid.get(), 150, 150, 150, 150, 200, 0, 0, 0},
      {"later larger area, first's corner", solid.get(), 99, 79, 99, 79, 200, 1, 0, 0},
      {"sprites at 50,50", solid.get(), 50, 50, 50, 50, 100, 1, 0, 0},
      {"smaller area, earlier sprites gone", solid.get(), 0, 0, 50, 50, 10, 0, 0, 0},
  };
  for (const Case &c : cases) {
    const int hit = zephyrun::collisione(c.area, c.area, solid.get(), c.w, c.h, c.x1, c.y1,
                                         c.second, c.x2, c.y2);
    EXPECT_EQ(std::tuple(hit, hit ? zephyrun::collx : 0, hit ? zephyrun::colly : 0),
              std::tuple(c.hit, c.collx, c.colly))
        << c.what;
  }
}

}  // namespace
