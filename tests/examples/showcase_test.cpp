// The toolkit showcase in a window: Tab brings each of its five scenes in
// turn, each a picture of its own, then the first again; Escape ends it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game_process.h"
#include "test_support.h"

using namespace testing_support;

namespace {

constexpr int scene_count = 5;
constexpr int caption_top = 434;  // the caption band covers the rows below

// Whether every glyph pixel of "n/5", in the default font, shows the caption's colour.
bool caption_numbers_scene(const Screenshot &shot, int scene) {
  const std::string number = std::to_string(scene) + "/" + std::to_string(scene_count);
  BitmapPtr glyphs = make_filled_bitmap(text_length(font, number.c_str()), text_height(font), 0);
  textout_ex(glyphs.get(), font, number.c_str(), 0, 0, makecol(255, 255, 255), -1);
  for (int y = 0; y < glyphs->h; y++)
    for (int x = 0; x < glyphs->w; x++)
      if (getpixel(glyphs.get(), x, y) && !near_colour(shot.at(8 + x, 438 + y), 255, 224, 64, 10))
        return false;
  return true;
}

LaunchOptions showcase(const std::vector<std::string> &arguments) {
  return {arguments, {}, false, "zephyrun-showcase"};
}

// Tab through every scene, and back to the first; the scenes above the caption
// must differ.
TEST(Showcase, TabBringsEachSceneWithAPictureOfItsOwnAndEscapeEndsIt) {
  start_headless_allegro(24);
  GameProcess shown(ZEPHYRUN_BINARY_DIR "/zephyrun-showcase", built_asset_directory(),
                    showcase({}));
  std::vector<Screenshot> scenes;
  for (int scene = 1; scene <= scene_count + 1; scene++) {
    const int expected = scene > scene_count ? 1 : scene;
    Screenshot shot;
    if (scene > 1) shown.key("key", "Tab");
    EXPECT_TRUE(shown.shows_within(
        20, [&](const Screenshot &s) { return caption_numbers_scene(s, expected); }, &shot))
        << "scene " << expected << " did not show\n"
        << shown.output();
    scenes.push_back(shot);
  }
  EXPECT_EQ(shown.ends_on_escape(), 0) << shown.output();
  for (int scene = 1; scene < scene_count; scene++)
    for (int earlier = 0; earlier < scene; earlier++)
      EXPECT_LT(share_alike(scenes[scene], scenes[earlier], 0, caption_top), 0.9)
          << scene + 1 << " looks like " << earlier + 1;
}

// What a window manager sends when its close button is clicked ends the
// showcase as Escape does, quietly and at once (the leak check of a sanitized
// build may take seconds more on a busy machine): in every scene, and
// in the window of its own that OpenGL brings (scene 6 here: 5 after G).
TEST(Showcase, CloseButtonEndsItInEverySceneAndInOpenGLWithStatusZeroAndNothingSaid) {
  start_headless_allegro(24);
  for (int scene = 1; scene <= scene_count + 1; scene++) {
    GameProcess shown(ZEPHYRUN_BINARY_DIR "/zephyrun-showcase", built_asset_directory(),
                      showcase({}));
    const int caption = std::min(scene, scene_count);
    for (int tab = 1; tab < caption; tab++) shown.key("key", "Tab");
    ASSERT_TRUE(shown.shows_within(
        20, [&](const Screenshot &s) { return caption_numbers_scene(s, caption); }))
        << "scene " << caption << " did not show\n"
        << shown.output();
    if (scene > scene_count) {
      shown.key("key", "g");
      // The frame turns on a quad in OpenGL, so the caption leaves its place.
      ASSERT_TRUE(shown.shows_within(
          20, [&](const Screenshot &s) { return !caption_numbers_scene(s, caption); }))
          << "no OpenGL frame came\n"
          << shown.output();
    }
    ASSERT_TRUE(shown.click_close_button()) << "scene " << scene;
    EXPECT_EQ(shown.wait_exit(5), 0) << "scene " << scene;
    EXPECT_EQ(shown.output(), "") << "scene " << scene;
  }
}

TEST(Showcase, StrayArgumentsStopItWithTheUsage) {
  GameProcess shown(ZEPHYRUN_BINARY_DIR "/zephyrun-showcase", built_asset_directory(),
                    showcase({"one.mp3", "two.mp3"}));
  EXPECT_EQ(shown.wait_exit(20), 2);
  EXPECT_EQ(shown.output(),
            "zephyrun-showcase: unexpected argument 'two.mp3'\n"
            "usage: zephyrun-showcase [--scale N|auto] [--help] [--version] [song.mp3]\n");
}

}  // namespace
