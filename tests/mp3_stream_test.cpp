// The music stream as a caller hears it: every sample of a file reaches the audio stream exactly as the
// reference decoder gives it, the end comes the same way every time, bad files or late blocks stop it cleanly.
#include <gtest/gtest.h>
#include "fake_audio_stream.h"
#include "mp3_fixtures.h"
#include "test_support.h"
#include "zephyrun.h"

using namespace zephyrun;
using namespace testing_support;

namespace {

using Bytes = std::vector<unsigned char>;
using Pcm = std::vector<int16_t>;
Bytes inserted(Bytes file, size_t at, const Bytes &bytes) { return file.insert(file.begin() + at, bytes.begin(), bytes.end()), file; }
Bytes garbage(Bytes g) {  // as long as g, with no 0xFF, so no frame sync hides in it
  for (size_t i = 0; i < g.size(); i++) g[i] = (unsigned char)((i * 7919 + 13) % 255);
  return g;
}
const Bytes id3v1_tag = inserted(Bytes(119), 0, {'T', 'A', 'G', 'A', ' ', 't', 'u', 'n', 'e'});
Bytes after_id3v2_tag(size_t tag_bytes, const Bytes &music) {  // tag_bytes in all, header included
  Bytes tag = {'I', 'D', '3', 3, 0, 0};
  for (int shift = 21; shift >= 0; shift -= 7) tag.push_back((tag_bytes - 10) >> shift & 127);
  return tag.resize(tag_bytes), inserted(music, 0, tag);
}
const std::string cbr = "stereo_cbr.mp3";
size_t matching(const Pcm &reference, const Pcm &got) {  // how many samples agree from the start
  return std::mismatch(reference.begin(), reference.end(), got.begin(), got.end()).first - reference.begin();
}

struct Mp3Stream : testing::Test {
  void SetUp() override { start_headless_allegro(); }
  void TearDown() override { close_mp3_file(mp3); }
  // Opens and plays a file, after a poll that must find nothing playing when asked.
  bool start(const std::string &path, int buffer_bytes, bool poll_first = false) {
    close_mp3_file(mp3);
    audio.samples.clear(), audio.stops = 0;
    return (mp3 = open_mp3_file(path.c_str())) && (!poll_first || poll_mp3_file(mp3) == -1) &&
           play_mp3_file(mp3, buffer_bytes, 200, 60) == 0;
  }
  // The first result that is not 0. Every other poll finds no buffer to fill,
  // which must change nothing (not even the end's countdown).
  int poll_to_end() {
    for (int i = 0; i < 40000; i++)
      if (const int result = (audio.offer_buffers = i % 2, poll_mp3_file(mp3))) return audio.offer_buffers ? result : 99;
    return 0;
  }
  FakeAudioStream audio;
  mp3_handle *mp3 = nullptr;
  const Bytes music = read_file(mp3_fixture(cbr));
};

TEST_F(Mp3Stream, EveryFilePlaysSampleForSampleAsTheReferenceDecoderThenTwoSilentBuffersAndStops) {
  struct Case { const char *label, *fixture; Bytes (*make)(Bytes); int buffer_bytes, rate, channels; };
  const Case cases[] = {
      {"stereo CBR", "stereo_cbr.mp3", nullptr, 4 * 4608, 44100, 2},
      {"stereo VBR with Xing", "stereo_vbr.mp3", nullptr, 16384, 44100, 2},
      {"mono", "mono.mp3", nullptr, 5 * 2304, 44100, 1},
      {"MPEG-2 22 kHz", "mpeg2_22khz.mp3", nullptr, 8192, 22050, 2},
      {"MPEG-2.5 8 kHz", "mpeg25_8khz.mp3", nullptr, 1152, 8000, 1},
      {"Layer II", "layer2.mp2", nullptr, 20000, 44100, 2},
      {"shorter than a block", "short.mp3", nullptr, 4608, 44100, 2},
      {"ID3v1 tag at the end", "stereo_cbr.mp3", [](Bytes b) { return inserted(b, b.size(), id3v1_tag); }, 9216, 44100, 2},
      // 145 frames of 576 bytes: the stream stands exactly at the tag with the last frame still in the decoder.
      {"tag where the stream stands", "stereo_32khz.mp3",
       [](Bytes b) { b.resize(145 * 576); return inserted(b, b.size(), id3v1_tag); }, 3 * 4608, 32000, 2},
      {"tag between frames", "stereo_32khz.mp3", [](Bytes b) { return inserted(b, 100 * 576, id3v1_tag); }, 9216, 32000, 2},
      {"leading tag", "stereo_cbr.mp3", [](Bytes b) { return after_id3v2_tag(20000, b); }, 3 * 4608, 44100, 2},
      {"exactly one block", "stereo_cbr.mp3", [](Bytes b) { b.resize(32768); return b; }, 4608, 44100, 2},
      {"exactly two blocks", "stereo_cbr.mp3", [](Bytes b) { b.resize(2 * 32768); return b; }, 7 * 4608, 44100, 2},
      {"truncated tail", "stereo_cbr.mp3", [](Bytes b) { b.resize(b.size() - 300); return b; }, 4608, 44100, 2}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.label);
    const Bytes bytes = read_file(mp3_fixture(c.fixture));
    ScratchFile file("exact.mp3", c.make ? c.make(bytes) : bytes);
    const Pcm reference = mpg123_reference(file.path);
    ASSERT_GT(reference.size(), 10000u) << "reference decoder gave too little";
    ASSERT_TRUE(start(file.path, c.buffer_bytes, (&c - cases) % 2)) << "half the files polled before play";
    EXPECT_EQ(std::vector<int>({audio.freq, audio.stereo ? 2 : 1, audio.bits, audio.vol, audio.pan}),
              std::vector<int>({c.rate, c.channels, 16, 200, 60}));
    EXPECT_EQ(std::vector<int>({poll_to_end(), poll_mp3_file(mp3), poll_mp3_file(mp3), audio.stops}),
              std::vector<int>({1, -1, -1, 1})) << "the end, then not playing; the sound stopped once";
    EXPECT_EQ(matching(reference, audio.samples), reference.size()) << "stream gave " << audio.samples.size();
    const size_t tail = audio.samples.size() - std::min(audio.samples.size(), reference.size());
    EXPECT_TRUE(tail >= 2 * audio.buffer.size() && tail <= 3 * audio.buffer.size() &&
                std::count(audio.samples.end() - tail, audio.samples.end(), 0) == (long)tail)
        << tail << " samples after the music; two or three silent buffers of " << audio.buffer.size() << " should close it";
  }
}

