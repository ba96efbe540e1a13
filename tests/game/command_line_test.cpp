// The command line of the game and the showcase: what each line asks for, the
// scale auto picks for a desktop, and what the built game answers and how it
// exits, before it ever needs a display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_process.h"
#include "zephyrun.h"

using namespace testing_support;
using zephyrun::CommandLine;

namespace {

CommandLine parse(std::vector<const char *> arguments, bool takes_file = false) {
  arguments.insert(arguments.begin(), "zephyrun");
  return zephyrun::parse_command_line(static_cast<int>(arguments.size()), arguments.data(),
                                      takes_file);
}

TEST(CommandLine, GoodLinesGiveTheScaleAndTheAnswerAskedFor) {
  const struct {
    std::vector<const char *> arguments;
    CommandLine::Action action;
    int scale;  // 0 = auto
  } cases[] = {
      {{}, CommandLine::play, 1},
      {{"--scale", "1"}, CommandLine::play, 1},
      {{"--scale", "4"}, CommandLine::play, 4},
      {{"--scale=3"}, CommandLine::play, 3},
      {{"--scale", "auto"}, CommandLine::play, 0},
      {{"--scale", "2", "--scale", "3"}, CommandLine::play, 3},
      {{"--help"}, CommandLine::show_help, 1},
      {{"--version"}, CommandLine::show_version, 1},
      {{"--scale", "2", "--version"}, CommandLine::show_version, 2},
      {{"--help", "--frobnicate"}, CommandLine::show_help, 1},  // answered before the fault
  };
  for (const auto &good : cases) {
    const CommandLine line = parse(good.arguments);
    const std::string said = good.arguments.empty() ? "(none)" : good.arguments[0];
    EXPECT_EQ(line.action, good.action) << said << ": " << line.problem;
    EXPECT_EQ(line.scale, good.scale) << said;
    EXPECT_EQ(line.file, nullptr) << said;
  }
}

TEST(CommandLine, BadLinesAreRefusedSayingWhatIsWrong) {
  const struct {
    std::vector<const char *> arguments;
    const char *problem;
  } cases[] = {
      {{"--scale", "0"}, "--scale '0' is out of range: give a number from 1 to 4, or auto"},
      {{"--scale", "5"}, "--scale '5' is out of range: give a number from 1 to 4, or auto"},
      {{"--scale", "12"}, "--scale '12' is out of range: give a number from 1 to 4, or auto"},
      {{"--scale", "two"}, "--scale 'two' is not a number: give a number from 1 to 4, or auto"},
      {{"--scale", "-2"}, "--scale '-2' is not a number: give a number from 1 to 4, or auto"},
      {{"--scale="}, "--scale '' is not a number: give a number from 1 to 4, or auto"},
      {{"--scale", "Auto"}, "--scale 'Auto' is not a number: give a number from 1 to 4, or auto"},
      {{"--scale"}, "--scale needs a number from 1 to 4, or auto"},
      {{"--frobnicate"}, "unknown option '--frobnicate'"},
      {{"-s"}, "unknown option '-s'"},
      {{"song.mp3"}, "unexpected argument 'song.mp3'"},
      {{"--frobnicate", "--help"}, "unknown option '--frobnicate'"},  // refused before help
  };
  for (const auto &bad : cases) {
    const CommandLine line = parse(bad.arguments);
    EXPECT_EQ(line.action, CommandLine::refuse) << bad.problem;
    EXPECT_EQ(line.problem, bad.problem);
  }
}

TEST(CommandLine, AProgramThatTakesAFileTakesOneAnywhereAndNoMore) {
  CommandLine line = parse({"song.mp3", "--scale", "2"}, true);
  EXPECT_EQ(line.action, CommandLine::play);
  EXPECT_STREQ(line.file, "song.mp3");
  EXPECT_EQ(line.scale, 2);
  line = parse({"--", "-odd name.mp3"}, true);
  EXPECT_EQ(line.action, CommandLine::play) << line.problem;
  EXPECT_STREQ(line.file, "-odd name.mp3");
  line = parse({"one.mp3", "two.mp3"}, true);
  EXPECT_EQ(line.action, CommandLine::refuse);
  EXPECT_EQ(line.problem, "unexpected argument 'two.mp3'");
}

TEST(AutoScale, IsTheLargestWholeScaleWithinNinetyPercentOfTheDesktop) {
  const struct {
    int width, height, scale;
  } cases[] = {
      {1920, 1080, 2}, {1024, 768, 1}, {3840, 2160, 4}, {1600, 1200, 2},
      {7680, 4320, 4},  // never above 4
      {640, 480, 1},    // not even 1 fits within 90 %: still 1
      {1422, 1067, 1},  // 1280 x 960 needs 1422.3 x 1066.7 ...
      {1423, 1067, 2},  // ... so one more column is enough
      {2560, 1066, 1},  // wide enough for 3, but not tall enough for 2
  };
  for (const auto &desktop : cases)
    EXPECT_EQ(zephyrun::scale_for_desktop(desktop.width, desktop.height), desktop.scale)
        << desktop.width << "x" << desktop.height;
}

// The built game's answers: stdout, stderr and status apart. No display is
// given, so a program that tried to open its window would stop with status 1.
struct Answer {
  std::string out, err;
  int status;
};
Answer answer_of(const std::string &program, const std::string &arguments) {
  const std::string err_file = testing::TempDir() + "zephyrun-command-line-stderr";
  Answer answer;
  run_command("env -u DISPLAY " + program + " " + arguments + " 2>" + err_file + "; echo $?",
              &answer.out);
  const size_t status_at = answer.out.rfind('\n', answer.out.size() - 2) + 1;
  answer.status = std::stoi(answer.out.substr(status_at));
  answer.out.erase(status_at);
  run_command("cat " + err_file, &answer.err);
  return answer;
}

TEST(GameCommandLine, WrongLinesExitTwoWithOneLineAndTheUsageBeforeAnyWindow) {
  const std::string usage = "usage: zephyrun [--scale N|auto] [--help] [--version]\n";
  for (const char *arguments :
       {"--scale 0", "--scale 5", "--scale two", "--scale", "--frobnicate"}) {
    const Answer answer = answer_of(built_game_path(), arguments);
    EXPECT_EQ(answer.status, 2) << arguments << "\n" << answer.err;
    EXPECT_EQ(answer.out, "") << arguments;
    const size_t first_line = answer.err.find('\n') + 1;
    EXPECT_EQ(answer.err.rfind("zephyrun: ", 0), 0u) << arguments << ": " << answer.err;
    EXPECT_EQ(answer.err.substr(first_line), usage) << arguments;
  }
}

TEST(GameCommandLine, HelpAndVersionAnswerOnStdoutWithStatusZero) {
  const Answer help = answer_of(built_game_path(), "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("usage: zephyrun [--scale N|auto] [--help] [--version]\n", 0), 0u)
      << help.out;
  EXPECT_NE(help.out.find("--scale auto"), std::string::npos) << help.out;
  const Answer version = answer_of(built_game_path(), "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "zephyrun " ZEPHYRUN_PROJECT_VERSION "\n");
  const Answer showcase = answer_of(ZEPHYRUN_BINARY_DIR "/zephyrun-showcase", "--version");
  EXPECT_EQ(showcase.out, "zephyrun-showcase " ZEPHYRUN_PROJECT_VERSION "\n");
}

}  // namespace
