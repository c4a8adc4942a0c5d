#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "Commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return xscatter::cli::Run(arguments, program.parent_path(), stdin, stdout, stderr);
}
