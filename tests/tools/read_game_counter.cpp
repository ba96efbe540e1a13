// Prints the number the game's frame counter shows in a screenshot given as a
// binary PPM on stdin, or -1 when there is no counter. Used by
// scripts/measure-pacing.sh.
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "game_process.h"
#include "test_support.h"

int main() {
  std::string ppm((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  testing_support::start_headless_allegro(24);
  std::printf("%d\n", testing_support::read_counter(testing_support::parse_ppm(ppm)));
  return 0;
}
