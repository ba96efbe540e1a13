// zephyrun: the toolkit of the zephyrun arcade shooter, for games of your own on
// Allegro 4: frame pacing, a scaled and turned sprite, a scrolling perspective
// ground, a voxel landscape, an OpenGL presentation, a pixel-exact collision
// test, screen transitions and an MP3 music stream. Every routine, by family,
// with the file it lives in (under src/); zephyrun(3) documents each.
//
// What is declared here: the routines, the state each routine is documented
// to keep (callers and tests may read it, so it belongs to the interface), and
// the seams through which a test stands in for the clock, the display or the
// mixer. Scratch that no routine is documented to keep (caches and copies a
// routine makes for its own speed) is static in the file that owns it.
//
// The game itself lives in rooms of its own, which are not installed:
// game/game.h (start-up, the loop and its state), game/command_line.h,
// window/window.h (the window: its scale, fullscreen, the close button, resting
// in the background), actors/actors.h (the player, the shot, the asteroid),
// assets/assets.h (the asset files and the checks of their bytes),
// settings/settings_file.h (the player's settings file) and
// controls/controls.h (the keys and the gamepad).
#pragma once

#include <allegro.h>

#include <cstddef>
#include <cstdint>
#include <ctime>

namespace zephyrun {

// ---------------------------------------------------------------------------
// Frame pacing and presentation: game/frame_pacing.cpp, game/retrace_wait.cpp
// ---------------------------------------------------------------------------

// Frame pacing and presentation. Counts passes per ~2 s window, adjusts the
// number of waits per pass towards `rate` (0 = 32767), waits, draws "FPS: n"
// at (10, 10) when showfps is 1, copies back to front at back's size and
// clears back. mode 0 waits on the retrace, mode 1 with OpenGL clears.
void doppiobuffering(int rate, BITMAP *back, BITMAP *front, int showfps, int reset, int mode);

// Pacing state.
extern std::time_t tempo1;  // clock second the measuring window opened; 0 = none open
extern int fps;             // passes counted in the open window
extern int fps1;            // count of the last closed window: the counter shows it
extern int fps3;            // count of the last window outside rate +/- 2
extern int misuratore;      // windows so far outside the band; 0 = still calibrating
extern int rallentatore;    // the wait count per pass (times frame); negative = none
extern int frame;           // its multiplier: 1 in mode 0, fps3 x misuratore in mode 1
extern int intervallo;      // the wait loop's counter
extern char score[32];      // the counter text of the last call
extern int arrtext;         // 1 once the counter bitmap bittext2 exists
extern BITMAP *bittext2;    // 128x16 overlay the counter text is drawn on

// Seams for the outside world, so a test can stand in for the clock and the
// display, and a game on a display whose vsync() waits can use it.
extern std::time_t (*pacing_clock)();  // wall clock seconds, as time(NULL)
extern void (*retrace_wait)();         // one retrace: simulated_retrace_wait
extern void (*gl_clear_wait)();        // one wait in mode 1: clear_gl_buffers

// Our retrace wait for displays where the library's vsync() waits on nothing:
// sleeps until the next 1/60 s boundary of the monotonic clock.
void simulated_retrace_wait();

// ---------------------------------------------------------------------------
// Scene rendering
// ---------------------------------------------------------------------------

// --- Scaled, turned sprite: scene/sprite.cpp ---

// Scaled, turned sprite: draws picture at (base + growth) size, centred on the
// base rectangle at (left, top), turned by angle (256 a turn, clockwise) about the
// rectangle's centre less half the growth; magic pink stays transparent. A
// size of 0 or less draws nothing. The first call's destination sizes the
// scratch for good: a picture grown beyond three times its width or height is cut.
void sprite(BITMAP *destination, BITMAP *picture, int basew, int baseh, int left, int top,
            int angle, int groww, int growh);

// Sprite state.
extern int data;          // 1 until the first call has made oggetto1
extern BITMAP *oggetto1;  // scratch, 3x the first destination each way, magic pink between calls

// --- Scrolling ground: scene/scrolling_ground.cpp ---

// Scrolling ground: the perspective plane of the flying phase, scrolled by
// `step` rows a call, its top-left at (left, top) on target before it is turned
// by angle about its centre. span is twice the ground's width; the first call's span
// and height size everything and must stay the same afterwards. Only what
// reaches target is made; where terrain has holes or is smaller than height
// rows by span/2 columns, the ground is transparent.
// Returns at once, touching nothing, unless 2 <= height <= 9999 and span >= 2.
void livscroll(BITMAP *terrain, BITMAP *target, int span, int height, int drift, int step, int left,
               int top, int angle);

// Ground state.
extern int array;                // set-up: 2 = no bitmaps yet, 1 = no tables yet, 0 = ready
extern int schermox;             // width of the strip and the ground: the first span / 2
extern int schermoy;             // the first call's height
extern int immy1;                // vertical scroll offset, -height .. 0
extern int a;                    // the row loops' counter
extern BITMAP *bmp2;             // the plain way's strip: stays NULL, rows are read from terrain
extern BITMAP *bmp3;             // the ground bitmap, schermox x schermoy-1
extern float inc[10000];         // per-row widening: 3, 5, 7, ... from row 0
extern int scorrimentox[10000];  // per-row horizontal offset into the strip
extern float b;                  // the sum that fills inc, 1.0 at start

// --- Voxel terrain: scene/voxel_terrain.cpp ---

// Draws a height-map landscape seen from (startx, starty) (16.16 fixed point)
// looking along heading (radians): the backdrop's 640x480 first, then one ray
// per column 0..rays-1, steps cells long, filled bottom-up from baserow; the
// horizon lies 100 rows above baserow. heightmap is read as one byte per pixel
// and must be at least 640x640, or nothing at all is drawn.
void rendervoxel(BITMAP *destination, BITMAP *heightmap, BITMAP *colourmap, BITMAP *backdrop,
                 int startx, int starty, float heading, int eye, int steps, int rays, int baserow);
// value x 65536, truncated toward zero; no range check.
int tofixed(float value);
// Timer-callback-shaped ticks: voxelfn adds 1 to counter, voxelwaitfn takes 1 off.
void voxelfn();
void voxelwaitfn();
extern int counter;  // the ticks' count; nothing else reads it

// --- OpenGL presentation: scene/opengl_presentation.cpp ---

// Enters a width x height OpenGL mode through AllegroGL, depth being both
// colour and z-buffer depth (suggested, not required), lit by one white
// directional light. Needs Allegro started on an X display. 15- and 16-bit
// bitmaps keep the pixel layout they were made with. Returns 0 when the mode
// is set, -1 when it cannot be (not the X11 system driver, no GLX, mode
// refused: allegro_error says why).
int gfxGL(int width, int height, int fullscreen, int depth);

// Shows `source` stretched to width x height as one textured quad moved by
// dx, dy, dz (0 fills the screen, negative dz shrinks it towards the centre)
// and turned by the angles in degrees, then flips. Never clears the depth
// buffer (pacing mode 1 does). Without an OpenGL mode it returns at once.
void renderGL(int width, int height, float dx, float dy, float dz, float anglex, float angley,
              float anglez, BITMAP *source);

// Clears the OpenGL colour and depth buffers: pacing's default wait in mode 1.
void clear_gl_buffers();

// Presentation state.
extern int GLcr_bmp;        // 1 once the scratch GLbmp2 exists
extern int GLw;             // width of the latest call
extern int GLh;             // height of the latest call
extern BITMAP *GLbmp2;      // the scratch, first call's size, at the screen's depth
extern unsigned int GLtex;  // the current call's texture, deleted before it returns

// ---------------------------------------------------------------------------
// Pixel collision test: actors/collision.cpp
// ---------------------------------------------------------------------------

// 1 when spr1 at (spr1x, spr1y) and spr2 at (spr2x, spr2y) share an opaque
// (not magic pink) pixel inside the window of spr1w+1 x spr1h+1 points at
// spr1, else 0. The first call's areaw x areah fixes the scratch area for good
// (an area below 1x1 then gives 0 and sets nothing up); points outside it
// never hit. After a hit collx, colly hold its offset from (spr1x, spr1y),
// the first one scanning columns left to right, each top to bottom.
int collisione(int areaw, int areah, BITMAP *spr1, int spr1w, int spr1h, int spr1x, int spr1y,
               BITMAP *spr2, int spr2x, int spr2y);

// Collision state.
extern int arr;          // 1 once the scratch areas exist
extern BITMAP *bit2;     // scratch area the first sprite is drawn into
extern BITMAP *bit4;     // scratch area the second sprite is drawn into
extern int collx;        // the scan's column offset from spr1x
extern int colly;        // the scan's row offset from spr1y
extern int collcolore;   // the last pixel read from bit4
extern int collcolore2;  // the last pixel read from bit2

// ---------------------------------------------------------------------------
// Screen transitions
// ---------------------------------------------------------------------------

// --- Cross-fade: transitions/cross_fade.cpp ---

// Cross-fade step: shows on `target` the blend prepared on the previous call,
// then prepares in `work` pic1 at alpha 255-level over pic2 at alpha level.
// A NULL picture stands for a plain one of its colour, width x height.
void dissolvenza(BITMAP *work, BITMAP *target, BITMAP *pic1, int col1, BITMAP *pic2, int col2,
                 int width, int height, int level);

// --- Random block dissolve: transitions/block_dissolve.cpp ---

// One step: copies a block x block square of pic2 at a random place over an
// accumulating copy of pic1, the whole of pic2 on call L = 2*(w*h/(block*block)),
// and shows it on target via work. Returns 0 while running, 1 on call L+1
// (target untouched then). Width, height or block below 1 return -1 at once
// with no rand draw and the run left as it was; a failed set-up gives -1 too.
int dissolvcas(BITMAP *work, BITMAP *target, BITMAP *pic1, int col1, BITMAP *pic2, int col2,
               int width, int height, int block);

// Run state.
extern int dispixflag;       // 1 while a run is under way
extern BITMAP *dispixdest3;  // the accumulating picture, made when a run starts
extern float dispixciclo;    // calls so far in this run
extern int disrandx;         // left edge of this call's block; 0 after a run
extern int disrandy;         // top edge of this call's block; 0 after a run
extern float dispixfine;     // 1.0 after the completing call, else 0.0

// --- Column dissolve: transitions/column_dissolve.cpp ---

// One step: strips step wide at x = 0, step, ... width, cut from pic1 as it was
// on the run's first call, slide down over pic2 at random start speeds, then at
// speed2 once they have fallen height/20. work is unused. Returns 0 while
// running, 1 on the call (still shown) on which the strip at x = step has
// fallen beyond 2*(height + height/20). Returns -1 at once, touching nothing,
// unless 1 <= width <= 9999, height >= 20, 1 <= step <= width, speed2 >= 1;
// also when set-up cannot allocate. Heights below 240 start no strip below 1.
int dissolvworm(BITMAP *work, BITMAP *target, BITMAP *pic1, int col1, BITMAP *pic2, int col2,
                int width, int height, int speed2, int step);

// Run state; the tables are indexed by a strip's x.
extern int diswormflag;            // 1 while a run is under way
extern BITMAP *diswormdest3;       // the accumulating picture
extern BITMAP *diswormdest4;       // pic1 as the run found it: every strip is cut from it
extern int disrandwoy[10000];      // a strip's speed, pixels a call
extern float diswormciclo[10000];  // how far a strip has fallen
extern int diswra;                 // the strip loops' x; carries nothing between calls
extern float diswormfine;          // 1.0 after the completing call, else 0.0

// ---------------------------------------------------------------------------
// Music streaming
// ---------------------------------------------------------------------------

// --- MP3 file stream: music/mp3stream.cpp, mp3stream_poll.cpp, mp3_file.cpp ---

// The libmpg123 decoder of a stream and what we track of it (music/mp3_frames.cpp).
struct FrameDecoder;

// One MP3 stream: compressed data in two blocks, decoded frame by frame into
// the buffers of a game-library audio stream.
struct mp3stream {
  unsigned char *block1, *block2;  // the two compressed-data blocks
  unsigned char *work_area;        // current block then next one, contiguous
  int current;                     // 1: block1 is current; -1: block2 is
  int position;                    // next byte to hand to the decoder
  int block_size;                  // bytes per block (32768, or the whole short file)
  bool data_wanted;                // waiting for the next block
  int last_length;                 // -1 while more may follow, else valid bytes of the final block
  FrameDecoder *decoder;
  bool has_xing;           // the first frame carries a Xing header
  int first_frame_length;  // bytes, header included
  int sample_rate;         // Hz
  bool stereo;
  int bits;                   // always 16
  int frame_bytes;            // PCM bytes of one decoded frame
  AUDIOSTREAM *audio_stream;  // NULL while not playing
  int frames_per_buffer;      // frames decoded into each audio buffer
  int end_countdown;          // silent buffers still to play once the data has run out
};

// An MP3 file being played: the open file and the stream it supplies.
struct mp3_handle {
  PACKFILE *file;
  mp3stream *stream;
};

// A stream from the first block of a file: NULL when no valid frame starts
// in its first 28672 bytes or memory runs out. `last` says the block is the whole file.
mp3stream *almp3_create_mp3stream(const void *first_block, int len, int last);

// Starts playback with audio buffers of `len` bytes. 0 when started or already
// playing; -1 when len is below one frame's PCM; -2 when the game library
// could not start an audio stream (the stream stays silent).
int almp3_play_mp3stream(mp3stream *stream, int len, int vol, int pan);

// The block to fill with the next block_size bytes of the file, or NULL when
// the stream wants none (or the final block is already in).
void *almp3_get_mp3stream_buffer(mp3stream *stream);

// Hands the filled block back: -1 for a full block with more to follow, 0 or
// more for the final block with that many valid bytes (at most block_size).
// Does nothing unless almp3_get_mp3stream_buffer would give a block.
void almp3_free_mp3stream_buffer(mp3stream *stream, int bytes_used);

// Fills at most one audio buffer. 0 = fine or nothing to do, 1 = just finished,
// -1 = not playing, -2 = corrupt data with no frame in the next 16384 bytes,
// -3 = the next block did not come in time. 1, -2 and -3 stop playback.
int almp3_poll_mp3stream(mp3stream *stream);

void almp3_stop_mp3stream(mp3stream *stream);       // stops playback, if playing
int almp3_is_playing_mp3stream(mp3stream *stream);  // TRUE while an audio stream is attached
void almp3_destroy_mp3stream(mp3stream *stream);    // stops and releases; NULL does nothing

// Opens an MP3 file and reads its first block: NULL on any failure.
mp3_handle *open_mp3_file(const char *name);

// almp3_play_mp3stream on the file's stream.
int play_mp3_file(mp3_handle *mp3, int len, int vol, int pan);

// Refills the stream from the file when it asks, then polls it (same results).
int poll_mp3_file(mp3_handle *mp3);

// Stops the sound, closes the file and releases everything; NULL does nothing.
void close_mp3_file(mp3_handle *mp3);

// Seams to the game library's audio streams, so tests can offer buffers and
// collect samples; each defaults to the library call named above it.
// play_audio_stream: starts playback of one stream.
extern AUDIOSTREAM *(*audio_stream_play)(int len, int bits, int stereo, int freq, int vol, int pan);
// get_audio_stream_buffer: the buffer the mixer wants filled, or NULL.
extern void *(*audio_stream_buffer)(AUDIOSTREAM *stream);
// free_audio_stream_buffer: hands the filled buffer to the mixer.
extern void (*audio_stream_buffer_filled)(AUDIOSTREAM *stream);
// stop_audio_stream: ends playback.
extern void (*audio_stream_stop)(AUDIOSTREAM *stream);

}  // namespace zephyrun
