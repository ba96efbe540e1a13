// Scene 5: the OpenGL presentation. The game's flying scene (sky, ground,
// asteroid, shot, ship) is drawn in software as usual; G switches the window
// to OpenGL, and from then on renderGL shows each frame on a turning quad
// while the frame pacing waits with OpenGL clears.
#include "showcase.h"

#include "actors/actors.h"

namespace showcase {

static float turn = 0;  // degrees about the vertical axis

static void set_up() { turn = 0; }

static void key_pressed(int scancode) {
  if (scancode == KEY_G) switch_to_opengl();
}

static void update() {
  if (!opengl_is_on()) return;
  turn += 1.5f;
  if (turn >= 360) turn -= 360;
  set_quad_turn(-1.2f, 10.0f, turn, 0.0f);
}

static Caption draw(BITMAP *frame) {
  using namespace zephyrun;
  blit(cielo, frame, 0, 0, 0, 0, 640, 480);
  livscroll(bit, frame, 2560, 200, 0, 1, -320, 330, 0);
  // The actors draw into the module's back buffer: it is our frame while they do.
  BITMAP *const back_buffer = buf;
  buf = frame;
  nemico();
  sparogiocatore(key[KEY_SPACE] ? 1 : 0);
  giocatore();
  buf = back_buffer;
  return {"gfxGL, renderGL, doppiobuffering mode 1",
          opengl_is_on() ? "arrows: steer  space: fire  Tab: next  Esc: quit"
                         : "G: switch to OpenGL  arrows: steer  space: fire  Tab: next",
          opengl_status()};
}

// The other scenes show flat, filling the window.
static void tear_down() { set_quad_turn(0.0f, 0.0f, 0.0f, 0.0f); }

const Scene opengl_scene = {set_up, key_pressed, update, draw, tear_down};

}  // namespace showcase
