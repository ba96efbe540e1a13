// libFuzzer target for the datafile check: any bytes are checked, and bytes it
// finds sound are handed to the library's loader, so both a read outside the
// input and a verdict of "sound" that still crashes the loader show up.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "assets/assets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *input, size_t size) {
  static const std::string copy = "/tmp/datafile_check_fuzz." + std::to_string(getpid());
  static const bool started = install_allegro(SYSTEM_NONE, &errno, nullptr) == 0;
  if (!started) abort();
  set_color_depth(15);  // the game's depth, which the loader converts to
  if (!zephyrun::datafile_fault(input, size).empty()) return 0;
  FILE *file = std::fopen(copy.c_str(), "wb");
  if (!file) abort();
  std::fwrite("slh.", 1, 4, file);  // the packfile layer's "not packed" magic
  std::fwrite(input, 1, size, file);
  std::fclose(file);
  if (DATAFILE *loaded = load_datafile(copy.c_str())) unload_datafile(loaded);
  std::remove(copy.c_str());
  return 0;
}
