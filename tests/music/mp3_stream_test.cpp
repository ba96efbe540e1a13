// The music stream as a caller hears it: every sample exactly as the reference
// decoder gives it, the same end every time, a clean stop on bad data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "fake_audio_stream.h"
#include "mp3_fixtures.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace zephyrun;
using namespace testing_support;

namespace {

using Bytes = std::vector<unsigned char>;
using Pcm = std::vector<int16_t>;
using Ints = std::vector<int>;

constexpr int frame_bytes = 4608;  // one stereo MPEG-1 Layer III frame of samples
const std::string cbr_fixture = "stereo_cbr.mp3";

Bytes inserted(Bytes file, size_t at, const Bytes &bytes) {
  file.insert(file.begin() + at, bytes.begin(), bytes.end());
  return file;
}

// `length` bytes with no 0xFF, so no frame sync hides in them.
Bytes garbage(size_t length) {
  Bytes g(length);
  for (size_t i = 0; i < length; i++) g[i] = static_cast<unsigned char>((i * 7919 + 13) % 255);
  return g;
}

const Bytes id3v1_tag = inserted(Bytes(119), 0, {'T', 'A', 'G', 'A', ' ', 't', 'u', 'n', 'e'});

// An ID3v2 tag of `tag_bytes` in all, header included, before the music.
Bytes after_id3v2_tag(size_t tag_bytes, const Bytes &music) {
  Bytes tag = {'I', 'D', '3', 3, 0, 0};
  for (int shift = 21; shift >= 0; shift -= 7) tag.push_back((tag_bytes - 10) >> shift & 127);
  tag.resize(tag_bytes);
  return inserted(music, 0, tag);
}

struct Mp3Stream : HeadlessTest {
  void TearDown() override { close_mp3_file(mp3); }
  bool start(const std::string &path, int buffer_bytes) {
    close_mp3_file(mp3);
    audio.samples.clear();
    audio.stops = 0;
    mp3 = open_mp3_file(path.c_str());
    return mp3 && play_mp3_file(mp3, buffer_bytes, 200, 60) == 0;
  }
  // The first result that is not 0. Every other poll finds no buffer, which
  // must change nothing (not even the end's countdown).
  int poll_to_end() {
    for (int i = 0; i < 40000; i++) {
      audio.offer_buffers = i % 2;
      const int result = poll_mp3_file(mp3);
      if (result != 0) return audio.offer_buffers ? result : 99;
    }
    return 0;
  }
  FakeAudioStream audio;
  mp3_handle *mp3 = nullptr;
  const Bytes music = read_file(mp3_fixture(cbr_fixture));
};

// A fixture as a case needs it: cut to `cut_to` bytes, an ID3v1 tag inserted
// at `tag_at`, an ID3v2 tag of `leading_tag` bytes put before it (when not 0).
Bytes edited(const char *fixture, size_t cut_to, size_t tag_at, size_t leading_tag) {
  Bytes file = read_file(mp3_fixture(fixture));
  file.resize(std::min(file.size(), cut_to));
  if (tag_at) file = inserted(file, std::min(file.size(), tag_at), id3v1_tag);
  return leading_tag ? after_id3v2_tag(leading_tag, file) : file;
}

TEST_F(Mp3Stream, EveryFilePlaysSampleForSampleAsTheReferenceThenTwoSilentBuffersAndStops) {
  constexpr size_t whole = SIZE_MAX;  // no cut, or a tag at the very end
  const struct {
    const char *label, *fixture;
    size_t cut_to, tag_at, leading_tag;
    int buffer_bytes, rate, channels;
  } cases[] = {{"stereo CBR", "stereo_cbr.mp3", whole, 0, 0, 4 * frame_bytes, 44100, 2},
               {"stereo VBR with Xing", "stereo_vbr.mp3", whole, 0, 0, 16384, 44100, 2},
               {"mono", "mono.mp3", whole, 0, 0, 5 * 2304, 44100, 1},
               {"MPEG-2 22 kHz", "mpeg2_22khz.mp3", whole, 0, 0, 8192, 22050, 2},
               {"MPEG-2.5 8 kHz", "mpeg25_8khz.mp3", whole, 0, 0, 1152, 8000, 1},
               {"Layer II", "layer2.mp2", whole, 0, 0, 20000, 44100, 2},
               {"shorter than a block", "short.mp3", whole, 0, 0, frame_bytes, 44100, 2},
               {"ID3v1 tag at the end", "stereo_cbr.mp3", whole, whole, 0, 9216, 44100, 2},
               // 145 frames of 576 bytes: the stream stands exactly at the tag with the
               // last frame still in the decoder.
               {"tag where the stream stands", "stereo_32khz.mp3", 145 * 576, whole, 0,
                3 * frame_bytes, 32000, 2},
               {"tag between frames", "stereo_32khz.mp3", whole, 100 * 576, 0, 9216, 32000, 2},
               {"leading tag", "stereo_cbr.mp3", whole, 0, 20000, 3 * frame_bytes, 44100, 2},
               {"exactly one block", "stereo_cbr.mp3", 32768, 0, 0, frame_bytes, 44100, 2},
               {"exactly two blocks", "stereo_cbr.mp3", 2 * 32768, 0, 0, 7 * frame_bytes, 44100, 2},
               {"truncated tail", "stereo_cbr.mp3", 96000, 0, 0, frame_bytes, 44100, 2}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.label);
    ScratchFile file("exact.mp3", edited(c.fixture, c.cut_to, c.tag_at, c.leading_tag));
    const Pcm reference = mpg123_reference(file.path);
    ASSERT_GT(reference.size(), 10000u) << "reference decoder gave too little";
    ASSERT_TRUE(start(file.path, c.buffer_bytes));
    EXPECT_EQ(Ints({audio.freq, audio.stereo ? 2 : 1, audio.bits, audio.vol, audio.pan}),
              Ints({c.rate, c.channels, 16, 200, 60}));
    EXPECT_EQ(Ints({poll_to_end(), poll_mp3_file(mp3), poll_mp3_file(mp3), audio.stops}),
              Ints({1, -1, -1, 1}))
        << "the end, then not playing; the sound stopped once";
    ASSERT_GE(audio.samples.size(), reference.size());
    EXPECT_TRUE(std::equal(reference.begin(), reference.end(), audio.samples.begin()))
        << "stream gave " << audio.samples.size();
    const size_t tail = audio.samples.size() - reference.size();
    const size_t buffer = audio.buffer.size();
    const auto silent = std::count(audio.samples.end() - tail, audio.samples.end(), 0);
    EXPECT_TRUE(tail >= 2 * buffer && tail <= 3 * buffer && silent == static_cast<long>(tail))
        << tail << " samples after the music; two or three silent buffers of " << buffer;
  }
}

