#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

// Files in the element folder that a table read must refuse, each made by its maker at the
// given path from a sound element file.
struct BrokenFile {
  const char* what;
  std::function<void(const std::filesystem::path& sound, const std::filesystem::path& path)> make;
};

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The first `count` lines of a file, each with its line end.
inline std::string FirstLines(const std::filesystem::path& path, int count) {
  std::ifstream file(path, std::ios::binary);
  std::string kept;
  std::string line;
  for (int i = 0; i < count && std::getline(file, line); ++i) kept += line + '\n';
  return kept;
}

// Two kilobytes that no editor wrote, NUL bytes included, with too few line ends for a table.
inline std::string BinaryGarbage() {
  std::mt19937 bits(20240611);
  std::string bytes(2048, '\0');
  std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(bits() & 0xff); });
  return bytes;
}

inline std::vector<BrokenFile> BrokenElementFiles() {
  namespace fs = std::filesystem;
  return {
      {"missing since it was listed", [](const fs::path&, const fs::path&) {}},
      {"44 lines", [](const fs::path& sound,
                      const fs::path& path) { WriteFileBytes(path, FirstLines(sound, 44)); }},
      {"0 bytes", [](const fs::path&, const fs::path& path) { WriteFileBytes(path, ""); }},
      {"binary garbage",
       [](const fs::path&, const fs::path& path) { WriteFileBytes(path, BinaryGarbage()); }},
      {"a folder", [](const fs::path&, const fs::path& path) { fs::create_directory(path); }},
  };
}
