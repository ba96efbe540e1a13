#include "mp3_fixtures.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#ifndef ZEPHYRUN_SOURCE_DIR
#error "test support needs ZEPHYRUN_SOURCE_DIR and ZEPHYRUN_BINARY_DIR"
#endif

namespace testing_support {

const std::string &mp3_fixture_dir() {
  static const std::string dir = [] {
    std::string out = std::string(ZEPHYRUN_BINARY_DIR) + "/mp3_fixtures";
    std::string command = std::string(ZEPHYRUN_SOURCE_DIR) + "/tests/fixtures/make_mp3_fixtures.sh '" + out + "'";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "could not make the music fixtures: %s\n", command.c_str());
      std::abort();
    }
    return out;
  }();
  return dir;
}

std::string mp3_fixture(const std::string &name) { return mp3_fixture_dir() + "/" + name; }

std::vector<unsigned char> read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string &path, const std::vector<unsigned char> &bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), bytes.size());
}

ScratchFile::ScratchFile(const std::string &name, const std::vector<unsigned char> &bytes)
    : path(mp3_fixture_dir() + "/scratch-" + std::to_string(getpid()) + "-" + name) {
  write_file(path, bytes);
}

ScratchFile::~ScratchFile() { std::remove(path.c_str()); }

std::vector<int16_t> mpg123_reference(const std::string &path) {
  std::vector<int16_t> pcm;
  std::string command = "mpg123 -q --no-gapless -e s16 -s '" + path + "' 2>/dev/null";
  if (FILE *pipe = popen(command.c_str(), "r")) {
    int16_t chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, sizeof chunk[0], 4096, pipe)) > 0) pcm.insert(pcm.end(), chunk, chunk + n);
    pclose(pipe);
  }
  return pcm;
}

// Only what the test files need: MPEG-1 Layer III frames at 44.1 kHz.
std::vector<size_t> frame_offsets(const std::vector<unsigned char> &bytes) {
  std::vector<size_t> offsets;
  size_t at = 0;
  while (at + 4 <= bytes.size() && bytes[at] == 0xFF && (bytes[at + 1] & 0xFE) == 0xFA) {
    static constexpr int kbps[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    offsets.push_back(at);
    at += 144000 * kbps[bytes[at + 2] >> 4] / 44100 + (bytes[at + 2] >> 1 & 1);
  }
  return offsets;
}

}  // namespace testing_support