TEST_F(Mp3Stream, PlayStartsOnceAndOnlyWithRoomForAFrameAndASoundAndCloseStopsIt) {
  ASSERT_TRUE((mp3 = open_mp3_file(mp3_fixture(cbr_fixture).c_str())));
  EXPECT_EQ(play_mp3_file(mp3, frame_bytes - 1, 255, 128), -1);
  audio.refuse_to_start = true;
  EXPECT_EQ(play_mp3_file(mp3, frame_bytes, 255, 128), -2);
  EXPECT_EQ(poll_mp3_file(mp3), -1);
  audio.refuse_to_start = false;
  EXPECT_EQ(play_mp3_file(mp3, 2 * frame_bytes - 1, 255, 128), 0);
  EXPECT_EQ(play_mp3_file(mp3, 10 * frame_bytes, 100, 0), 0);
  EXPECT_EQ(Ints({audio.starts, audio.samples_per_buffer, audio.vol}), Ints({1, 1152, 255}))
      << "one start, with buffers of whole frames";
  close_mp3_file(mp3);
  mp3 = nullptr;
  EXPECT_EQ(audio.stops, 1) << "closing while playing stops the sound";
}

TEST_F(Mp3Stream, StopsWhenNoOneHandsInTheNextBlock) {
  mp3stream *s = almp3_create_mp3stream(music.data(), 32768, FALSE);
  ASSERT_EQ(almp3_play_mp3stream(s, 3 * frame_bytes, 255, 128), 0);
  int result = 0;
  for (int i = 0; i < 200 && result == 0; i++) result = almp3_poll_mp3stream(s);
  EXPECT_EQ(Ints({result, audio.stops, almp3_poll_mp3stream(s)}), Ints({-3, 1, -1}))
      << "starved, the sound stopped, then not playing";
  almp3_destroy_mp3stream(s);
}

TEST_F(Mp3Stream, PlaysOnOverAShortStretchOfGarbageButStopsOnALongOne) {
  ScratchFile damaged("garbage.mp3", inserted(music, 50000, garbage(3000)));
  ASSERT_TRUE(start(damaged.path, 4 * frame_bytes));
  EXPECT_EQ(poll_to_end(), 1);
  // The music up to the damage exactly, at most 8 frames lost, three silent buffers at most.
  const Pcm reference = mpg123_reference(mp3_fixture(cbr_fixture));
  ASSERT_GT(audio.samples.size(), reference.size() - 8 * 2304);
  EXPECT_LE(audio.samples.size(), reference.size() + 12 * 2304);
  const size_t before_damage = (50000 / 418 - 1) * 2304;  // samples of the frames before it
  EXPECT_TRUE(
      std::equal(audio.samples.begin(), audio.samples.begin() + before_damage, reference.begin()));

  ScratchFile ruined("long-garbage.mp3", inserted(music, 40000, garbage(20000)));
  ASSERT_TRUE(start(ruined.path, 4 * frame_bytes));
  EXPECT_EQ(Ints({poll_to_end(), audio.stops, poll_mp3_file(mp3)}), Ints({-2, 1, -1}))
      << "lost, the sound stopped, then not playing";
}

TEST_F(Mp3Stream, OpenFailsWithoutAFrameInTheFirst28672Bytes) {
  ScratchFile late("late.mp3", after_id3v2_tag(28672, music));
  ScratchFile in_time("in-time.mp3", after_id3v2_tag(28671 - 836, music));
  ScratchFile empty("empty.mp3", {});
  ScratchFile noise("noise.mp3", garbage(50000));
  for (const std::string &path : {late.path, empty.path, noise.path, mp3_fixture("none.mp3")})
    EXPECT_EQ(open_mp3_file(path.c_str()), nullptr) << path;
  EXPECT_EQ(open_mp3_file(nullptr), nullptr);
  EXPECT_TRUE((mp3 = open_mp3_file(in_time.path.c_str())));
}

}  // namespace
