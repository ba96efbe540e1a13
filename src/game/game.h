// The game's own room: the frame it draws, the pictures and buffers start-up
// makes, the loop's phase and counters, and the routines that start, run and
// end the game. Nothing here is installed: <zephyrun.h> is the toolkit.
#pragma once

#include "zephyrun.h"

namespace zephyrun {

// Every pass draws one frame of this size; the window shows it magnified.
inline constexpr int frame_width = 640, frame_height = 480;

// The game's pictures and buffers, made once at start-up and kept for the run.
extern BITMAP *buf;        // back buffer: each pass draws a whole frame here
extern BITMAP *dest;       // work bitmap of the title cross-fade
extern PALETTE colori;     // palette handed to the loaders; nothing reads it
extern DATAFILE *cors;     // "cor.dat": player frames 0,3,6,9,12 and the shot 15
extern BITMAP *bit;        // "terreno.tga": the ground texture
extern BITMAP *cielo;      // "cielo.bmp": the sky
extern BITMAP *asteroide;  // "asteroide.tga": the asteroid
extern BITMAP *prese;      // "present.bmp": the title picture

// The loop's phase and counters.
extern int via;       // 0 = title, 1 = flying; never goes back
extern int viacont;   // title fade level, +2 a pass
extern int cicli;     // sway counter, 5 .. 550
extern int sg;        // vertical sway of the ground
extern int c;         // ground drift (always 0 in the game)
extern int d;         // ground scroll step (1 during the ground call)
extern int r;         // ground angle (always 0 in the game)
extern int proflag2;  // fire request handed to the shot

// --- Start-up: game/startup.cpp ---

// Starts the library and the keyboard; without an X display the line names
// the DISPLAY tried, or says that none is set. Returns 0, or prints one line
// on stderr, "<program>: ...", and returns 1.
int start_library(const char *program);

struct CommandLine;

// Start-up: library, keyboard, the settings file, window, controls and pad,
// the five files. Returns 0, or prints one line on stderr naming what failed
// and returns 1 (nothing is drawn then). What the command line asks wins over
// the settings file.
int start_up(const CommandLine &line);

// The main routine's body: the command line, start-up, passes until Escape or
// the close button, shut-down. Returns the process exit status: 0 after Escape,
// the close button or an answered --help or --version, 1 when start-up failed,
// 2 for a wrong command line.
int run_game(int argc, char **argv);

// --- The loop: game/main_loop.cpp ---

// Readies the title phase: its first frame shows the title at full brightness.
void begin_title();

// One pass of the main loop: title or flying frame, then pacing and presentation.
void run_pass();

// Passes until Escape is down, or the close button has been clicked, at the
// top of one; rests while the window is in the background, toggles fullscreen
// on F11 or Alt+Enter. Returns 0, or 1 when the window was lost on a toggle.
int run_loop();

}  // namespace zephyrun
