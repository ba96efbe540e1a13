// The toolkit showcase end to end, in a window of the suite's X server: Tab
// brings each of the five scenes in turn, each showing a picture of its own,
// and back to the first; Escape ends it with 0, a stray argument with 1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_process.h"
#include "test_support.h"

using namespace testing_support;

namespace {

constexpr int kSceneCount = 5;
constexpr int kCaptionTop = 434;  // the caption band covers the rows below
const char *const kShowcaseTitle = "zephyrun-showcase";

std::string showcase_path() { return std::string(ZEPHYRUN_BINARY_DIR) + "/" + kShowcaseTitle; }

// True when every glyph pixel of "n/5", in the default font where the caption
// numbers its scene, shows the caption's colour.
bool caption_numbers_scene(const Screenshot &shot, int scene) {
  const std::string number = std::to_string(scene) + "/" + std::to_string(kSceneCount);
  BitmapPtr glyphs = make_filled_bitmap(text_length(font, number.c_str()), text_height(font), 0);
  textout_ex(glyphs.get(), font, number.c_str(), 0, 0, makecol(255, 255, 255), -1);
  for (int y = 0; y < glyphs->h; y++)
    for (int x = 0; x < glyphs->w; x++)
      if (getpixel(glyphs.get(), x, y) != 0 &&
          !near_colour(shot.at(8 + x, 438 + y), 255, 224, 64, 10))
        return false;
  return true;
}

// Share of the pixels above the caption that two screenshots show alike.
double share_alike(const Screenshot &one, const Screenshot &other) {
  int alike = 0;
  for (int y = 0; y < kCaptionTop; y++)
    for (int x = 0; x < 640; x++) {
      const unsigned char *p = other.at(x, y);
      alike += near_colour(one.at(x, y), p[0], p[1], p[2], 10);
    }
  return alike / (640.0 * kCaptionTop);
}

TEST(Showcase, TabBringsEachSceneWithAPictureOfItsOwnAndEscapeEndsIt) {
  start_headless_allegro(24);
  LaunchOptions options;
  options.window_title = kShowcaseTitle;
  GameProcess showcase(showcase_path(), built_asset_directory(), options);
  ASSERT_FALSE(showcase.window().empty()) << showcase.output();
  std::vector<Screenshot> scenes(1);
  ASSERT_TRUE(showcase.shows_within(20, [](const Screenshot &s) {
    return caption_numbers_scene(s, 1);
  }, &scenes[0])) << showcase.output();
  for (int scene = 2; scene <= kSceneCount + 1; scene++) {
    const int expected = scene > kSceneCount ? 1 : scene;
    showcase.key("key", "Tab");
    Screenshot shot;
    EXPECT_TRUE(showcase.shows_within(20, [&](const Screenshot &s) {
      return caption_numbers_scene(s, expected);
    }, &shot)) << "Tab did not bring scene " << expected;
    for (size_t earlier = 0; scene <= kSceneCount && earlier < scenes.size(); earlier++)
      EXPECT_LT(share_alike(shot, scenes[earlier]), 0.9)
          << "scene " << scene << " looks like scene " << earlier + 1;
    scenes.push_back(shot);
  }
  showcase.key("keydown", "Escape");
  EXPECT_EQ(showcase.wait_exit(20), 0) << showcase.output();
}

TEST(Showcase, StrayArgumentsStopItWithTheUsage) {
  LaunchOptions options;
  options.arguments = {"one.mp3", "two.mp3"};
  options.window_title = kShowcaseTitle;
  GameProcess showcase(showcase_path(), built_asset_directory(), options);
  EXPECT_EQ(showcase.wait_exit(20), 1);
  EXPECT_EQ(showcase.output(), "usage: zephyrun-showcase [song.mp3]\n");
}

}  // namespace
