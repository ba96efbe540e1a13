// The one-file examples in a window, started as their banners say: from the
// game's data folder with no arguments. Each draws its scene, runs on, and
// ends with status 0 on Escape and on the window's close button.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "game_process.h"
#include "test_support.h"

using namespace testing_support;

namespace {

const char *const example_names[] = {"transitions", "voxel_landscape", "pixel_collision",
                                     "music_stream", "opengl_presentation"};

struct Example : GameProcess {
  explicit Example(const std::string &name, const std::vector<std::string> &arguments = {})
      : GameProcess(ZEPHYRUN_BINARY_DIR "/examples/" + name, built_asset_directory(),
                    {arguments, {}, false, name}) {}
};

// A scene, not an empty or one-colour window: many colours over the frame.
bool shows_a_scene(const Screenshot &shot) {
  std::set<int> colours;
  for (int y = 0; y < 480; y += 6)
    for (int x = 0; x < 640; x += 6)
      colours.insert(shot.at(x, y)[0] << 16 | shot.at(x, y)[1] << 8 | shot.at(x, y)[2]);
  return colours.size() > 12;
}

TEST(Examples, EachDrawsItsSceneFromTheDataFolderAndEndsWithStatusZeroOnEscapeOrCloseButton) {
  for (const char *name : example_names)
    for (const bool close_button : {false, true}) {
      Example example(name);
      ASSERT_TRUE(example.shows_within(30, shows_a_scene)) << name << " showed no scene\n"
                                                           << example.output();
      if (close_button)
        ASSERT_TRUE(example.click_close_button()) << name;
      else
        example.key("keydown", "Escape");
      EXPECT_EQ(example.wait_exit(20), 0) << name << "\n" << example.output();
    }
}

TEST(MusicStreamExample, ASongThatCannotBeOpenedIsSaidAndTheWindowRunsOn) {
  Example example("music_stream", {"no-such-song.mp3"});
  ASSERT_TRUE(example.shows_within(30, shows_a_scene)) << example.output();
  EXPECT_NE(example.output().find("cannot open no-such-song.mp3"), std::string::npos)
      << example.output();
  EXPECT_EQ(example.ends_on_escape(), 0);
}

TEST(PixelCollisionExample, SteeringTheShipRightIntoTheAsteroidTurnsTheFrameRed) {
  Example example("pixel_collision");
  auto red_frame = [](const Screenshot &shot) {
    return near_colour(shot.at(630, 470), 120, 0, 0, 10);
  };
  Screenshot first;
  ASSERT_TRUE(example.shows_within(30, shows_a_scene, &first));
  EXPECT_FALSE(red_frame(first)) << "a hit before any move";
  // Unpaced, the first second or two of frames could carry the ship through the
  // asteroid between two screenshots; paced, it takes seconds.
  std::this_thread::sleep_for(std::chrono::seconds(3));
  example.key("keydown", "Right");
  EXPECT_TRUE(example.shows_within(30, red_frame)) << "no hit on the way right";
  example.key("keyup", "Right");
  EXPECT_EQ(example.ends_on_escape(), 0);
}

TEST(TransitionsExample, EachTransitionRunsToTheOtherPictureAndTheNextComesBack) {
  const Screenshot title = built_picture("present.bmp"), sky = built_picture("cielo.bmp");
  ASSERT_FALSE(title.empty() || sky.empty());
  Example example("transitions");
  // Sampled above the line of keys.
  auto ends_on = [&](const Screenshot &picture) {
    return example.shows_within(
        30, [&](const Screenshot &shot) { return share_alike(shot, picture, 0, 450, 5) > 0.98; });
  };
  ASSERT_TRUE(ends_on(title)) << "the title was not the first picture";
  const std::pair<const char *, const Screenshot &> runs[] = {{"1", sky}, {"2", title}, {"3", sky}};
  for (const auto &[key, picture] : runs) {
    example.key("key", key);
    EXPECT_TRUE(ends_on(picture)) << "transition " << key << " did not end on the other picture";
  }
  EXPECT_EQ(example.ends_on_escape(), 0);
}

}  // namespace
