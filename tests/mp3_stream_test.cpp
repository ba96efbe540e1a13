// The music stream as a caller hears it: every sample of a file reaches the
// audio stream exactly as the reference decoder gives it, the end comes the
// same way every time, and bad files or late blocks stop the music cleanly.
#include "zephyrun.h"

#include <gtest/gtest.h>

#include <functional>

#include "fake_audio_stream.h"
#include "mp3_fixtures.h"
#include "test_support.h"

using namespace zephyrun;
using namespace testing_support;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes fixture_bytes(const std::string &name) { return read_file(mp3_fixture(name)); }

// Polls until the stream reports anything but 0; the results of every poll.
std::vector<int> poll_to_end(mp3_handle *mp3, int max_polls = 20000) {
  std::vector<int> results;
  for (int i = 0; i < max_polls && (results.empty() || results.back() == 0); i++)
    results.push_back(poll_mp3_file(mp3));
  return results;
}

size_t first_mismatch(const std::vector<int16_t> &expected, const std::vector<int16_t> &actual) {
  size_t i = 0;
  while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) i++;
  return i;
}

Bytes garbage(size_t n) {  // no 0xFF, so no frame sync hides in it
  Bytes g(n);
  for (size_t i = 0; i < n; i++) g[i] = (unsigned char)((i * 7919 + 13) % 255);
  return g;
}

Bytes id3v2_tag(size_t total) {
  Bytes tag(total, 0);
  const size_t body = total - 10;
  const unsigned char head[10] = {'I', 'D', '3', 3, 0, 0, (unsigned char)(body >> 21 & 127),
                                  (unsigned char)(body >> 14 & 127), (unsigned char)(body >> 7 & 127),
                                  (unsigned char)(body & 127)};
  std::copy(head, head + 10, tag.begin());
  return tag;
}

Bytes with_tag_at(Bytes file, size_t at) {
  Bytes tag(128, 0);
  std::copy_n("TAGA tune", 9, tag.begin());
  file.insert(file.begin() + at, tag.begin(), tag.end());
  return file;
}

struct SampleExactCase {
  const char *label, *fixture;
  std::function<Bytes(Bytes)> make;
  int buffer_bytes;
};

void PrintTo(const SampleExactCase &c, std::ostream *os) { *os << c.label; }

Bytes as_is(Bytes b) { return b; }

class SampleExact : public testing::TestWithParam<SampleExactCase> {};

TEST_P(SampleExact, EverySampleMatchesTheReferenceDecoderThenSilence) {
  const SampleExactCase &c = GetParam();
  start_headless_allegro();
  ScratchFile file(c.label, c.make(fixture_bytes(c.fixture)));
  const std::vector<int16_t> reference = mpg123_reference(file.path);
  ASSERT_GT(reference.size(), 10000u) << "reference decoder gave too little";

  FakeAudioStream audio;
  mp3_handle *mp3 = open_mp3_file(file.path.c_str());
  ASSERT_NE(mp3, nullptr);
  ASSERT_EQ(play_mp3_file(mp3, c.buffer_bytes, 255, 128), 0);
  const std::vector<int> results = poll_to_end(mp3);
  EXPECT_EQ(results.back(), 1);
  EXPECT_EQ(audio.stops, 1);
  EXPECT_EQ(poll_mp3_file(mp3), -1);

  EXPECT_EQ(first_mismatch(reference, audio.samples), reference.size())
      << "of " << reference.size() << " samples; stream gave " << audio.samples.size();
  const size_t per_buffer = (size_t)audio.samples_per_buffer * (audio.stereo ? 2 : 1);
  const size_t tail = audio.samples.size() - std::min(audio.samples.size(), reference.size());
  EXPECT_GE(tail, 2 * per_buffer) << "two silent buffers close the music";
  EXPECT_LE(tail, 3 * per_buffer);
  EXPECT_TRUE(std::all_of(audio.samples.end() - tail, audio.samples.end(), [](int16_t s) { return s == 0; }));
  close_mp3_file(mp3);
}

