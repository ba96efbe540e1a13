// Frame pacing and presentation: ends every pass of the loop. A step
// controller counts passes per ~2 s window of the one-second wall clock and
// moves the number of retrace waits per pass by one per window until the count
// sits within 2 of the target; then the counter text goes on the frame, the
// frame goes to the screen and the back buffer is cleared for the next pass.
#include "zephyrun.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace zephyrun {

std::time_t tempo1;
int fps, fps1, fps3, misuratore, rallentatore, frame, intervallo;
char score[32];
int arrtext;
BITMAP *bittext2;

static std::time_t wall_clock_seconds() { return std::time(nullptr); }

std::time_t (*pacing_clock)() = wall_clock_seconds;
void (*retrace_wait)() = simulated_retrace_wait;
void (*gl_clear_wait)() = clear_gl_buffers;

// The largest wait count the first calibration may set. The display retraces
// 60 times a second and a window lasts about two, so 2 * 60 / rate waits a
// pass already bring the count down to the target; a larger start would only
// crawl down by one per window.
// OpenGL clears (mode 1) are no retraces, so they keep the plain calibration.
static int calibration_cap(int rate) { return rate > 0 ? 2 * 60 / rate : 0; }

// Closes the measuring window when the clock is two seconds past its opening
// and steps the wait count when the window's count is outside rate +/- 2.
static void close_window_if_due(int rate, int mode) {
  if (pacing_clock() - 1 <= tempo1) return;
  tempo1 = 0;
  fps1 = fps;
  if (misuratore == 0) {
    rallentatore = (fps1 / rate) / 2;
    if (mode == 0 && rallentatore > calibration_cap(rate)) rallentatore = calibration_cap(rate);
  }
  if (fps1 < rate - 2 || fps1 > rate + 2) {
    misuratore++;
    fps3 = fps1;
    if (fps1 < rate) rallentatore--;
    if (fps1 > rate) rallentatore++;
  }
  fps = 0;
}

// Products are taken in 64 bits and saturated: in mode 1 every window outside
// the band multiplies the clears, which in a long run would overflow an int.
static int saturated(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

static void wait_for_pace(int mode) {
  if (mode == 0) frame = 1;
  if (mode == 1) frame = saturated(static_cast<long long>(fps3) * misuratore);
  const int waits = std::min(saturated(static_cast<long long>(rallentatore) * frame), INT_MAX - 1);
  for (intervallo = 1; intervallo <= waits; intervallo++) {
    if (mode == 0) retrace_wait();
    if (mode == 1) gl_clear_wait();
  }
}

// White "FPS: n " at (10, 10) of the frame, through a masked overlay bitmap. The overlay's
// transparent colour is its own mask colour: makecol's magic pink follows the current depth
// and pixel layout, which an OpenGL mode changes after the overlay was made.
static void draw_counter(BITMAP *back) {
  std::snprintf(score, sizeof score, "FPS: %d ", fps1);
  if (arrtext == 0) {
    bittext2 = create_bitmap(128, 16);
    if (!bittext2) return;  // no counter on this frame; the next one tries again
    clear_to_color(bittext2, bitmap_mask_color(bittext2));
    arrtext = 1;
  }
  const int mask = bitmap_mask_color(bittext2);
  textout_ex(bittext2, font, score, 0, 0, makecol(255, 255, 255), mask);
  draw_sprite(back, bittext2, 10, 10);
  clear_to_color(bittext2, mask);
}

void doppiobuffering(int rate, BITMAP *back, BITMAP *front, int showfps, int reset, int mode) {
  if (reset == 1) misuratore = rallentatore = fps3 = fps = 0;
  if (rate == 0) rate = 32767;
  if (tempo1 == 0) tempo1 = pacing_clock();
  close_window_if_due(rate, mode);
  fps++;
  wait_for_pace(mode);
  if (showfps == 1) draw_counter(back);
  // The whole frame, whatever the window around it: the library clips the copy to front.
  blit(back, front, 0, 0, 0, 0, back->w, back->h);
  clear(back);
}

}  // namespace zephyrun
