#include "xscatter/TableStore.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "xscatter/Text.h"

namespace fs = std::filesystem;

namespace xscatter {
namespace {

bool IsPath(std::string_view text) {
  return text.find('/') != std::string_view::npos || text.ends_with(kTableExtension);
}

std::string TableFileName(std::string_view name) {
  return std::string(name) + std::string(kTableExtension);
}

// The words for what a table's F and S are per. An element's table is per atom; what a material
// or a file of unknown origin is per, the file does not tell.
std::string PerWords(Reading reading, const NamedTable& named) {
  const std::string fileName = named.file.filename().string();
  switch (reading) {
    case Reading::Element:
      return "per atom of " + named.name;
    case Reading::Material:
      return "per unit of the material in " + fileName;
    default:
      return "per unit of the table in " + fileName;
  }
}

Result<NamedTable> ReadNamed(Reading reading, const fs::path& file) {
  NamedTable named;
  named.name = DisplayName(file.filename().string());
  named.reading = reading;
  named.file = file;
  named.per = PerWords(reading, named);
  TableLines lines;
  if (Status status = ReadTableFile(file, named.table, lines); !status.ok()) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(file, error))) {
      return Status::Failed("no " + file.filename().string() + " in " +
                            file.parent_path().string());
    }
    return status;
  }
  return named;
}

// Suggestions are for typing errors; past this a name is something else altogether.
constexpr std::size_t kLongestSuggested = 64;
constexpr std::size_t kMostSuggestions = 3;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Edits (insert, delete, replace) between two names, letter case aside.
std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t replaced = diagonal + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1);
      diagonal = row[j];
      row[j] = std::min({replaced, row[j] + 1, row[j - 1] + 1});
    }
  }
  return row[b.size()];
}

}  // namespace

std::string DidYouMean(std::span<const fs::path> folders, std::string_view name) {
  if (name.size() > kLongestSuggested) return {};
  std::vector<std::string> nearest;
  std::size_t fewest = std::max<std::size_t>(1, name.size() / 3);
  for (const fs::path& folder : folders) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
      const std::string file = entry.path().filename().string();
      if (!file.ends_with(kTableExtension)) continue;
      const std::string candidate = DisplayName(file);
      const std::size_t distance = Distance(name, candidate);
      if (distance < fewest) {
        nearest.clear();
        fewest = distance;
      }
      if (distance == fewest) nearest.push_back(candidate);
    }
  }
  std::sort(nearest.begin(), nearest.end());
  nearest.erase(std::unique(nearest.begin(), nearest.end()), nearest.end());
  if (nearest.empty()) return {};
  nearest.resize(std::min(nearest.size(), kMostSuggestions));
  std::string hint = "; did you mean ";
  for (std::size_t k = 0; k < nearest.size(); ++k) {
    if (k > 0) hint += k + 1 == nearest.size() ? " or " : ", ";
    hint += Shortened(nearest[k]);
  }
  return hint + "?";
}

Status CheckPlainFileName(std::string_view name) {
  if (name.empty()) return Status::Failed("empty file name");
  if (name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) {
    return Status::Failed("file name " + Quoted(name) + " is not a plain name");
  }
  return Status::Ok();
}

Result<NamedTable> TableStore::Find(std::string_view text, Reading reading) const {
  switch (reading) {
    case Reading::Path: {
      std::error_code error;
      const fs::path file = fs::absolute(fs::path(text), error);
      return ReadNamed(Reading::Path, error ? fs::path(text) : file);
    }
    case Reading::Element:
    case Reading::Material:
      return Open(reading, TableFileName(text));
    case Reading::ReferenceMaterial:
      return Status::Failed("no reference material " + Quoted(text) + ": none are known yet");
    case Reading::Formula:
      return Status::Failed(Quoted(text) + " cannot be read as a formula yet");
    case Reading::Any:
      break;
  }
  if (IsPath(text)) return Find(text, Reading::Path);
  const std::string fileName = TableFileName(text);
  if (CheckPlainFileName(text).ok()) {
    for (Reading kind : {Reading::Element, Reading::Material}) {
      std::error_code error;
      const fs::path folder = kind == Reading::Element ? folders_.elements : folders_.materials;
      if (fs::is_regular_file(folder / fileName, error)) return Open(kind, fileName);
    }
  }
  const fs::path searched[] = {folders_.elements, folders_.materials};
  if (std::string hint = DidYouMean(searched, text); !hint.empty()) {
    return Status::Failed("no table " + Shortened(text) + hint);
  }
  return Status::Failed("unknown table " + Quoted(text) + ": no " + fileName + " in " +
                        folders_.elements.string() + " or " + folders_.materials.string());
}

Result<NamedTable> TableStore::OpenElement(std::string_view fileName) const {
  return Open(Reading::Element, fileName);
}

Result<NamedTable> TableStore::OpenMaterial(std::string_view fileName) const {
  return Open(Reading::Material, fileName);
}

Result<NamedTable> TableStore::Open(Reading reading, std::string_view fileName) const {
  if (Status status = CheckPlainFileName(fileName); !status.ok()) return status;
  const fs::path& folder = reading == Reading::Element ? folders_.elements : folders_.materials;
  return ReadNamed(reading, folder / fileName);
}

Status TableStore::SaveMaterial(std::string_view name, const ScatteringTable& table) const {
  if (Status status = CheckPlainFileName(name); !status.ok()) return status;
  return WriteTableFile(folders_.materials / TableFileName(name), table);
}

}  // namespace xscatter
