// The music stream through the real game library: Allegro's ALSA driver mixes
// a short file into an ALSA file sink, and what it wrote is the music the
// reference decoder hears, scaled by the mixer.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "game/game.h"
#include "mp3_fixtures.h"

using namespace zephyrun;
using namespace testing_support;

namespace {

// Where a signal first grows loud, in stereo frames.
template <typename Samples>
size_t first_loud_frame(const Samples &samples) {
  const auto loud = std::find_if(samples.begin(), samples.end(),
                                 [](double sample) { return std::fabs(sample) > 200; });
  return (loud - samples.begin()) / 2;
}

// The largest error left when one side of `ref`, scaled by least squares,
// stands for `got` from stereo frame `at` on; huge when the scale is wrong.
double misfit(const std::vector<double> &got, const std::vector<int16_t> &ref, size_t at,
              size_t side) {
  double cross = 0;
  double power = 0;
  for (size_t i = side; i < ref.size(); i += 2) {
    cross += got[2 * at + i] * ref[i];
    power += static_cast<double>(ref[i]) * ref[i];
  }
  const double scale = cross / power;
  if (scale < 0.2 || scale > 1.05) return 1e9;  // not the music at the mixer's loudness
  double worst = 0;
  for (size_t i = side; i < ref.size(); i += 2)
    worst = std::max(worst, std::fabs(got[2 * at + i] - scale * ref[i]));
  return worst;
}

TEST(Mp3ThroughAlsa, TheSinkRecordsTheMusicTheReferenceDecoderHears) {
  // A home of our own whose .asoundrc sends ALSA's default device into a file.
  char home[] = "/tmp/zephyrun-alsa-XXXXXX";
  ASSERT_NE(mkdtemp(home), nullptr);
  const std::string capture = std::string(home) + "/out.raw";
  std::ofstream(std::string(home) + "/.asoundrc")
      << "pcm.!default { type file; slave.pcm \"null\"; file \"" << capture
      << "\"; format \"raw\" }\n";
  setenv("HOME", home, 1);

  ASSERT_EQ(allegro_init(), 0) << "no X display reachable through DISPLAY: " << allegro_error;
  ASSERT_EQ(install_timer(), 0);
  // A small fragment keeps the null sink at the pace of real playback.
  static const char config[] =
      "[sound]\nsound_freq = 44100\nsound_bits = 16\nsound_stereo = 1\nalsa_fragsize = 441\n";
  override_config_data(config, sizeof config - 1);
  ASSERT_EQ(install_sound(DIGI_ALSA, MIDI_NONE, nullptr), 0) << allegro_error;

  const std::string music = mp3_fixture("short.mp3");
  mp3_handle *mp3 = open_mp3_file(music.c_str());
  ASSERT_EQ(play_mp3_file(mp3, 4 * 4608, 255, 128), 0) << "opened: " << (mp3 != nullptr);
  int result = 0;
  for (int waited = 0; result == 0 && waited < 10000; waited += 5) {
    result = poll_mp3_file(mp3);
    rest(5);
  }
  EXPECT_EQ(result, 1);
  close_mp3_file(mp3);
  remove_sound();

  const std::vector<unsigned char> raw = read_file(capture);  // unsigned 16-bit, little-endian
  std::filesystem::remove_all(home);
  std::vector<double> got;
  for (size_t i = 0; i + 1 < raw.size(); i += 2)
    got.push_back(static_cast<int16_t>((raw[i] | raw[i + 1] << 8) ^ 0x8000));
  const std::vector<int16_t> ref = mpg123_reference(music);
  ASSERT_GT(got.size(), ref.size()) << "the sink got less than the whole music";

  // The music starts near the capture's first loud sample, less the reference's
  // own quiet lead-in. The mixer halves a centred voice and rounds: one step off.
  const size_t lead_in = std::min(first_loud_frame(got), first_loud_frame(ref));
  const size_t guess = first_loud_frame(got) - lead_in;
  for (size_t side = 0; side < 2; side++) {
    double best = 1e9;
    for (size_t at = guess > 512 ? guess - 512 : 0;
         at <= guess + 512 && 2 * at + ref.size() <= got.size(); at++)
      best = std::min(best, misfit(got, ref, at, side));
    EXPECT_LE(best, 2.0) << (side ? "right" : "left");
  }
}

}  // namespace
