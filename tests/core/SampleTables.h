#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ScatteringTable.h"

// A table with strictly increasing x and positive F and S whose rows all differ.
inline xscatter::ScatteringTable SampleTable(double scale = 1) {
  xscatter::ScatteringTable table;
  for (int row = 1; row <= xscatter::kTableRows; ++row) {
    table.x[row] = 0.005 * row * row;
    table.F[row] = scale * (20.0 / row + 0.25);
    table.S[row] = scale * (0.3 * row + 0.01);
  }
  return table;
}

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
