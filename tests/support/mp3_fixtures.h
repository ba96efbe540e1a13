// Music files for the stream's tests and benchmarks, encoded at run time by
// tests/support/make_mp3_fixtures.sh, and the reference decoder's PCM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// Path of an encoded file (the first call encodes them all; throws when it cannot).
std::string mp3_fixture(const std::string &name);

std::vector<unsigned char> read_file(const std::string &path);

// A file of this process's own beside the fixtures, removed when it goes out of scope.
struct ScratchFile {
  ScratchFile(const std::string &name, const std::vector<unsigned char> &bytes);
  ~ScratchFile();
  std::string path;
};

// What `mpg123 --no-gapless -e s16 -s` makes of a file: every sample, signed.
std::vector<int16_t> mpg123_reference(const std::string &path);

}  // namespace testing_support