TEST_F(Mp3Stream, PlayStartsOnceAndOnlyWithRoomForAFrameAndASoundAndCloseStopsIt) {
  ASSERT_TRUE((mp3 = open_mp3_file(mp3_fixture(cbr).c_str())));
  EXPECT_EQ(play_mp3_file(mp3, 4607, 255, 128), -1);
  audio.refuse_to_start = true;
  EXPECT_EQ(play_mp3_file(mp3, 4608, 255, 128), -2);
  EXPECT_EQ(audio.starts, 0);
  EXPECT_EQ(poll_mp3_file(mp3), -1);
  audio.refuse_to_start = false;
  EXPECT_EQ(play_mp3_file(mp3, 4608 + 4607, 255, 128), 0);
  EXPECT_EQ(play_mp3_file(mp3, 10 * 4608, 100, 0), 0);
  EXPECT_EQ(std::vector<int>({audio.starts, audio.samples_per_buffer, audio.vol}), std::vector<int>({1, 1152, 255}))
      << "one start, with buffers of whole frames";
  for (int i = 0; i < 5; i++) ASSERT_EQ(poll_mp3_file(mp3), 0);
  close_mp3_file(mp3), mp3 = nullptr;
  EXPECT_EQ(audio.stops, 1) << "closing while playing stops the sound";
}

