// zephyrun-showcase: every toolkit routine of the zephyrun module at work, one
// scene at a time, in a 640x480 window at colour depth 15 (--scale magnifies
// it, as in the game).
//
//   zephyrun-showcase [--scale N|auto] [--help] [--version] [song.mp3]
//
// Tab moves to the next scene, Escape or the window's close button quits. The
// game's five asset files are read from the working directory; a song given on
// the command line plays through the MP3 stream while the scenes run.
#include "showcase.h"

#include "assets/assets.h"
#include "game/command_line.h"
#include "settings/settings_file.h"
#include "window/window.h"

#include <cstdio>

namespace showcase {

static const Scene *const scenes[scene_count] = {&transitions_scene, &voxel_scene, &collision_scene,
                                                 &music_scene, &opengl_scene};
static int scene_index = 0;

static void draw_caption(BITMAP *frame, int number, const Caption &caption) {
  rectfill(frame, 0, 434, 639, 479, makecol(8, 8, 40));
  textprintf_ex(frame, font, 8, 438, makecol(255, 224, 64), -1, "%d/%d  %s", number, scene_count,
                caption.routine.c_str());
  textout_ex(frame, font, caption.keys.c_str(), 8, 452, makecol(255, 255, 255), -1);
  textout_ex(frame, font, caption.status.c_str(), 8, 466, makecol(160, 224, 255), -1);
}

static int start_up(int scale) {
  const char *program = "zephyrun-showcase";
  if (zephyrun::start_library(program) != 0) return 1;
  // The game's settings file gives the scale, unless the command line does; the
  // showcase's keys are its own, whatever the file says of the game's.
  zephyrun::settings.load(zephyrun::settings_path(), program);
  const int file_scale = zephyrun::scale_setting(zephyrun::settings);
  if (scale == zephyrun::CommandLine::scale_not_given) scale = file_scale;
  if (install_timer() != 0) {
    std::fprintf(stderr, "%s: cannot start the timer\n", program);
    return 1;
  }
  if (zephyrun::open_window(program, program, scale) != 0) return 1;
  zephyrun::watch_close_button(program);  // a window without one still ends on Escape
  // The actors draw into the game's back buffer, so every scene draws there.
  if (!(zephyrun::buf = create_bitmap(zephyrun::frame_width, zephyrun::frame_height))) {
    std::fprintf(stderr, "%s: cannot create the 640x480 frame buffer\n", program);
    return 1;
  }
  return zephyrun::load_assets(program);
}

static void switch_scene(int next) {
  scenes[scene_index]->tear_down();
  scene_index = next;
  scenes[scene_index]->set_up();
}

// Scene keys come from the keyboard buffer, so a short tap is never missed
// between two frames; held keys (arrows) are read from key[] by the scenes.
static bool handle_keys() {
  while (keypressed()) {
    const int scancode = readkey() >> 8;
    if (scancode == KEY_ESC) return false;
    if (scancode == KEY_TAB)
      switch_scene((scene_index + 1) % scene_count);
    else
      scenes[scene_index]->key_pressed(scancode);
  }
  return !key[KEY_ESC] && !zephyrun::close_button_clicked();
}

static int run(int argc, char **argv) {
  const zephyrun::ProgramOptions options{
      "zephyrun-showcase", "song.mp3", false,
      "Without --scale, the window takes the scale in the game's settings file,\n  " +
          zephyrun::settings_path() + "\n"};
  const zephyrun::CommandLine line = zephyrun::parse_command_line(argc, argv, options);
  if (line.action != zephyrun::CommandLine::play)
    return zephyrun::answer_command_line(line, options);
  if (start_up(line.scale) != 0) return 1;
  start_music(line.file);
  scenes[scene_index]->set_up();
  while (handle_keys() && !window_lost()) {
    scenes[scene_index]->update();
    const Caption caption = scenes[scene_index]->draw(zephyrun::buf);
    draw_caption(zephyrun::buf, scene_index + 1, caption);
    draw_music_badge(zephyrun::buf);
    poll_music();
    present_frame(zephyrun::buf);
  }
  scenes[scene_index]->tear_down();
  stop_music();
  allegro_exit();
  return window_lost() ? 1 : 0;
}

}  // namespace showcase

int main(int argc, char **argv) { return showcase::run(argc, argv); }
END_OF_MAIN()
