#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <system_error>

#include <unistd.h>

// The bytes of a regular file (also through a link); empty for anything else, which a read
// might wait on for ever.
inline std::string FileBytes(const std::filesystem::path& file) {
  if (!std::filesystem::is_regular_file(file)) return {};
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A fresh working folder for one test: XFS-data holds copies of the named shipped element
// files, XFSM-data is empty, and both go away with the object.
class Workspace {
 public:
  explicit Workspace(std::initializer_list<const char*> elements = {"H", "O", "Cu", "Zn", "Fe"}) {
    std::string pattern = (std::filesystem::temp_directory_path() / "xscatter-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    std::filesystem::create_directory(elementFolder());
    std::filesystem::create_directory(materialFolder());
    for (const char* symbol : elements) {
      const std::string file = std::string(symbol) + ".xfs";
      std::filesystem::copy_file(shippedElement(file), elementFolder() / file);
    }
  }
  ~Workspace() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path elementFolder() const { return root_ / "XFS-data"; }
  std::filesystem::path materialFolder() const { return root_ / "XFSM-data"; }

  static std::filesystem::path shippedElement(const std::string& file) {
    return std::filesystem::path(XSCATTER_DATA_DIR) / "XFS-data" / file;
  }

 private:
  std::filesystem::path root_;
};
