// zephyrun: a pseudo-3D arcade shooter drawn in software on Allegro 4, and the
// toolkit of effects it is built from. This header is the map of the module:
// every routine and every piece of state shared between files, by subsystem.
#pragma once

#include <allegro.h>

#include <ctime>

namespace zephyrun {

// ---------------------------------------------------------------------------
// Game loop and frame
// ---------------------------------------------------------------------------

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

// Start-up: library, keyboard, window, the five files. Returns 0, or prints one
// line on stderr naming what failed and returns 1 (nothing is drawn then).
int start_up();

// One pass of the main loop: title or flying frame, then pacing and presentation.
void run_pass();

// The main routine's body: start-up, passes until Escape, shut-down. Returns
// the process exit status (0 after Escape, 1 when start-up failed).
int run_game();

// Frame pacing and presentation. Counts passes per ~2 s window, adjusts the
// number of waits per pass towards `rate` (0 = 32767), waits, draws "FPS: n"
// at (10, 10) when showfps is 1, copies back to front at the screen's size and
// clears back. mode 0 waits on the retrace, mode 1 with OpenGL clears.
void doppiobuffering(int rate, BITMAP *back, BITMAP *front, int showfps, int reset, int mode);

// Pacing state: the counter shows fps1; rallentatore is the wait count.
extern int tempo1, fps, fps1, fps3, misuratore, rallentatore, frame, intervallo;

// Seams for the outside world; default to the real clock and retrace wait.
extern std::time_t (*pacing_clock)();  // seconds, as time(NULL)
extern void (*retrace_wait)();         // one display retrace
extern void (*gl_clear_wait)();        // one OpenGL buffer clear (mode 1)

// Our retrace wait for displays where the library's vsync() waits on nothing:
// sleeps until the next 1/60 s boundary of the monotonic clock.
void simulated_retrace_wait();

// ---------------------------------------------------------------------------
// Scene rendering
// ---------------------------------------------------------------------------

// Scrolling ground: the perspective plane of the flying phase, scrolled by
// `step` rows a call. span is twice the ground's width; the first call's span
// and height size everything and must stay the same afterwards.
void livscroll(BITMAP *terrain, BITMAP *target, int span, int height, int drift, int step,
               int x, int y, int angle);

// Ground state: set-up flag, sizes, strip and ground bitmaps, scroll offsets.
extern int array, schermox, schermoy, immy1, a;
extern BITMAP *bmp2, *bmp3;
extern float inc[10000];
extern int scorrimentox[10000];
extern float b;

// ---------------------------------------------------------------------------
// Actors
// ---------------------------------------------------------------------------

// ---------------------------------------------------------------------------
// Screen transitions
// ---------------------------------------------------------------------------

// Cross-fade step: shows on `target` the blend prepared on the previous call,
// then prepares in `work` pic1 at alpha 255-level over pic2 at alpha level.
// A NULL picture stands for a plain one of its colour, width x height.
void dissolvenza(BITMAP *work, BITMAP *target, BITMAP *pic1, int col1, BITMAP *pic2, int col2,
                 int width, int height, int level);

// ---------------------------------------------------------------------------
// Music streaming
// ---------------------------------------------------------------------------

}  // namespace zephyrun