INSTANTIATE_TEST_SUITE_P(
    MusicFiles, SampleExact,
    testing::Values(
        SampleExactCase{"StereoConstantBitrate", "stereo_cbr.mp3", as_is, 4 * 4608},
        SampleExactCase{"StereoXingVariableBitrate", "stereo_vbr.mp3", as_is, 16384},
        SampleExactCase{"Mono", "mono.mp3", as_is, 5 * 2304},
        SampleExactCase{"Mpeg2At22kHz", "mpeg2_22khz.mp3", as_is, 8192},
        SampleExactCase{"Mpeg25At8kHzMono", "mpeg25_8khz.mp3", as_is, 1152},
        SampleExactCase{"LayerII", "layer2.mp2", as_is, 20000},
        SampleExactCase{"ShorterThanOneBlock", "short.mp3", as_is, 4608},
        SampleExactCase{"Id3v1TagAtTheEnd", "stereo_cbr.mp3",
                        [](Bytes b) { return with_tag_at(b, b.size()); }, 2 * 4608},
        // 145 frames of 576 bytes: the stream stands exactly at the tag with the
        // last frame still inside the decoder.
        SampleExactCase{"Id3v1TagWhereTheStreamStands", "stereo_32khz.mp3",
                        [](Bytes b) { b.resize(145 * 576); return with_tag_at(b, b.size()); }, 3 * 4608},
        SampleExactCase{"TagBlockBetweenFrames", "stereo_cbr.mp3",
                        [](Bytes b) { return with_tag_at(b, frame_offsets(b).at(100)); }, 2 * 4608},
        SampleExactCase{"LeadingTagWithinTheSearch", "stereo_cbr.mp3",
                        [](Bytes b) { Bytes t = id3v2_tag(20000); t.insert(t.end(), b.begin(), b.end()); return t; },
                        3 * 4608},
        SampleExactCase{"ExactlyOneBlock", "stereo_cbr.mp3", [](Bytes b) { b.resize(32768); return b; }, 4608},
        SampleExactCase{"ExactlyTwoBlocks", "stereo_cbr.mp3", [](Bytes b) { b.resize(2 * 32768); return b; },
                        7 * 4608},
        SampleExactCase{"TruncatedTail", "stereo_cbr.mp3", [](Bytes b) { b.resize(b.size() - 300); return b; },
                        4608}),
    [](const testing::TestParamInfo<SampleExactCase> &info) { return std::string(info.param.label); });

TEST(Mp3Stream, StartsTheAudioStreamInTheFilesOwnFormat) {
  struct Expected { const char *file; int rate; bool stereo; int frame_bytes; bool xing; };
  const Expected files[] = {{"stereo_cbr.mp3", 44100, true, 4608, false}, {"stereo_vbr.mp3", 44100, true, 4608, true},
                            {"mono.mp3", 44100, false, 2304, true},      {"mpeg2_22khz.mp3", 22050, true, 2304, true},
                            {"mpeg25_8khz.mp3", 8000, false, 1152, true}, {"layer2.mp2", 44100, true, 4608, false}};
  start_headless_allegro();
  for (const Expected &e : files) {
    SCOPED_TRACE(e.file);
    FakeAudioStream audio;
    mp3_handle *mp3 = open_mp3_file(mp3_fixture(e.file).c_str());
    ASSERT_NE(mp3, nullptr);
    EXPECT_EQ(mp3->stream->has_xing, e.xing);
    EXPECT_EQ(mp3->stream->frame_bytes, e.frame_bytes);
    ASSERT_EQ(play_mp3_file(mp3, 3 * e.frame_bytes + 100, 200, 60), 0);
    EXPECT_EQ(audio.freq, e.rate);
    EXPECT_EQ(audio.stereo != 0, e.stereo);
    EXPECT_EQ(audio.bits, 16);
    EXPECT_EQ(audio.samples_per_buffer, 3 * e.frame_bytes / 2 / (e.stereo ? 2 : 1));
    EXPECT_EQ(audio.vol, 200);
    EXPECT_EQ(audio.pan, 60);
    close_mp3_file(mp3);
  }
}

