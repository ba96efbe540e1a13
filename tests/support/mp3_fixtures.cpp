// The music fixtures, encoded once per build folder, scratch files beside them,
// and the reference decoder's samples of a file.
#include "mp3_fixtures.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "game_process.h"

namespace testing_support {

std::string mp3_fixture(const std::string &name) {
  static const std::string dir = [] {
    const std::string out = ZEPHYRUN_BINARY_DIR "/mp3_fixtures";
    if (!run_command(ZEPHYRUN_SOURCE_DIR "/tests/support/make_mp3_fixtures.sh " + out))
      throw std::runtime_error("could not make the music fixtures in " + out);
    return out;
  }();
  return dir + "/" + name;
}

std::vector<unsigned char> read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

ScratchFile::ScratchFile(const std::string &name, const std::vector<unsigned char> &bytes)
    : path(mp3_fixture("scratch-" + std::to_string(getpid()) + "-" + name)) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char *>(bytes.data()), bytes.size());
}

ScratchFile::~ScratchFile() { std::remove(path.c_str()); }

std::vector<int16_t> mpg123_reference(const std::string &path) {
  std::string bytes;
  run_command("mpg123 -q --no-gapless -e s16 -s '" + path + "' 2>/dev/null", &bytes);
  std::vector<int16_t> pcm(bytes.size() / 2);
  std::memcpy(pcm.data(), bytes.data(), pcm.size() * 2);
  return pcm;
}

}  // namespace testing_support
