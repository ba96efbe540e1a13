// Prints the number the game's frame counter shows in a screenshot given as a
// binary PPM on stdin ("FPS: n" in white at (10, 10), the library's 8x8 font),
// or -1 when there is none. The measuring scripts read the game and the showcase with it.
#include <allegro.h>

#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "game_process.h"
#include "test_support.h"

using testing_support::Screenshot;

// The character among `candidates` whose glyph has exactly the white pixels
// of the 8x8 cell at (x, y); 0 when none.
static char character_at(const Screenshot &shot, int x, int y, const std::string &candidates) {
  if (x + 8 > shot.width || y + 8 > shot.height) return 0;
  BITMAP *glyph = create_bitmap_ex(24, 8, 8);
  char found = 0;
  for (char ch : candidates) {
    clear_to_color(glyph, 0);
    const char text[2] = {ch, 0};
    textout_ex(glyph, font, text, 0, 0, makecol_depth(24, 255, 255, 255), -1);
    bool same = true;
    for (int gy = 0; gy < 8; gy++)
      for (int gx = 0; gx < 8; gx++) {
        const unsigned char *p = shot.at(x + gx, y + gy);
        same &= (getpixel(glyph, gx, gy) != 0) == (p[0] == 255 && p[1] == 255 && p[2] == 255);
      }
    if (same && !found) found = ch;
  }
  destroy_bitmap(glyph);
  return found;
}

static int read_counter(const Screenshot &shot) {
  const std::string label = "FPS:";
  for (size_t i = 0; i < label.size(); i++)
    if (!character_at(shot, 10 + 8 * int(i), 10, label.substr(i, 1))) return -1;
  int value = -1;
  for (int i = 5; i < 16; i++) {
    const char digit = character_at(shot, 10 + 8 * i, 10, "0123456789");
    if (!digit) break;
    value = (value < 0 ? 0 : value * 10) + (digit - '0');
  }
  return value;
}

int main() {
  std::string ppm((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  testing_support::start_headless_allegro(24);
  std::printf("%d\n", read_counter(testing_support::parse_ppm(ppm)));
  return 0;
}
