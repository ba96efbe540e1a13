// The command line of the game and the showcase, read before the library
// starts: what each line asks for, and how the built game answers it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/command_line.h"
#include "game_process.h"
#include "window/window.h"

using zephyrun::CommandLine;

namespace {

// The game's options; the showcase takes a song instead of --fullscreen.
const zephyrun::ProgramOptions game_options{"zephyrun", nullptr, true, ""};
const zephyrun::ProgramOptions showcase_options{"zephyrun-showcase", "song.mp3", false, ""};

CommandLine parse(std::vector<const char *> arguments, const zephyrun::ProgramOptions &options) {
  arguments.insert(arguments.begin(), options.program);
  return zephyrun::parse_command_line(static_cast<int>(arguments.size()), arguments.data(),
                                      options);
}

TEST(CommandLine, GoodLinesGiveTheScaleOrTheAnswerAndBadOnesSayWhatIsWrong) {
  const std::string range = "give a number from 1 to 4, or auto";
  constexpr int none = CommandLine::scale_not_given;  // the settings file's, then
  const struct {
    std::vector<const char *> arguments;
    CommandLine::Action action;
    int scale;  // 0 = auto
    bool fullscreen;
    std::string problem;
  } cases[] = {
      // clang-format off
      {{},                              CommandLine::play,         none, false, ""},
      {{"--scale", "4"},                CommandLine::play,         4,    false, ""},
      {{"--scale=3", "--fullscreen"},   CommandLine::play,         3,    true,  ""},
      {{"--scale", "auto"},             CommandLine::play,         0,    false, ""},
      {{"--scale", "2", "--version"},   CommandLine::show_version, 2,    false, ""},
      {{"--help", "--frobnicate"},      CommandLine::show_help,    none, false, ""},  // answered first
      {{"--scale", "0"},                CommandLine::refuse,       none, false, "--scale '0' is out of range: " + range},
      {{"--scale", "12"},               CommandLine::refuse,       none, false, "--scale '12' is out of range: " + range},
      {{"--scale", "-2"},               CommandLine::refuse,       none, false, "--scale '-2' is not a number: " + range},
      {{"--scale"},                     CommandLine::refuse,       none, false, "--scale needs a number from 1 to 4, or auto"},
      {{"--frobnicate", "--help"},      CommandLine::refuse,       none, false, "unknown option '--frobnicate'"},
      {{"song.mp3"},                    CommandLine::refuse,       none, false, "unexpected argument 'song.mp3'"},
      // clang-format on
  };
  for (const auto &expected : cases) {
    const CommandLine line = parse(expected.arguments, game_options);
    EXPECT_EQ(line.action, expected.action) << line.problem;
    EXPECT_EQ(line.scale, expected.scale) << line.problem;
    EXPECT_EQ(line.fullscreen, expected.fullscreen) << line.problem;
    EXPECT_EQ(line.problem, expected.problem);
  }
  // The showcase takes one song, wherever it stands, and no second one; no fullscreen.
  EXPECT_STREQ(parse({"song.mp3", "--scale", "2"}, showcase_options).file, "song.mp3");
  EXPECT_EQ(parse({"one.mp3", "two.mp3"}, showcase_options).problem,
            "unexpected argument 'two.mp3'");
  EXPECT_EQ(parse({"--fullscreen"}, showcase_options).problem, "unknown option '--fullscreen'");
}

TEST(AutoScale, IsTheLargestWholeScaleWithinNinetyPercentOfTheDesktopAtLeastOne) {
  // 1280 x 960 needs 1422.3 x 1066.7.
  const int cases[][3] = {{3840, 2160, 4}, {7680, 4320, 4}, {1423, 1067, 2},
                          {1422, 1067, 1}, {2560, 1066, 1}, {640, 480, 1}};
  for (const auto &[width, height, scale] : cases)
    EXPECT_EQ(zephyrun::scale_for_desktop(width, height), scale) << width << "x" << height;
}

// Without a display: a game that went on towards its window would exit 1.
TEST(GameCommandLine, AWrongLineExitsTwoWithOneLineAndTheUsageBeforeAnyWindow) {
  const std::string game = "env -u DISPLAY " + testing_support::built_game_path();
  std::string out, err;
  for (const char *wrong : {"--scale 0", "--scale 5", "--scale two", "--scale", "--frobnicate"}) {
    testing_support::run_command(game + " " + wrong + " 2>&1 >/dev/null; echo $?", &err);
    EXPECT_EQ(err.substr(0, 10), "zephyrun: ") << wrong;
    EXPECT_EQ(err.substr(err.find('\n') + 1),
              "usage: zephyrun [--scale N|auto] [--fullscreen] [--help] [--version]\n2\n")
        << wrong;
  }
  EXPECT_TRUE(testing_support::run_command(game + " --version 2>&1", &out));
  EXPECT_EQ(out, "zephyrun " ZEPHYRUN_PROJECT_VERSION "\n");
}

}  // namespace