TEST_F(Mp3Stream, StopsWhenTheNextBlockComesTooLate) {
  mp3stream *s = almp3_create_mp3stream(music.data(), 32768, FALSE);  // and no one hands in the next block
  ASSERT_EQ(almp3_play_mp3stream(s, 3 * 4608, 255, 128), 0);
  int result = 0;
  for (int i = 0; i < 200 && result == 0; i++) result = almp3_poll_mp3stream(s);
  EXPECT_EQ(std::vector<int>({result, audio.stops, almp3_poll_mp3stream(s)}), std::vector<int>({-3, 1, -1}))
      << "starved, the sound stopped, then not playing";
  // What did play was the music, up to roughly one block's worth of it.
  EXPECT_GT(matching(mpg123_reference(mp3_fixture(cbr)), audio.samples), 32768u / 418 * 2304 - 3 * 4608);
  almp3_destroy_mp3stream(s);
}

TEST_F(Mp3Stream, PlaysOnOverAShortStretchOfGarbageButStopsOnALongOne) {
  const Pcm reference = mpg123_reference(mp3_fixture(cbr));
  ScratchFile damaged("garbage.mp3", inserted(music, 50000, garbage(Bytes(3000))));
  ASSERT_TRUE(start(damaged.path, 4 * 4608));
  EXPECT_EQ(poll_to_end(), 1);
  EXPECT_GE(matching(reference, audio.samples), (50000 / 418 - 1) * 2304u);
  // Three silent buffers of 4 frames at most close it; at most 8 frames are lost to the damage.
  EXPECT_GT(audio.samples.size(), reference.size() + (12 - 8) * 2304) << "most music after the damage played";
  EXPECT_LE(audio.samples.size(), reference.size() + 12 * 2304);

  ScratchFile ruined("long-garbage.mp3", inserted(music, 40000, garbage(Bytes(20000))));
  ASSERT_TRUE(start(ruined.path, 4 * 4608));
  EXPECT_EQ(std::vector<int>({poll_to_end(), audio.stops, poll_mp3_file(mp3)}), std::vector<int>({-2, 1, -1}))
      << "lost, the sound stopped, then not playing";
}

TEST_F(Mp3Stream, OpenFailsWithoutAFrameInTheFirst28672Bytes) {
  ScratchFile late("late.mp3", after_id3v2_tag(28672, music)), in_time("in-time.mp3", after_id3v2_tag(28671 - 836, music)),
      empty("empty.mp3", {}), noise("noise.mp3", garbage(Bytes(50000)));
  for (const std::string &path : {late.path, empty.path, noise.path, mp3_fixture("no-such-file.mp3")})
    EXPECT_EQ(open_mp3_file(path.c_str()), nullptr) << path;
  EXPECT_EQ(open_mp3_file(nullptr), nullptr);
  ASSERT_TRUE((mp3 = open_mp3_file(in_time.path.c_str())));
  EXPECT_EQ(mp3->stream->position, 28671 - 836);
}

TEST(Mp3StreamHandles, NullHandlesAreHarmless) {
  close_mp3_file(nullptr), almp3_free_mp3stream_buffer(nullptr, -1), almp3_destroy_mp3stream(nullptr);
  EXPECT_EQ(std::vector<int>({poll_mp3_file(nullptr), play_mp3_file(nullptr, 4608, 255, 128), almp3_poll_mp3stream(nullptr),
                              almp3_play_mp3stream(nullptr, 4608, 255, 128)}), std::vector<int>(4, -1));
  EXPECT_FALSE(almp3_get_mp3stream_buffer(nullptr) || almp3_create_mp3stream(nullptr, 100, TRUE));
}

}  // namespace
