#pragma once

#include <cstdio>
#include <filesystem>
#include <span>
#include <string_view>

namespace xscatter::cli {

inline constexpr int kDone = 0;
inline constexpr int kValuesOutOfRange = 1;
inline constexpr int kFailed = 2;

// Runs the command line (without the program's name) and gives the exit status. On a failure
// one line goes to err and nothing that was not yet flushed reaches out. Without --data the
// tables are looked up where the window of a program in programFolder would look.
int Run(std::span<const std::string_view> arguments, const std::filesystem::path& programFolder,
        std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace xscatter::cli
