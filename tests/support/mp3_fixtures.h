// Music files for the stream's tests and benchmarks, encoded at run time by
// tests/fixtures/make_mp3_fixtures.sh, and the reference decoder's PCM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// The directory holding the encoded files (made on first use; aborts the
// process with a message when the encoders are missing).
const std::string &mp3_fixture_dir();
std::string mp3_fixture(const std::string &name);

std::vector<unsigned char> read_file(const std::string &path);
void write_file(const std::string &path, const std::vector<unsigned char> &bytes);

// A file of this process's own, removed when it goes out of scope.
struct ScratchFile {
  explicit ScratchFile(const std::string &name, const std::vector<unsigned char> &bytes);
  ~ScratchFile();
  std::string path;
};

// What `mpg123 --no-gapless -e s16 -s` makes of a file: every sample, signed.
std::vector<int16_t> mpg123_reference(const std::string &path);

// Offsets of the frames of a stream made only of frames (no tags).
std::vector<size_t> frame_offsets(const std::vector<unsigned char> &bytes);

}  // namespace testing_support
