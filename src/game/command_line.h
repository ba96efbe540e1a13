// The command line of the game and the showcase: how much the window
// magnifies, help and version (game/command_line.cpp).
#pragma once

#include <string>

namespace zephyrun {

// What a command line asks of the game or the showcase.
struct CommandLine {
  enum Action { play, show_help, show_version, refuse };
  Action action = play;
  int scale = 1;               // the window's magnification, 1..4; 0 = auto
  const char *file = nullptr;  // the one file named, for a program that takes one
  std::string problem;         // refuse: what is wrong, said after "<program>: "
};

// Reads --scale N|auto (or --scale=...), --help, --version and, where
// takes_file, one file name; "--" ends the options. --help and --version
// answer at once, before anything after them is read; the first fault refuses.
CommandLine parse_command_line(int argc, const char *const *argv, bool takes_file);

// Answers a line that is not `play`: help or "<program> <version>" on stdout
// (returns 0), or "<program>: <problem>" and the usage on stderr (returns 2).
// The usage names file_name as the optional file, unless it is NULL.
int answer_command_line(const CommandLine &line, const char *program, const char *file_name);

}  // namespace zephyrun
