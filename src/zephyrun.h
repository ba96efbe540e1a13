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

// Readies the title phase: its first frame shows the title at full brightness.
void begin_title();

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
extern char score[32];   // the counter text of the last call
extern int arrtext;      // 1 once the counter bitmap bittext2 exists
extern BITMAP *bittext2;

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

// Scaled, turned sprite: draws picture at (base + growth) size, centred on the
// base rectangle at (x, y), turned by angle (256 a turn, clockwise) about the
// rectangle's centre less half the growth; magic pink stays transparent. A
// size of 0 or less draws nothing. The first call needs a graphics mode set.
void sprite(BITMAP *destination, BITMAP *picture, int basew, int baseh, int x, int y, int angle,
            int groww, int growh);

// Sprite state: data is 1 until the first call makes oggetto1, the scratch of
// three screens by three that is all magic pink between calls.
extern int data;
extern BITMAP *oggetto1;

// OpenGL presentation (toolkit): enters a width x height OpenGL mode through
// AllegroGL, depth being both colour and z-buffer depth (suggested, not
// required), lit by one white directional light. Needs Allegro started on an
// X display. Returns 0 when the mode is set, -1 when it cannot be (not the X11
// system driver, no GLX, mode refused: allegro_error says why).
int gfxGL(int width, int height, int fullscreen, int depth);

// Shows `source` stretched to width x height as one textured quad moved by
// dx, dy, dz (0 fills the screen, negative dz shrinks it towards the centre)
// and turned by the angles in degrees, then flips. Never clears the depth
// buffer (pacing mode 1 does). Without an OpenGL mode it returns at once.
void renderGL(int width, int height, float dx, float dy, float dz, float anglex, float angley,
              float anglez, BITMAP *source);

// Presentation state: scratch-made flag, the scratch (first call's size, kept
// for the run), the latest call's size, and the texture of the current call.
extern int GLcr_bmp, GLw, GLh;
extern BITMAP *GLbmp2;
extern unsigned int GLtex;

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

// --- Voxel terrain (toolkit) ---
// Draws a height-map landscape seen from (startx, starty) (16.16 fixed point)
// looking along heading (radians): the backdrop's 640x480 first, then one ray
// per column 0..rays-1, steps cells long, filled bottom-up from baserow; the
// horizon lies 100 rows above baserow. heightmap is read as one byte per pixel
// and must be at least 640x640, or nothing at all is drawn.
void rendervoxel(BITMAP *destination, BITMAP *heightmap, BITMAP *colourmap, BITMAP *backdrop,
                 int startx, int starty, float heading, int eye, int steps, int rays,
                 int baserow);
// value x 65536, truncated toward zero; no range check.
int tofixed(float value);
// Timer-callback-shaped ticks: voxelfn adds 1 to counter, voxelwaitfn takes 1 off.
void voxelfn();
void voxelwaitfn();
extern int counter;

// ---------------------------------------------------------------------------
// Actors
// ---------------------------------------------------------------------------

// --- Pixel collision test (toolkit) ---
// 1 when spr1 at (spr1x, spr1y) and spr2 at (spr2x, spr2y) share an opaque
// (not magic pink) pixel inside the window of spr1w+1 x spr1h+1 points at
// spr1, else 0. The first call's areaw x areah fixes the scratch area for good
// (an area below 1x1 then gives 0 and sets nothing up); points outside it
// never hit. After a hit collx, colly hold its offset from (spr1x, spr1y),
// the first one scanning columns left to right, each top to bottom.
int collisione(int areaw, int areah, BITMAP *spr1, int spr1w, int spr1h, int spr1x, int spr1y,
               BITMAP *spr2, int spr2x, int spr2y);
// The scan's position and its last reads (collcolore from spr2's scratch, collcolore2 from spr1's).
extern int collx, colly, collcolore, collcolore2;

// ---------------------------------------------------------------------------
// Screen transitions
// ---------------------------------------------------------------------------

// Cross-fade step: shows on `target` the blend prepared on the previous call,
// then prepares in `work` pic1 at alpha 255-level over pic2 at alpha level.
// A NULL picture stands for a plain one of its colour, width x height.
void dissolvenza(BITMAP *work, BITMAP *target, BITMAP *pic1, int col1, BITMAP *pic2, int col2,
                 int width, int height, int level);

// --- Random block dissolve (toolkit) ---
// One step: copies a block x block square of pic2 at a random place over an
// accumulating copy of pic1, the whole of pic2 on call L = 2*(w*h/(block*block)),
// and shows it on target via work. Returns 0 while running, 1 on call L+1
// (target untouched then). Width, height or block below 1 return -1 at once
// with no rand draw and the run left as it was; a failed set-up gives -1 too.
int dissolvcas(BITMAP *work, BITMAP *target, BITMAP *pic1, int col1, BITMAP *pic2, int col2,
               int width, int height, int block);
// Run state: set-up flag, accumulating picture, step count (float), this
// call's block corner, and 1.0 after the completing call, 0.0 otherwise.
extern int dispixflag;
extern BITMAP *dispixdest3;
extern float dispixciclo;
extern int disrandx, disrandy;
extern float dispixfine;

// --- Column dissolve (toolkit) ---
// One step: strips step wide at x = 0, step, ... width, cut from pic1 as it was
// on the run's first call, slide down over pic2 at random start speeds, then at
// speed2 once they have fallen height/20. work is unused. Returns 0 while
// running, 1 on the call (still shown) on which the strip at x = step has
// fallen beyond 2*(height + height/20). Returns -1 at once, touching nothing,
// unless 1 <= width <= 9999, height >= 20, 1 <= step <= width, speed2 >= 1;
// also when set-up cannot allocate. Heights below 240 start no strip below 1.
int dissolvworm(BITMAP *work, BITMAP *target, BITMAP *pic1, int col1, BITMAP *pic2, int col2,
                int width, int height, int speed2, int step);
// Run state: set-up flag, accumulating picture, the snapshot of pic1 every
// strip is cut from, and per strip x: speed and distance fallen; then the
// completion indicator (1.0 after the completing call).
extern int diswormflag;
extern BITMAP *diswormdest3;
extern BITMAP *diswormdest4;
extern int disrandwoy[10000];
extern float diswormciclo[10000];
extern float diswormfine;

// ---------------------------------------------------------------------------
// Music streaming
// ---------------------------------------------------------------------------

}  // namespace zephyrun
