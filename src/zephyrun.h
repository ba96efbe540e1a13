// zephyrun: a pseudo-3D arcade shooter drawn in software on Allegro 4, and the
// toolkit of effects it is built from. This header is the map of the module:
// every routine, by subsystem, with the file it lives in (under src/).
//
// What is declared here: the routines, the state each routine is documented
// to keep (callers and tests may read it, so it belongs to the interface), and
// the seams through which a test stands in for the clock, the display or the
// mixer. Scratch that no routine is documented to keep (caches and copies a
// routine makes for its own speed) is static in the file that owns it.
#pragma once

#include <allegro.h>

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

namespace zephyrun {

// ---------------------------------------------------------------------------
// Game loop and frame
// ---------------------------------------------------------------------------

// --- Start-up and main loop: game/startup.cpp, game/main_loop.cpp ---

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
// `scale` is the window's magnification, 1..4, or 0 for the desktop's choice.
int start_up(int scale = 1);

// Start-up pieces other programs built on the module call too. Each returns
// 0, or prints one line on stderr, "<program>: ...", and returns 1.
// Starts the library and the keyboard; without an X display the line names
// the DISPLAY tried, or says that none is set.
int start_library(const char *program);
// Opens the 640x480 window, magnified window_scale times, at colour depth 15
// and gives it `title`.
int open_window(const char *program, const char *title);

// The five files the game loads from the working directory, in loading order:
// the animation datafile, the ground texture, the sky, the asteroid, the title.
inline constexpr const char *asset_file_names[] = {"cor.dat", "terreno.tga", "cielo.bmp",
                                                   "asteroide.tga", "present.bmp"};

// Loads the five files from the working directory into cors, bit, cielo,
// asteroide and prese, at the current colour depth. Returns 0, or prints one
// line on stderr and returns 1: "<program>: cannot load "<file>": " then
// where it was looked for when it is missing, or else what is wrong with it.
// The datafile needs at least 16 objects, 0, 3, 6, 9, 12 and 15 bitmaps; the
// pictures need the sizes below.
int load_assets(const char *program);

// The sizes a picture may have, each side from least to most. The upper
// bounds keep the library's loader, which sizes a bitmap as width x height x
// bytes a pixel in an int, and every depth it converts to, far from overflow:
// the largest, 4096 x 4096 at 4 bytes, is 64 MB.
struct PictureSize {
  int least_width, most_width, least_height, most_height;
};
// Sky and title are drawn as the whole frame.
inline constexpr PictureSize full_screen_size = {640, 640, 480, 480};
// The ground's rows are its depth; it is at least twice the screen wide, and
// wider only costs memory.
inline constexpr PictureSize ground_size = {1280, 16384, 200, 200};
// The actors are stretched to their drawn sizes, so any sane size does.
inline constexpr PictureSize actor_size = {1, 4096, 1, 4096};

// Readies the title phase: its first frame shows the title at full brightness.
void begin_title();

// One pass of the main loop: title or flying frame, then pacing and presentation.
void run_pass();

// Passes until Escape is down, or the close button has been clicked, at the top of one.
void run_loop();

// The main routine's body: the command line, start-up, passes until Escape or
// the close button, shut-down. Returns the process exit status: 0 after Escape,
// the close button or an answered
// --help or --version, 1 when start-up failed, 2 for a wrong command line.
int run_game(int argc, char **argv);

// --- Command line: game/command_line.cpp ---

// What a command line asks of the game or the showcase.
struct CommandLine {
  enum Action { play, show_help, show_version, refuse };
  Action action = play;
  int scale = 1;               // the window's magnification, 1..4; 0 = auto
  const char *file = nullptr;  // the one file named, for a program that takes one
  std::string problem;         // refuse: what is wrong, said after "<program>: "
};

// Reads --scale N|auto (or --scale=...), --help, --version and, where
// takes_file, one file name; "--" ends the options. --help and --version
// answer at once, before anything after them is read; the first fault refuses.
CommandLine parse_command_line(int argc, const char *const *argv, bool takes_file);

// Answers a line that is not `play`: help or "<program> <version>" on stdout
// (returns 0), or "<program>: <problem>" and the usage on stderr (returns 2).
// The usage names file_name as the optional file, unless it is NULL.
int answer_command_line(const CommandLine &line, const char *program, const char *file_name);

// The largest scale 1..4 whose window, 640N x 480N, fits within 90 % of a
// desktop of this size each way; 1 when not even that one does.
int scale_for_desktop(int width, int height);

// The scale itself, or for 0 (auto) the desktop's choice; 1 when the desktop's
// size cannot be had. Needs the library started.
int resolved_scale(int scale);

// --- The window's close button: game/close_button.cpp ---

// From now on a click on the window's close button is noted, to end the loop
// as Escape does. Returns 0, or non-zero where the platform has no close
// button. On X it holds through later modes, AllegroGL's included.
int watch_close_button();
// Whether the close button has been clicked since it was first watched.
bool close_button_clicked();

// --- Asset file checks: game/datafile_check.cpp, game/picture_check.cpp ---

// Checks of untrusted asset bytes before the library reads them: "" when
// sound, else what is wrong, worded to follow "cannot load "<file>": ".
// The structure of an unpacked datafile, from its "ALL." magic on, held
// against its length: properties, object sizes, nested datafiles and the
// sizes inside the objects the library parses.
std::string datafile_fault(const unsigned char *bytes, size_t length);
// The same of a datafile file, packed or not, as the library would unpack it.
std::string datafile_file_fault(const char *name);
// Whether a BMP or TGA picture is of a needed size, judged from its header
// before anything else is read, and then safe for the library to load: a
// palette its tables hold, run-length codes that stay inside their rows and
// the picture, and every pixel its header promises.
std::string picture_fault(const unsigned char *bytes, size_t length, bool tga,
                          const PictureSize &needed);
// The same of a file, BMP or TGA by its name's ending; a file longer than any
// picture of the needed size can be is read only that far.
std::string picture_file_fault(const char *name, const PictureSize &needed);
// "" when width x height is a needed size, else "<w>x<h> where <size> is needed".
std::string picture_size_fault(int64_t width, int64_t height, const PictureSize &needed);

// --- Frame pacing and presentation: game/frame_pacing.cpp, game/retrace_wait.cpp ---

// The active graphics driver's screen size divided by window_scale: the size
// of the frame the window shows; 0 x 0 while no mode is set.
struct ScreenSize {
  int w, h;
};
ScreenSize screen_size();

// Frame pacing and presentation. Counts passes per ~2 s window, adjusts the
// number of waits per pass towards `rate` (0 = 32767), waits, draws "FPS: n"
// at (10, 10) when showfps is 1, copies back to front at the screen's size and
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

// Seams for the outside world, so tests can stand in for the clock and the display.
extern std::time_t (*pacing_clock)();  // wall clock seconds, as time(NULL)
extern void (*retrace_wait)();         // one retrace: simulated_retrace_wait
extern void (*gl_clear_wait)();        // one wait in mode 1: clear_gl_buffers

// Our retrace wait for displays where the library's vsync() waits on nothing:
// sleeps until the next 1/60 s boundary of the monotonic clock.
void simulated_retrace_wait();

// --- The magnified window: game/magnified_window.cpp ---

// How many times the window magnifies the frame, 1..4; set before the window
// opens. Nothing is drawn or paced at another size for it.
extern int window_scale;

// Copies source onto target at (left, top) with every pixel a scale x scale
// block, unfiltered (scale 1: a plain copy), through a kept magnified bitmap.
void magnify(BITMAP *source, BITMAP *target, int scale, int left, int top);

// Shows a 15-bit memory frame on the window magnified scale times, its top-left
// corner at (left, top): straight into the window's pixels where it can, else
// through magnify() onto screen. The window shows the same either way.
void show_magnified(BITMAP *source, int scale, int left, int top);

// Ends a pass as doppiobuffering(rate, back, screen, showfps, reset, 0) does;
// above window_scale 1 the paced frame with its counter is then magnified
// onto the window.
void present_to_window(int rate, BITMAP *back, int showfps, int reset);

// --- The window's own pixels: game/window_pixels_magnify.cpp ---

// show_magnified's one pass: each pixel of the frame turned into the X11
// window's format as the library's own conversion turns it, and written
// scale x scale times (1..4) straight into the window's picture, then put on the
// window. False, with nothing drawn, where the window rules it out: not the
// X11 driver's screen at 15 bits over a 24/32-bit true-colour window, a frame
// that is not a 15-bit memory bitmap, or one that would not fit. The screen
// bitmap's own memory no longer follows the window: read the window instead.
bool magnify_into_window(BITMAP *source, int scale, int left, int top);

// ---------------------------------------------------------------------------
// Scene rendering
// ---------------------------------------------------------------------------

// --- Scaled, turned sprite: scene/sprite.cpp ---

// Scaled, turned sprite: draws picture at (base + growth) size, centred on the
// base rectangle at (left, top), turned by angle (256 a turn, clockwise) about the
// rectangle's centre less half the growth; magic pink stays transparent. A
// size of 0 or less draws nothing. The first call needs a graphics mode set.
void sprite(BITMAP *destination, BITMAP *picture, int basew, int baseh, int left, int top,
            int angle, int groww, int growh);

// Sprite state.
extern int data;          // 1 until the first call has made oggetto1
extern BITMAP *oggetto1;  // scratch, three screens by three, all magic pink between calls

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

// --- Voxel terrain (toolkit): scene/voxel_terrain.cpp ---

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

// --- OpenGL presentation (toolkit): scene/opengl_presentation.cpp ---

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
// Actors
// ---------------------------------------------------------------------------

// --- Player: actors/player.cpp ---

// Player: draws the ship into buf from cors (frames 0..12), then animates it,
// steers it with the arrow keys (12 pixels a key, leaning -5/+5 sideways) and
// flies it in from below on the first 36 calls. A move shows one call later.
void giocatore();

// Player state; the shot reads x and y.
extern int x;           // left edge of the base rectangle
extern int y;           // top edge of the base rectangle
extern int giow;        // width growth: 200 at the fly-in's start, -52 after it
extern int gioh;        // height growth: 250 at the fly-in's start, -110 after it
extern int giorot;      // tilt: 0, -5 or +5
extern int giocont2;    // datafile object drawn: 0, 3, 6, 9, 12
extern int giocont1;    // animation direction: 0 = up, 1 = down
extern int gioattivo1;  // fly-in: 0 = not begun, 1 = flying in, 2 = arrived

// --- Player shot: actors/player_shot.cpp ---

// Player shot: fire = 1 starts a shot in front of the player unless one is in
// flight; a shot is drawn (cors object 15) shrinking on 10 calls, then ends.
void sparogiocatore(int fire);

// Shot state.
extern int xpro;      // left edge of the base rectangle, set at spawn
extern int ypro;      // top edge of the base rectangle, set at spawn
extern int wpro;      // width growth
extern int hpro;      // height growth
extern int proflag3;  // 1 while a shot is in flight

// --- Enemy asteroid: actors/asteroid.cpp ---

// Enemy: spawns an asteroid at a rand() place when none is in flight, then
// draws it growing on 15 calls; the next call spawns the next.
void nemico();

// Asteroid state.
extern int astx;      // left edge of the base rectangle, 50 .. 549
extern int asty;      // top edge of the base rectangle, 50 .. 249
extern int astw;      // width growth
extern int asth;      // height growth
extern int astflag1;  // 1 while an asteroid is in flight

// --- Pixel collision test (toolkit): actors/collision.cpp ---

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

// --- Random block dissolve (toolkit): transitions/block_dissolve.cpp ---

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

// --- Column dissolve (toolkit): transitions/column_dissolve.cpp ---

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

// --- MP3 file stream (toolkit): music/mp3stream.cpp, mp3stream_poll.cpp, mp3_file.cpp ---

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
