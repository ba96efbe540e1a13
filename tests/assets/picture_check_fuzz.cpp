// libFuzzer target for the picture check: any bytes are checked as a BMP and
// as a TGA against each size the game needs, and bytes it finds sound are
// handed to the library's loader, so both a read outside the input and a
// verdict of "sound" that still overflows the loader show up.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "assets/assets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *input, size_t size) {
  static const std::string stem = "/tmp/picture_check_fuzz." + std::to_string(getpid());
  static const bool started = install_allegro(SYSTEM_NONE, &errno, nullptr) == 0;
  if (!started) abort();
  set_color_depth(15);  // the game's depth, which the loader converts to
  const zephyrun::PictureSize sizes[] = {zephyrun::full_screen_size, zephyrun::ground_size,
                                         zephyrun::actor_size};
  for (const bool tga : {false, true}) {
    bool sound = false;
    for (const zephyrun::PictureSize &needed : sizes)
      sound = sound || zephyrun::picture_fault(input, size, tga, needed).empty();
    if (!sound) continue;
    const std::string path = stem + (tga ? ".tga" : ".bmp");
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) abort();
    std::fwrite(input, 1, size, file);
    std::fclose(file);
    PALETTE palette;
    if (BITMAP *loaded = load_bitmap(path.c_str(), palette)) destroy_bitmap(loaded);
    std::remove(path.c_str());
  }
  return 0;
}
