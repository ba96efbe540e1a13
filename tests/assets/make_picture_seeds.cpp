// make_picture_seeds ASSET_DIR SEED_DIR: the picture fuzz target's seeds, made
// from the asset maker's four pictures: each plain and run-length coded, as a
// BMP and a TGA, whole and cut in half.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "picture_files.h"

using namespace testing_support;

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_picture_seeds ASSET_DIR SEED_DIR\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
  set_color_depth(24);
  std::filesystem::create_directories(argv[2]);
  const char *const names[] = {"terreno.tga", "cielo.bmp", "asteroide.tga", "present.bmp"};
  const char *const endings[] = {"plain.bmp", "rle.bmp", "plain.tga", "rle.tga"};  // by coding
  for (const char *name : names) {
    BITMAP *picture = load_bitmap((std::string(argv[1]) + "/" + name).c_str(), nullptr);
    if (!picture) {
      std::fprintf(stderr, "make_picture_seeds: cannot load %s from %s\n", name, argv[1]);
      return 1;
    }
    for (int coding = 0; coding < 4; coding++) {
      Bytes bytes = encode_picture(picture, static_cast<PictureCoding>(coding));
      const std::string stem = std::string(argv[2]) + "/" + name + "-" + endings[coding];
      if (!write_bytes(stem, bytes)) return 1;
      bytes.resize(bytes.size() / 2);
      if (!write_bytes(stem + "-cut", bytes)) return 1;
    }
    destroy_bitmap(picture);
  }
  return 0;
}
