// zephyrun-showcase: the toolkit routines of the game module at work, one
// scene at a time. Every scene has the same skeleton: set-up when it comes on,
// a key handler, an update and a draw once per frame, and a tear-down when Tab
// moves on. This header is what the scenes share.
#pragma once

#include "game/game.h"  // the game's pictures, which the scenes show, and its frame buffer

#include <string>

namespace showcase {

// What the caption band at the bottom of the frame says under the scene's
// number: the routine the scene shows, its keys, and one line of what is going on.
struct Caption {
  std::string routine, keys, status;
};

struct Scene {
  void (*set_up)();
  void (*key_pressed)(int scancode);  // keys taken from the keyboard buffer, one press each
  void (*update)();                   // once per frame: held keys, animation
  Caption (*draw)(BITMAP *frame);     // the whole 640x480 frame; the band goes over its foot
  void (*tear_down)();
};

extern const Scene transitions_scene;
extern const Scene voxel_scene;
extern const Scene collision_scene;
extern const Scene music_scene;
extern const Scene opengl_scene;

constexpr int scene_count = 5;

// Music (music_player.cpp): the file named on the command line, polled once a frame.
void start_music(const char *file_name);  // nullptr: no music
void poll_music();
void stop_music();
std::string music_status();  // one line: file, poll result, elapsed time, or why none plays
void draw_music_badge(BITMAP *frame);  // the short form, top right, in every scene

// Presentation (presentation.cpp): the software window, or OpenGL once switched.
// Turning the quad is the OpenGL scene's business; every other scene shows flat.
void present_frame(BITMAP *frame);
bool opengl_is_on();
// Switches the window to OpenGL; false (with the reason in opengl_status) when
// it cannot, the software window being put back.
bool switch_to_opengl();
std::string opengl_status();
void set_quad_turn(float dz, float anglex, float angley, float anglez);
// True once the window is gone for good (said on stderr): the loop ends, with status 1.
bool window_lost();

}  // namespace showcase
