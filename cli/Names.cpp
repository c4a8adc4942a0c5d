#include "Names.h"

#include <algorithm>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "Text.h"
#include "xscatter/MaterialFile.h"

namespace xscatter::cli {
namespace {

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

// The table names in the folders nearest to name: those the fewest edits away, up to a third
// of its length (at least one edit), alphabetically.
std::vector<std::string> Nearest(const std::filesystem::path& dataFolder, std::string_view name,
                                 std::span<const std::string_view> folders) {
  std::vector<std::string> nearest;
  if (name.size() > kLongestSuggested) return nearest;
  std::size_t fewest = std::max<std::size_t>(1, name.size() / 3);
  std::error_code error;
  for (std::string_view folder : folders) {
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder / folder, error)) {
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
  if (nearest.size() > kMostSuggestions) nearest.resize(kMostSuggestions);
  return nearest;
}

Status NotFound(const std::filesystem::path& dataFolder, std::string_view what,
                std::string_view name, std::span<const std::string_view> folders) {
  const std::filesystem::path whole = std::filesystem::absolute(dataFolder);
  const std::string missing = "no " + std::string(what) + " " + Shortened(name);
  const std::string pointer = "; --data DIR names the folder that holds XFS-data";
  std::error_code error;
  if (!std::filesystem::is_directory(whole, error)) {
    return Status::Failed(missing + ": the data folder " + whole.string() + " does not exist" +
                          pointer);
  }
  if (!std::filesystem::is_directory(whole / kElementFolder, error)) {
    return Status::Failed(missing + ": " + whole.string() + " holds no XFS-data" + pointer);
  }
  const std::vector<std::string> nearest = Nearest(whole, name, folders);
  if (nearest.empty()) {
    std::string searched;
    for (std::string_view folder : folders) {
      searched += (searched.empty() ? " in " : " or ") + (whole / folder).string();
    }
    return Status::Failed(missing + searched);
  }
  std::string suggestion = "; did you mean ";
  for (std::size_t k = 0; k < nearest.size(); ++k) {
    if (k > 0) suggestion += k + 1 == nearest.size() ? " or " : ", ";
    suggestion += nearest[k];
  }
  return Status::Failed(missing + suggestion + "?");
}

}  // namespace

Status CheckMaterialName(std::string_view name) {
  if (Status status = CheckPlainFileName(name); !status.ok()) return status;
  if (name.find(':') != std::string_view::npos) {
    return Status::Failed(Quoted(name) +
                          " is not a material name: the NAME comes before the elements");
  }
  if (name.ends_with(kTableExtension)) {
    return Status::Failed("give the name " + Quoted(name) + " without " +
                          std::string(kTableExtension) + ": " +
                          Quoted(name.substr(0, name.size() - kTableExtension.size())));
  }
  if (Printable(name) != name) {
    return Status::Failed("the name " + Quoted(name) +
                          " holds a control character or bytes that are not UTF-8");
  }
  return Status::Ok();
}

Status CheckNotElementName(const std::filesystem::path& dataFolder, std::string_view name) {
  std::error_code error;
  const std::filesystem::path element =
      dataFolder / kElementFolder / (std::string(name) + std::string(kTableExtension));
  if (!std::filesystem::exists(element, error)) return Status::Ok();
  return Status::Failed("a material cannot be called " + Quoted(name) +
                        ": that is an element, which show and at would find instead");
}

Status NoSuchTable(const std::filesystem::path& dataFolder, std::string_view name) {
  constexpr std::string_view folders[] = {kElementFolder, kMaterialFolder};
  return NotFound(dataFolder, "table", name, folders);
}

Status NoSuchElement(const std::filesystem::path& dataFolder, std::string_view symbol) {
  constexpr std::string_view folders[] = {kElementFolder};
  return NotFound(dataFolder, "element", symbol, folders);
}

}  // namespace xscatter::cli
