// Presentation: how a finished frame reaches the window. In software the
// module's frame pacing copies it to the screen; once the window has been
// switched to OpenGL, the pacing copies it into a bitmap of ours instead, waits
// with OpenGL clears (its mode 1), and renderGL shows it on a quad.
#include "showcase.h"

#include "window/window.h"

#include <alleggl.h>  // remove_allegro_gl

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
  if (zephyrun::open_window("zephyrun-showcase", "zephyrun-showcase",
                            zephyrun::window_layout().scale) != 0)
    lost = true;  // said on stderr
}

bool switch_to_opengl() {
  if (opengl_on) return true;
  // The window keeps its size; renderGL still takes the frame at 640x480.
  const zephyrun::WindowLayout &window = zephyrun::window_layout();
  if (zephyrun::gfxGL(window.width, window.height, 0, 32) != 0) {
    status = std::string("no OpenGL mode here (") + allegro_error + "): software goes on";
    restore_software_window();
    return false;
  }
  set_window_title("zephyrun-showcase");
  // The OpenGL mode leaves the colour depth at 24 or 32; every picture and
  // scratch bitmap of the scenes stays at 15, and so must makecol.
  set_color_depth(15);
  finished_frame = create_bitmap(zephyrun::frame_width, zephyrun::frame_height);
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
  zephyrun::clear_gl_buffers();
  zephyrun::renderGL(zephyrun::frame_width, zephyrun::frame_height, 0.0f, 0.0f, quad_dz,
                     quad_anglex, quad_angley, quad_anglez, finished_frame);
}

}  // namespace showcase
