// Scene 3: the pixel-exact collision test. The ship, steered with the arrow
// keys, and the asteroid are drawn unscaled over the sky; collisione tests
// them against each other every frame, and its first shared opaque pixel is
// marked with a green ring and cross.
#include "showcase.h"

#include <algorithm>
#include <cstdio>

namespace showcase {

constexpr int asteroid_x = 360, asteroid_y = 150;
constexpr int ship_speed = 4;  // pixels a frame

static int ship_x, ship_y;

static BITMAP *ship() { return static_cast<BITMAP *>(zephyrun::cors[0].dat); }

static void set_up() {
  ship_x = 40;
  ship_y = 150;
}

static void key_pressed(int) {}

static void update() {
  if (key[KEY_LEFT]) ship_x -= ship_speed;
  if (key[KEY_RIGHT]) ship_x += ship_speed;
  if (key[KEY_UP]) ship_y -= ship_speed;
  if (key[KEY_DOWN]) ship_y += ship_speed;
  // A ship frame wider or taller than the view stays at its left or top edge.
  ship_x = std::clamp(ship_x, 0, std::max(0, 640 - ship()->w));
  ship_y = std::clamp(ship_y, 0, std::max(0, 434 - ship()->h));
}

static void mark(BITMAP *frame, int x, int y) {
  const int green = makecol(0, 255, 0);
  circle(frame, x, y, 9, green);
  circle(frame, x, y, 10, green);
  hline(frame, x - 16, y, x + 16, green);
  vline(frame, x, y - 16, y + 16, green);
}

static Caption draw(BITMAP *frame) {
  using namespace zephyrun;
  blit(cielo, frame, 0, 0, 0, 0, 640, 480);
  draw_sprite(frame, asteroide, asteroid_x, asteroid_y);
  draw_sprite(frame, ship(), ship_x, ship_y);
  const int hit = collisione(640, 480, ship(), ship()->w, ship()->h, ship_x, ship_y, asteroide,
                             asteroid_x, asteroid_y);
  char status[96];
  if (hit) {
    mark(frame, ship_x + collx, ship_y + colly);
    std::snprintf(status, sizeof status, "collisione = 1: first shared pixel at (%d, %d)",
                  ship_x + collx, ship_y + colly);
  } else {
    std::snprintf(status, sizeof status, "collisione = 0: no opaque pixel shared");
  }
  return {"collisione", "arrows: steer the ship into the asteroid  Tab: next  Esc: quit", status};
}

static void tear_down() {}

const Scene collision_scene = {set_up, key_pressed, update, draw, tear_down};

}  // namespace showcase
