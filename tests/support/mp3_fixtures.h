// Music files encoded at run time by make_mp3_fixtures.sh, and what the
// reference decoder makes of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

std::string mp3_fixture(const std::string &name);  // the first call encodes them all, or throws
std::vector<unsigned char> read_file(const std::string &path);

// A file of this process's own beside the fixtures, removed with it.
struct ScratchFile {
  ScratchFile(const std::string &name, const std::vector<unsigned char> &bytes);
  ~ScratchFile();
  std::string path;
};

// Every sample of `mpg123 --no-gapless -e s16 -s` on the file.
std::vector<int16_t> mpg123_reference(const std::string &path);

}  // namespace testing_support