TEST(Mp3Stream, EndsWithTwoSilentBuffersThenReportsNotPlaying) {
  start_headless_allegro();
  FakeAudioStream audio;
  mp3_handle *mp3 = open_mp3_file(mp3_fixture("short.mp3").c_str());
  ASSERT_NE(mp3, nullptr);
  ASSERT_EQ(play_mp3_file(mp3, 8 * 4608, 255, 128), 0);
  std::vector<int> with_buffer;
  for (int i = 0; i < 400 && (with_buffer.empty() || with_buffer.back() == 0); i++) {
    audio.offer_buffers = i % 2 == 0;  // every other poll finds no buffer to fill
    const int result = poll_mp3_file(mp3);
    if (audio.offer_buffers) with_buffer.push_back(result);
    else EXPECT_EQ(result, 0);
  }
  ASSERT_GE(with_buffer.size(), 4u);
  EXPECT_EQ(std::vector<int>(with_buffer.end() - 3, with_buffer.end()), (std::vector<int>{0, 0, 1}));
  EXPECT_TRUE(std::all_of(with_buffer.begin(), with_buffer.end() - 1, [](int r) { return r == 0; }));
  const std::vector<int16_t> silent = audio.last_buffers(2), before = audio.last_buffers(3);
  EXPECT_TRUE(std::all_of(silent.begin(), silent.end(), [](int16_t s) { return s == 0; }));
  EXPECT_FALSE(std::all_of(before.begin(), before.end(), [](int16_t s) { return s == 0; }));
  EXPECT_EQ(audio.stops, 1);
  EXPECT_FALSE(almp3_is_playing_mp3stream(mp3->stream));
  for (int i = 0; i < 3; i++) EXPECT_EQ(poll_mp3_file(mp3), -1);
  EXPECT_EQ(audio.buffers_filled, (int)with_buffer.size());
  close_mp3_file(mp3);
}

TEST(Mp3Stream, PlayNeedsRoomForOneFrameAndStartsOnlyOnce) {
  start_headless_allegro();
  FakeAudioStream audio;
  mp3_handle *mp3 = open_mp3_file(mp3_fixture("stereo_cbr.mp3").c_str());
  ASSERT_NE(mp3, nullptr);
  EXPECT_EQ(play_mp3_file(mp3, 4607, 255, 128), -1);
  EXPECT_EQ(audio.starts, 0);
  EXPECT_FALSE(almp3_is_playing_mp3stream(mp3->stream));
  EXPECT_EQ(poll_mp3_file(mp3), -1);

  EXPECT_EQ(play_mp3_file(mp3, 4608, 255, 128), 0);
  EXPECT_EQ(play_mp3_file(mp3, 10 * 4608, 100, 0), 0);
  EXPECT_EQ(audio.starts, 1);
  EXPECT_EQ(mp3->stream->frames_per_buffer, 1);
  EXPECT_EQ(audio.vol, 255);
  close_mp3_file(mp3);
}

TEST(Mp3Stream, ReportsAFailureWhenTheLibraryCannotStartTheSound) {
  start_headless_allegro();
  FakeAudioStream audio;
  audio.refuse_to_start = true;
  mp3_handle *mp3 = open_mp3_file(mp3_fixture("stereo_cbr.mp3").c_str());
  ASSERT_NE(mp3, nullptr);
  EXPECT_EQ(play_mp3_file(mp3, 4608, 255, 128), -2);
  EXPECT_FALSE(almp3_is_playing_mp3stream(mp3->stream));
  EXPECT_EQ(poll_mp3_file(mp3), -1);
  audio.refuse_to_start = false;
  EXPECT_EQ(play_mp3_file(mp3, 4608, 255, 128), 0);
  EXPECT_TRUE(almp3_is_playing_mp3stream(mp3->stream));
  close_mp3_file(mp3);
}

