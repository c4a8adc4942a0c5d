#pragma once

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <system_error>
#include <vector>

#include "xscatter/ScatteringTable.h"  // and with it <filesystem>, <optional> and <string>

// The bytes of a regular file (also through a link); empty for anything else, which a read
// might wait on for ever.
inline std::string FileBytes(const std::filesystem::path& file) {
  if (!std::filesystem::is_regular_file(file)) return {};
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// One field of the written form, "  .DDDDDE+EE" for 0.DDDDD x 10^EE, worked out from printf's
// D.DDDDe+XX apart from the program's own writer; none where it does not fit.
inline std::optional<std::string> WrittenField(double v, int digits) {
  if (!std::isfinite(v) || v < 0) return std::nullopt;
  char printed[32], field[32];
  std::snprintf(printed, sizeof printed, "%.*e", digits - 1, v);
  const int exponent = v == 0 ? 0 : std::atoi(std::strchr(printed, 'e') + 1) + 1;
  if (std::abs(exponent) > 99) return std::nullopt;
  const std::string mantissa = printed[0] + std::string(printed + 2, digits - 1);
  std::snprintf(field, sizeof field, "  .%sE%+03d", mantissa.c_str(), exponent);
  return field;
}

// The file a material of these element files, element k counted n_k times, must be, worked out
// apart from the program: F = sqrt(sum n_k F_k^2) and S = sum n_k S_k row by row, x from the
// last file (from `x` without any). None when a file has fewer than 45 lines or a row does not
// fit the written form.
inline std::optional<std::string> ExpectedMaterial(
    const std::vector<std::pair<std::filesystem::path, double>>& elements,
    const std::array<double, xscatter::kTableSlots>& x = {}) {
  std::vector<std::istringstream> files;
  for (const auto& element : elements) files.emplace_back(FileBytes(element.first));
  std::string written;
  for (int row = 1; row <= xscatter::kTableRows; ++row) {
    double rowX = x[row], squares = 0, S = 0, f = 0, s = 0;
    for (std::size_t k = 0; k < files.size(); ++k) {
      std::string line;
      if (!std::getline(files[k], line)) return std::nullopt;
      std::istringstream(line) >> rowX >> f >> s;
      squares += elements[k].second * (f * f), S += elements[k].second * s;
    }
    const auto xField = WrittenField(rowX, 3), fField = WrittenField(std::sqrt(squares), 5),
               sField = WrittenField(S, 5);
    if (!xField || !fField || !sField) return std::nullopt;
    written += *xField + *fField + *sField + "\r\n";
  }
  return written;
}

// A fresh working folder for one test: XFS-data holds copies of the named shipped element
// files, XFSM-data is empty, and both go away with the object.
class Workspace {
 public:
  explicit Workspace(std::initializer_list<const char*> elements = {"H", "O", "Cu", "Zn", "Fe"}) {
    std::string pattern = (std::filesystem::temp_directory_path() / "xscatter-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    std::filesystem::create_directory(materialFolder());
    std::filesystem::create_directory(elementFolder());
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
