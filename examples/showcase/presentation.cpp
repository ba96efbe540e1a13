// Presentation: how a finished frame reaches the window. In software the
// module's frame pacing copies it to the screen; once the window has been
// switched to OpenGL, the pacing copies it into a bitmap of ours instead, waits
// with OpenGL clears (its mode 1), and renderGL shows it on a quad.
#include "showcase.h"

#include <alleggl.h>

#include <cstdio>

namespace showcase {

constexpr int frames_per_window = 60;  // the pacing's target: frames per ~2 s window

static bool opengl_on = false;
static bool lost = false;
static bool restart_pacing = false;
static std::string status = "the window is in software mode";
static BITMAP *finished_frame = nullptr;  // what renderGL shows, once in OpenGL
static float quad_dz, quad_anglex, quad_angley, quad_anglez;

bool opengl_is_on() { return opengl_on; }
bool window_lost() { return lost; }
std::string opengl_status() { return status; }

void set_quad_turn(float dz, float anglex, float angley, float anglez) {
  quad_dz = dz;
  quad_anglex = anglex;
  quad_angley = angley;
  quad_anglez = anglez;
}

// A refused OpenGL mode can leave no window at all; AllegroGL must go before
// the software drivers can be found again.
static void restore_software_window() {
  if (screen) return;
  remove_allegro_gl();
  set_color_depth(15);
  const int scale = zephyrun::window_scale;
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640 * scale, 480 * scale, 0, 0) != 0) {
    std::fprintf(stderr, "zephyrun-showcase: cannot reopen the software window: %s\n",
                 allegro_error);
    lost = true;
    return;
  }
  set_window_title("zephyrun-showcase");
}

bool switch_to_opengl() {
  if (opengl_on) return true;
  // The window keeps its size; renderGL still takes the frame at 640x480.
  const int scale = zephyrun::window_scale;
  if (zephyrun::gfxGL(640 * scale, 480 * scale, 0, 32) != 0) {
    status = std::string("no OpenGL mode here (") + allegro_error + "): software goes on";
    restore_software_window();
    return false;
  }
  set_window_title("zephyrun-showcase");
  // The OpenGL mode leaves the colour depth at 24 or 32; every picture and
  // scratch bitmap of the scenes stays at 15, and so must makecol.
  set_color_depth(15);
  finished_frame = create_bitmap(640, 480);
  if (!finished_frame) {
    std::fprintf(stderr, "zephyrun-showcase: cannot create the OpenGL frame bitmap\n");
    lost = true;
    return false;
  }
  opengl_on = true;
  restart_pacing = true;  // waits are OpenGL clears from now on: calibrate afresh
  status = "OpenGL on: every scene now reaches the window through renderGL";
  return true;
}

void present_frame(BITMAP *frame) {
  if (lost) return;
  if (!opengl_on) {
    zephyrun::present_to_window(frames_per_window, frame, 1, 0);
    return;
  }
  zephyrun::doppiobuffering(frames_per_window, frame, finished_frame, 1, restart_pacing ? 1 : 0, 1);
  restart_pacing = false;
  // renderGL never clears the depth buffer, and the pacing clears only when
  // it waits: a turning quad needs a clean one every frame.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  zephyrun::renderGL(640, 480, 0.0f, 0.0f, quad_dz, quad_anglex, quad_angley, quad_anglez,
                     finished_frame);
}

}  // namespace showcase