TEST(Mp3Stream, PollBeforePlayKeepsTheBlockItReads) {
  start_headless_allegro();
  const std::string path = mp3_fixture("stereo_cbr.mp3");
  FakeAudioStream audio;
  mp3_handle *mp3 = open_mp3_file(path.c_str());
  ASSERT_NE(mp3, nullptr);
  ASSERT_NE(almp3_get_mp3stream_buffer(mp3->stream), nullptr);
  EXPECT_EQ(poll_mp3_file(mp3), -1);
  EXPECT_EQ(almp3_get_mp3stream_buffer(mp3->stream), nullptr) << "the second block should be in";
  ASSERT_EQ(play_mp3_file(mp3, 4608, 255, 128), 0);
  EXPECT_EQ(poll_to_end(mp3).back(), 1);
  const std::vector<int16_t> reference = mpg123_reference(path);
  EXPECT_EQ(first_mismatch(reference, audio.samples), reference.size());
  close_mp3_file(mp3);
}

TEST(Mp3Stream, FilesAreReadOnlyWhenTheStreamAsks) {
  start_headless_allegro();
  FakeAudioStream audio;
  const Bytes short_file = fixture_bytes("short.mp3");
  mp3_handle *mp3 = open_mp3_file(mp3_fixture("short.mp3").c_str());
  ASSERT_NE(mp3, nullptr);
  ASSERT_EQ(play_mp3_file(mp3, 4608, 255, 128), 0);
  EXPECT_EQ(mp3->stream->last_length, (int)short_file.size());
  for (int result = 0; result == 0;) {
    EXPECT_EQ(almp3_get_mp3stream_buffer(mp3->stream), nullptr);
    result = poll_mp3_file(mp3);
  }
  close_mp3_file(mp3);

  Bytes one_block_bytes = fixture_bytes("stereo_cbr.mp3");
  one_block_bytes.resize(32768);
  ScratchFile one_block("one-block.mp3", one_block_bytes);
  mp3 = open_mp3_file(one_block.path.c_str());
  ASSERT_NE(mp3, nullptr);
  EXPECT_EQ(mp3->stream->last_length, -1);
  EXPECT_EQ(poll_mp3_file(mp3), -1);
  EXPECT_EQ(mp3->stream->last_length, 0) << "a final block of no bytes";
  close_mp3_file(mp3);
}

TEST(Mp3Stream, StopsWhenTheNextBlockComesTooLate) {
  start_headless_allegro();
  const std::string path = mp3_fixture("stereo_cbr.mp3");
  const Bytes file = read_file(path);
  FakeAudioStream audio;
  mp3stream *s = almp3_create_mp3stream(file.data(), 32768, FALSE);
  ASSERT_NE(s, nullptr);
  ASSERT_EQ(almp3_play_mp3stream(s, 3 * 4608, 255, 128), 0);
  std::vector<int> results;
  for (int i = 0; i < 200 && (results.empty() || results.back() == 0); i++) results.push_back(almp3_poll_mp3stream(s));
  EXPECT_EQ(results.back(), -3);
  EXPECT_EQ(audio.stops, 1);
  EXPECT_EQ(almp3_poll_mp3stream(s), -1);
  // What did play was the music, up to roughly one block's worth of it.
  const std::vector<int16_t> reference = mpg123_reference(path);
  const size_t good = first_mismatch(reference, audio.samples);
  EXPECT_GT(good, 32768u / 418 * 1152 * 2 - 3 * 2304 * 2);
  almp3_destroy_mp3stream(s);
}

TEST(Mp3Stream, SkipsAShortStretchOfGarbageAndPlaysOn) {
  start_headless_allegro();
  Bytes file = fixture_bytes("stereo_cbr.mp3");
  const size_t cut = 50000;
  const Bytes junk = garbage(3000);
  file.insert(file.begin() + cut, junk.begin(), junk.end());
  ScratchFile damaged("garbage-inside.mp3", file);
  const std::vector<int16_t> reference = mpg123_reference(mp3_fixture("stereo_cbr.mp3"));

  FakeAudioStream audio;
  mp3_handle *mp3 = open_mp3_file(damaged.path.c_str());
  ASSERT_NE(mp3, nullptr);
  ASSERT_EQ(play_mp3_file(mp3, 4 * 4608, 255, 128), 0);
  EXPECT_EQ(poll_to_end(mp3).back(), 1);
  const size_t frames_before = cut / 418;
  EXPECT_GE(first_mismatch(reference, audio.samples), (frames_before - 1) * 2304);
  const size_t silent_end = 3 * 4 * 2304;
  EXPECT_GT(audio.samples.size(), reference.size() + silent_end - 8 * 2304) << "most of the music after the damage played";
  EXPECT_LE(audio.samples.size(), reference.size() + silent_end);
  close_mp3_file(mp3);
}

