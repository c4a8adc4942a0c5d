#include <cstdio>
#include <vector>

#include "Commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  return xscatter::cli::Run(arguments, stdin, stdout, stderr);
}
