// Scene 1: the three screen transitions, from the title picture to the sky.
// Keys 1, 2 and 3 start the cross-fade, the random block dissolve and the
// column dissolve; each runs to completion, and the sky stays until the next.
#include "showcase.h"

#include <algorithm>

namespace showcase {

enum class Transition { none, cross_fade, block_dissolve, column_dissolve };

// The block dissolve takes 2 * (640 * 480) / (16 * 16) = 2400 steps; forty a
// frame finish it in about two seconds instead of more than a minute.
constexpr int block_steps_per_frame = 40;

static Transition running = Transition::none;
static bool sky_shown = false;
static int fade_level = 0;
static int frames_taken = 0;
static std::string status;
static BITMAP *work = nullptr;   // the transitions' work bitmap
static BITMAP *shown = nullptr;  // what the running transition shows, stepped in update

static void set_up() {
  if (!work) work = create_bitmap(640, 480);
  if (!shown) shown = create_bitmap(640, 480);
  running = Transition::none;
  sky_shown = false;
  status = work && shown ? "press 1, 2 or 3 to run a transition"
                         : "no memory for the transitions' bitmaps: none can run";
}

static const char *name_of(Transition transition) {
  if (transition == Transition::cross_fade) return "dissolvenza";
  if (transition == Transition::block_dissolve) return "dissolvcas";
  return "dissolvworm";
}

static void start(Transition transition) {
  running = transition;
  frames_taken = 0;
  fade_level = 0;
  status = std::string(name_of(transition)) + " running...";
  // The cross-fade shows the blend it prepared on the call before: start from the title.
  blit(zephyrun::prese, work, 0, 0, 0, 0, 640, 480);
}

static void key_pressed(int scancode) {
  if (!work || !shown) return;
  if (running != Transition::none) return;  // a transition always runs to its end
  if (scancode == KEY_1) start(Transition::cross_fade);
  if (scancode == KEY_2) start(Transition::block_dissolve);
  if (scancode == KEY_3) start(Transition::column_dissolve);
}

// One frame of the running transition onto frame; true once it is complete.
static bool step(BITMAP *frame) {
  using namespace zephyrun;
  switch (running) {
    case Transition::cross_fade: {
      const bool last = fade_level == 255;
      dissolvenza(work, frame, prese, 0, cielo, 0, 640, 480, fade_level);
      fade_level = std::min(fade_level + 5, 255);
      return last;
    }
    case Transition::block_dissolve:
      // A run whose set-up failed (-1) never completes: it ends there too.
      for (int i = 0; i < block_steps_per_frame; i++)
        if (dissolvcas(work, frame, prese, 0, cielo, 0, 640, 480, 16) != 0) {
          blit(cielo, frame, 0, 0, 0, 0, 640, 480);  // the completing call draws nothing
          return true;
        }
      return false;
    case Transition::column_dissolve:
      return dissolvworm(work, frame, prese, 0, cielo, 0, 640, 480, 8, 10) != 0;
    case Transition::none:
      break;
  }
  return false;
}

static void update() {
  if (running == Transition::none) return;
  frames_taken++;
  if (step(shown)) {
    status = std::string(name_of(running)) + " complete in " + std::to_string(frames_taken) +
             " frames; press 1, 2 or 3 again";
    running = Transition::none;
    sky_shown = true;
  }
}

static Caption draw(BITMAP *frame) {
  if (running != Transition::none)
    blit(shown, frame, 0, 0, 0, 0, 640, 480);
  else
    blit(sky_shown ? zephyrun::cielo : zephyrun::prese, frame, 0, 0, 0, 0, 640, 480);
  return {"dissolvenza, dissolvcas, dissolvworm",
          "1: cross-fade  2: block dissolve  3: column dissolve  Tab: next  Esc: quit", status};
}

// A run left half-way would resume on the next visit: let it finish unseen.
static void tear_down() {
  while (running != Transition::none)
    if (step(shown)) running = Transition::none;
}

const Scene transitions_scene = {set_up, key_pressed, update, draw, tear_down};

}  // namespace showcase