TEST(Mp3Stream, StopsOnALongRunOfGarbage) {
  start_headless_allegro();
  Bytes file = fixture_bytes("stereo_cbr.mp3");
  const Bytes junk = garbage(20000);
  file.insert(file.begin() + 40000, junk.begin(), junk.end());
  ScratchFile damaged("long-garbage.mp3", file);
  FakeAudioStream audio;
  mp3_handle *mp3 = open_mp3_file(damaged.path.c_str());
  ASSERT_NE(mp3, nullptr);
  ASSERT_EQ(play_mp3_file(mp3, 4 * 4608, 255, 128), 0);
  EXPECT_EQ(poll_to_end(mp3).back(), -2);
  EXPECT_EQ(audio.stops, 1);
  EXPECT_FALSE(almp3_is_playing_mp3stream(mp3->stream));
  EXPECT_EQ(poll_mp3_file(mp3), -1);
  close_mp3_file(mp3);
}

TEST(Mp3Stream, OpenFailsWithoutAFrameInTheFirst28672Bytes) {
  start_headless_allegro();
  const Bytes music = fixture_bytes("stereo_cbr.mp3");
  Bytes late = id3v2_tag(28672);
  late.insert(late.end(), music.begin(), music.end());
  Bytes just_in_time = id3v2_tag(28671 - 2 * 418);
  just_in_time.insert(just_in_time.end(), music.begin(), music.end());
  ScratchFile late_file("late.mp3", late), in_time_file("in-time.mp3", just_in_time),
      empty("empty.mp3", {}), noise("noise.mp3", garbage(50000));
  EXPECT_EQ(open_mp3_file(late_file.path.c_str()), nullptr);
  EXPECT_EQ(open_mp3_file(empty.path.c_str()), nullptr);
  EXPECT_EQ(open_mp3_file(noise.path.c_str()), nullptr);
  EXPECT_EQ(open_mp3_file((mp3_fixture_dir() + "/no-such-file.mp3").c_str()), nullptr);
  EXPECT_EQ(open_mp3_file(nullptr), nullptr);
  mp3_handle *mp3 = open_mp3_file(in_time_file.path.c_str());
  ASSERT_NE(mp3, nullptr);
  EXPECT_EQ(mp3->stream->position, (int)just_in_time.size() - (int)music.size());
  close_mp3_file(mp3);
}

TEST(Mp3Stream, ClosingWhilePlayingStopsTheSound) {
  start_headless_allegro();
  FakeAudioStream audio;
  mp3_handle *mp3 = open_mp3_file(mp3_fixture("stereo_vbr.mp3").c_str());
  ASSERT_NE(mp3, nullptr);
  ASSERT_EQ(play_mp3_file(mp3, 4608, 255, 128), 0);
  for (int i = 0; i < 5; i++) ASSERT_EQ(poll_mp3_file(mp3), 0);
  close_mp3_file(mp3);
  EXPECT_EQ(audio.stops, 1);
}

TEST(Mp3Stream, NullHandlesAreHarmless) {
  close_mp3_file(nullptr);
  EXPECT_EQ(poll_mp3_file(nullptr), -1);
  EXPECT_EQ(play_mp3_file(nullptr, 4608, 255, 128), -1);
  EXPECT_EQ(almp3_poll_mp3stream(nullptr), -1);
  EXPECT_EQ(almp3_play_mp3stream(nullptr, 4608, 255, 128), -1);
  EXPECT_EQ(almp3_get_mp3stream_buffer(nullptr), nullptr);
  EXPECT_FALSE(almp3_is_playing_mp3stream(nullptr));
  almp3_free_mp3stream_buffer(nullptr, -1);
  almp3_stop_mp3stream(nullptr);
  almp3_destroy_mp3stream(nullptr);
  EXPECT_EQ(almp3_create_mp3stream(nullptr, 100, TRUE), nullptr);
}

}  // namespace
