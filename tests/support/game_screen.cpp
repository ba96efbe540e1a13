// Reading the game's frame back from a screenshot: its ship against the built
// pictures, its counter and resting line against the library's own font.
#include "game_screen.h"

#include <algorithm>
#include <string>

namespace testing_support {

static constexpr int ship_width = 275, ship_height = 299, ship_top = 153;

std::vector<BitmapPtr> resting_ship_pictures() {
  std::vector<BitmapPtr> ships;
  DATAFILE *animation = load_datafile((built_asset_directory() + "/cor.dat").c_str());
  if (!animation) return ships;
  for (int frame = 0; frame <= 12; frame += 3) {
    ships.push_back(make_filled_bitmap(ship_width, ship_height, makecol(255, 0, 255)));
    stretch_sprite(ships.back().get(), static_cast<BITMAP *>(animation[frame].dat), 0, 0,
                   ship_width, ship_height);
  }
  unload_datafile(animation);
  return ships;
}

int ship_x(const Screenshot &frame, const std::vector<BitmapPtr> &ships) {
  for (int x = -30; x <= 354; x += 12)
    for (const BitmapPtr &ship : ships) {
      int compared = 0;
      int matching = 0;
      for (int py = 0; py < ship_height; py += 3)
        for (int px = std::max(0, -x - 26); px < std::min(ship_width, 614 - x); px += 3) {
          const int colour = getpixel(ship.get(), px, py);
          if (colour == makecol(255, 0, 255)) continue;
          compared++;
          const unsigned char *shown = frame.at(x + 26 + px, ship_top + py);
          matching += near_colour(shown, getr(colour), getg(colour), getb(colour), 12);
        }
      if (matching > 0.9 * compared) return x;
    }
  return no_ship;
}

// Whether the 8x8 cell at (x, y) holds exactly the white pixels of the
// library font's glyph of `ch`.
static bool glyph_at(const Screenshot &frame, int x, int y, char ch) {
  if (x < 0 || y < 0 || x + 8 > frame.width || y + 8 > frame.height) return false;
  BitmapPtr glyph = make_filled_bitmap(8, 8, 0);
  const char text[2] = {ch, 0};
  textout_ex(glyph.get(), font, text, 0, 0, makecol(255, 255, 255), -1);
  for (int gy = 0; gy < 8; gy++)
    for (int gx = 0; gx < 8; gx++)
      if ((getpixel(glyph.get(), gx, gy) != 0) !=
          near_colour(frame.at(x + gx, y + gy), 255, 255, 255, 0))
        return false;
  return true;
}

// Whether `text` stands in white at (x, y), glyph by glyph.
static bool text_at(const Screenshot &frame, int x, int y, const std::string &text) {
  for (size_t i = 0; i < text.size(); i++)
    if (text[i] != ' ' && !glyph_at(frame, x + 8 * static_cast<int>(i), y, text[i])) return false;
  return true;
}

int counter_shown(const Screenshot &frame) {
  if (!text_at(frame, 10, 10, "FPS:")) return -1;
  std::string digits;  // after "FPS: ", up to the first cell that holds none
  for (int x = 10 + 8 * 5; x < 10 + 8 * 16 && digits.size() == (x - 50) / 8u; x += 8)
    for (char digit = '0'; digit <= '9'; digit++)
      if (glyph_at(frame, x, 10, digit)) digits += digit;
  return digits.empty() ? -1 : std::stoi(digits);
}

bool shows_resting_line(const Screenshot &frame) {
  const std::string line = "resting while the window is in the background";
  return text_at(frame, 320 - 4 * static_cast<int>(line.size()), 236, line);
}

}  // namespace testing_support
