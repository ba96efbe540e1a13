// Reads the frame counter off a screenshot by matching each 8x8 character
// cell's white pixels against the library font's glyphs.
#include <allegro.h>

#include <string>

#include "game_process.h"

namespace testing_support {

static bool white(const Screenshot &shot, int x, int y) {
  const unsigned char *p = shot.at(x, y);
  return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

// The character whose glyph has exactly the white pixels of the cell at
// (x, y), among `candidates`; 0 when none.
static char character_at(const Screenshot &shot, int x, int y, const std::string &candidates) {
  if (x + 8 > shot.width || y + 8 > shot.height) return 0;
  BITMAP *glyph = create_bitmap_ex(24, 8, 8);
  char found = 0;
  for (char ch : candidates) {
    clear_to_color(glyph, makecol_depth(24, 0, 0, 0));
    char text[2] = {ch, 0};
    textout_ex(glyph, font, text, 0, 0, makecol_depth(24, 255, 255, 255), -1);
    bool same = true;
    for (int gy = 0; gy < 8 && same; gy++)
      for (int gx = 0; gx < 8 && same; gx++)
        same = (getpixel(glyph, gx, gy) != 0) == white(shot, x + gx, y + gy);
    if (same) {
      found = ch;
      break;
    }
  }
  destroy_bitmap(glyph);
  return found;
}

int read_counter(const Screenshot &shot) {
  const std::string label = "FPS: ";
  for (size_t i = 0; i < label.size(); i++)
    if (label[i] != ' ' && character_at(shot, 10 + 8 * int(i), 10, std::string(1, label[i])) == 0)
      return -1;
  int value = 0, digits = 0;
  for (int i = int(label.size()); i < 16; i++) {
    char ch = character_at(shot, 10 + 8 * i, 10, "0123456789");
    if (ch == 0) break;
    value = value * 10 + (ch - '0');
    digits++;
  }
  return digits ? value : -1;
}

}  // namespace testing_support
