// The music stream through the real game library: Allegro's ALSA driver mixes
// a short file into an ALSA file sink, and what it wrote is the music the
// reference decoder hears, scaled by the mixer.
#include "zephyrun.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "mp3_fixtures.h"

using namespace zephyrun;
using namespace testing_support;

namespace {

// Samples of one channel from interleaved stereo.
std::vector<double> channel(const std::vector<int16_t> &stereo, int which) {
  std::vector<double> out;
  for (size_t i = which; i < stereo.size(); i += 2) out.push_back(stereo[i]);
  return out;
}

struct Fit {
  double scale = 0, worst = 1e9;
};

// Least-squares scale of the capture against the reference from `offset` on,
// and the largest difference left after scaling.
Fit fit_at(const std::vector<double> &capture, const std::vector<double> &reference, size_t offset) {
  Fit fit;
  if (offset + reference.size() > capture.size()) return fit;
  double cr = 0, rr = 0;
  for (size_t i = 0; i < reference.size(); i++) {
    cr += capture[offset + i] * reference[i];
    rr += reference[i] * reference[i];
  }
  fit.scale = cr / rr;
  fit.worst = 0;
  for (size_t i = 0; i < reference.size(); i++)
    fit.worst = std::max(fit.worst, std::fabs(capture[offset + i] - fit.scale * reference[i]));
  return fit;
}

// A home of our own whose .asoundrc sends ALSA's default device into a file.
struct AlsaFileSink {
  AlsaFileSink() {
    char home_template[] = "/tmp/zephyrun-alsa-XXXXXX";
    if (mkdtemp(home_template)) home = home_template;
    capture = home + "/out.raw";
    std::ofstream(home + "/.asoundrc")
        << "pcm.!default { type file; slave.pcm \"null\"; file \"" << capture << "\"; format \"raw\" }\n";
    setenv("HOME", home.c_str(), 1);
  }
  ~AlsaFileSink() {
    std::remove(capture.c_str());
    std::remove((home + "/.asoundrc").c_str());
    rmdir(home.c_str());
  }
  std::string home, capture;
};

TEST(Mp3ThroughAlsa, TheSinkRecordsTheMusicTheReferenceDecoderHears) {
  AlsaFileSink sink;
  ASSERT_FALSE(sink.home.empty());
  const std::string &capture_path = sink.capture;

  ASSERT_EQ(allegro_init(), 0) << "no X display reachable (DISPLAY=" << (getenv("DISPLAY") ? getenv("DISPLAY") : "")
                               << "): " << allegro_error;
  ASSERT_EQ(install_timer(), 0);
  // A small fragment keeps the null sink at the pace of real playback.
  static const char config[] =
      "[sound]\ndigi_card = ALSA\nmidi_card = 0\nsound_freq = 44100\nsound_bits = 16\nsound_stereo = 1\n"
      "alsa_fragsize = 441\n";
  override_config_data(config, sizeof config - 1);
  ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
  ASSERT_STREQ(digi_driver->name, "ALSA");

  const std::string music = mp3_fixture("short.mp3");
  mp3_handle *mp3 = open_mp3_file(music.c_str());
  ASSERT_NE(mp3, nullptr);
  ASSERT_EQ(play_mp3_file(mp3, 4 * 4608, 255, 128), 0);
  int result = 0;
  for (int waited = 0; result == 0 && waited < 10000; waited += 5) {
    result = poll_mp3_file(mp3);
    rest(5);
  }
  EXPECT_EQ(result, 1);
  close_mp3_file(mp3);
  remove_sound();

  std::vector<int16_t> captured;
  const std::vector<unsigned char> raw = read_file(capture_path);  // unsigned 16-bit, little-endian
  for (size_t i = 0; i + 1 < raw.size(); i += 2) captured.push_back((int16_t)((raw[i] | raw[i + 1] << 8) ^ 0x8000));

  const std::vector<int16_t> reference = mpg123_reference(music);
  ASSERT_GT(captured.size(), reference.size()) << "the sink got less than the whole music";
  for (int side = 0; side < 2; side++) {
    SCOPED_TRACE(side == 0 ? "left" : "right");
    const std::vector<double> cap = channel(captured, side), ref = channel(reference, side);
    // The music starts where the first loud sample of the capture says, give or
    // take the few quiet samples before the reference's own first loud one.
    const auto loud = [](const std::vector<double> &v) {
      return (size_t)(std::find_if(v.begin(), v.end(), [](double x) { return std::fabs(x) > 200; }) - v.begin());
    };
    const size_t guess = loud(cap) - std::min(loud(cap), loud(ref));
    Fit best;
    size_t best_offset = 0;
    for (size_t offset = guess > 512 ? guess - 512 : 0; offset <= guess + 512; offset++) {
      const Fit fit = fit_at(cap, ref, offset);
      if (fit.worst < best.worst) best = fit, best_offset = offset;
    }
    EXPECT_GT(best.scale, 0.2) << "at offset " << best_offset;
    EXPECT_LT(best.scale, 1.05);
    // The mixer halves a centred stereo voice and rounds: one step either way.
    EXPECT_LE(best.worst, 2.0) << "scale " << best.scale << " at offset " << best_offset;
  }
}

}  // namespace
