#pragma once

#include <optional>

// Answers what the command line asks before any window exists: --help and --version on
// standard output, an unknown argument or a missing display with one line on standard error.
// The exit status when the program is to end there; none when the window is to open.
std::optional<int> AnswerCommandLine(int argc, char* argv[]);
