// The command line of the game and the showcase: how much the window
// magnifies, help and version. It is read before the library starts, so a
// wrong one is answered with status 2 and no window ever opens.
#include "game/command_line.h"

#include <cstdio>
#include <cstring>

namespace zephyrun {

static const char scale_values[] = "a number from 1 to 4, or auto";

// Sets line.scale from the text after --scale, or says what is wrong with it.
static void read_scale(const char *value, CommandLine &line) {
  if (std::strcmp(value, "auto") == 0) {
    line.scale = 0;
    return;
  }
  const size_t length = std::strlen(value);
  const bool number = length > 0 && std::strspn(value, "0123456789") == length;
  if (number && length == 1 && value[0] >= '1' && value[0] <= '4') {
    line.scale = value[0] - '0';
    return;
  }
  line.action = CommandLine::refuse;
  line.problem = std::string("--scale '") + value + "' is " +
                 (number ? "out of range" : "not a number") + ": give " + scale_values;
}

CommandLine parse_command_line(int argc, const char *const *argv, const ProgramOptions &options) {
  CommandLine line;
  bool options_ended = false;
  for (int i = 1; i < argc && line.action == CommandLine::play; i++) {
    const char *argument = argv[i];
    const bool option = !options_ended && argument[0] == '-' && argument[1] != '\0';
    if (!option) {
      if (options.file_name && !line.file) {
        line.file = argument;
      } else {
        line.action = CommandLine::refuse;
        line.problem = std::string("unexpected argument '") + argument + "'";
      }
    } else if (std::strcmp(argument, "--") == 0) {
      options_ended = true;
    } else if (std::strcmp(argument, "--help") == 0) {
      line.action = CommandLine::show_help;
    } else if (std::strcmp(argument, "--version") == 0) {
      line.action = CommandLine::show_version;
    } else if (options.fullscreen && std::strcmp(argument, "--fullscreen") == 0) {
      line.fullscreen = true;
    } else if (std::strncmp(argument, "--scale=", 8) == 0) {
      read_scale(argument + 8, line);
    } else if (std::strcmp(argument, "--scale") == 0) {
      if (i + 1 < argc) {
        read_scale(argv[++i], line);
      } else {
        line.action = CommandLine::refuse;
        line.problem = std::string("--scale needs ") + scale_values;
      }
    } else {
      line.action = CommandLine::refuse;
      line.problem = std::string("unknown option '") + argument + "'";
    }
  }
  return line;
}

static std::string usage_line(const ProgramOptions &options) {
  std::string usage = std::string("usage: ") + options.program + " [--scale N|auto]";
  if (options.fullscreen) usage += " [--fullscreen]";
  usage += " [--help] [--version]";
  if (options.file_name) usage += std::string(" [") + options.file_name + "]";
  return usage;
}

int answer_command_line(const CommandLine &line, const ProgramOptions &options) {
  const std::string usage = usage_line(options);
  switch (line.action) {
    case CommandLine::show_help:
      std::printf("%s\n", usage.c_str());
      std::printf(
          "  --scale N     show the 640x480 picture N times larger (1 to 4), in sharp\n"
          "                N x N blocks\n"
          "  --scale auto  the largest N whose window fits in 90%% of the desktop\n");
      if (options.fullscreen)
        std::printf(
            "  --fullscreen  start in fullscreen: the picture as large as the desktop\n"
            "                allows, centred, black around it (F11 or Alt+Enter toggles)\n");
      std::printf(
          "  --help        show this help and exit\n"
          "  --version     show the version and exit\n"
          "%s",
          options.more_help.c_str());
      return 0;
    case CommandLine::show_version:
      std::printf("%s %s\n", options.program, ZEPHYRUN_VERSION);
      return 0;
    default:
      std::fprintf(stderr, "%s: %s\n%s\n", options.program, line.problem.c_str(), usage.c_str());
      return 2;
  }
}

}  // namespace zephyrun
