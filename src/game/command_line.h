// The command line of the game and the showcase: how much the window
// magnifies, fullscreen, help and version (game/command_line.cpp).
#pragma once

#include <string>

namespace zephyrun {

// What a program takes on its command line beyond --scale, --help and --version.
struct ProgramOptions {
  const char *program;              // its name, which its messages begin with
  const char *file_name = nullptr;  // the one optional file it takes ("song.mp3"), or none
  bool fullscreen = false;          // whether it takes --fullscreen
  std::string more_help;            // what --help says after the options
};

// What a command line asks of the game or the showcase.
struct CommandLine {
  enum Action { play, show_help, show_version, refuse };
  static constexpr int scale_not_given = -1;
  Action action = play;
  int scale = scale_not_given;  // the window's magnification, 1..4; 0 = auto
  bool fullscreen = false;      // --fullscreen: start in fullscreen
  const char *file = nullptr;   // the one file named, for a program that takes one
  std::string problem;          // refuse: what is wrong, said after "<program>: "
};

// Reads --scale N|auto (or --scale=...), --help, --version and what `options`
// adds; "--" ends the options. --help and --version answer at once, before
// anything after them is read; the first fault refuses.
CommandLine parse_command_line(int argc, const char *const *argv, const ProgramOptions &options);

// Answers a line that is not `play`: help or "<program> <version>" on stdout
// (returns 0), or "<program>: <problem>" and the usage on stderr (returns 2).
int answer_command_line(const CommandLine &line, const ProgramOptions &options);

}  // namespace zephyrun
