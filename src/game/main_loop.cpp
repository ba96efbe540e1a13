// One pass of the main loop: a title frame while the title fades out, then
// flying frames (sky, ground, actors) until Escape or the window's close
// button; every pass ends with the pacing and presentation. Between passes
// the game rests while its window is in the background, and F11 or
// Alt+Enter toggles fullscreen.
#include "game/game.h"

#include "actors/actors.h"
#include "controls/controls.h"
#include "window/window.h"

namespace zephyrun {

int via, viacont, cicli, sg, c, d, r, proflag2;

void begin_title() {
  // The cross-fade shows its blend one pass late, so the first title frame is
  // whatever dest holds: let that be the title picture itself.
  clear(dest);
  blit(prese, dest, 0, 0, 0, 0, frame_width, frame_height);
}

static void title_pass() {
  viacont = viacont + 2;
  dissolvenza(dest, buf, prese, 0, nullptr, makecol(0, 0, 0), frame_width, frame_height, viacont);
  if (viacont > 254) via = 1;
}

// The ground bobs: up 9, down 19, up 10 over each cycle of 110 passes, so it
// always returns to where it started.
static void sway_ground() {
  if (cicli > 250 && cicli <= 299) sg = sg + 1;
  if (cicli > 400 && cicli <= 499) sg = sg - 1;
  if (cicli > 500 && cicli <= 550) sg = sg + 1;
  if (cicli > 549) cicli = 0;
  cicli = cicli + 5;
}

static void flying_pass() {
  if (cicli <= 999) d = 1;
  sway_ground();
  blit(cielo, buf, 0, 0, 0, 0, frame_width, frame_height);
  livscroll(bit, buf, 2560, 200, c, d, -320, sg + 330, r);
  d = 0;
  c = 0;
  // The actors: asteroid, shot, player.
  nemico();
  if (control_held(control_fire)) proflag2 = 1;
  sparogiocatore(proflag2);
  proflag2 = 0;
  giocatore();
}

void run_pass() {
  poll_gamepad();
  if (via == 0) title_pass();
  if (via == 1) flying_pass();
  present_to_window(30, buf, 1, 0);
}

int run_loop() {
  while (!key[KEY_ESC] && !close_button_clicked()) {
    if (rest_while_in_background()) continue;
    if (fullscreen_key_pressed() && toggle_fullscreen("zephyrun", "zephyrun") != 0) return 1;
    run_pass();
  }
  return 0;
}

}  // namespace zephyrun
