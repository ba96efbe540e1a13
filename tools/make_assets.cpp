// zephyrun-assets DIRECTORY: draws the game's five asset files into DIRECTORY.
// Runs without a display, so the build can make the assets anywhere.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "asset_maker.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zephyrun-assets DIRECTORY\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    std::fprintf(stderr, "zephyrun-assets: cannot start Allegro: %s\n", allegro_error);
    return 1;
  }
  std::string error;
  if (!asset_maker::write_asset_files(argv[1], error)) {
    std::fprintf(stderr, "zephyrun-assets: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
