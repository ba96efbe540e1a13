// Prints the number the game's frame counter shows in a screenshot given as a
// binary PPM on stdin (the frame at 640x480), or -1 where it shows none; the
// measuring scripts read the game's pace with it.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "game_screen.h"

int main() {
  std::string ppm((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  testing_support::start_headless_allegro(24);
  std::printf("%d\n", testing_support::counter_shown(testing_support::parse_ppm(ppm)));
  return 0;
}
