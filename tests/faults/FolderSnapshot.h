#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

// Every entry below a folder, with the bytes of each file. Two equal snapshots mean that
// nothing was changed, added or left behind; folders appear with a trailing '/'.
using FolderSnapshot = std::map<std::string, std::string>;

inline FolderSnapshot Snapshot(const std::filesystem::path& root) {
  FolderSnapshot snapshot;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::string name = std::filesystem::relative(entry.path(), root).string();
    if (entry.is_directory()) {
      snapshot[name + "/"];
      continue;
    }
    std::ifstream file(entry.path(), std::ios::binary);
    snapshot[name] = {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  return snapshot;
}
