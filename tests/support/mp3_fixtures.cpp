#include "mp3_fixtures.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testing_support {

std::string mp3_fixture(const std::string &name) {
  static const std::string dir = [] {
    const std::string out = ZEPHYRUN_BINARY_DIR "/mp3_fixtures";
    const std::string command =
        ZEPHYRUN_SOURCE_DIR "/tests/support/make_mp3_fixtures.sh '" + out + "'";
    if (std::system(command.c_str()) != 0)
      throw std::runtime_error("could not make the music fixtures: " + command);
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
  std::vector<int16_t> pcm;
  const std::string command = "mpg123 -q --no-gapless -e s16 -s '" + path + "' 2>/dev/null";
  FILE *pipe = popen(command.c_str(), "r");
  if (!pipe) return pcm;
  int16_t chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, sizeof chunk[0], 4096, pipe)) > 0)
    pcm.insert(pcm.end(), chunk, chunk + n);
  pclose(pipe);
  return pcm;
}

}  // namespace testing_support
