#include "xscatter/TableStore.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "CompositionFile.h"
#include "xscatter/Elements.h"
#include "xscatter/Formula.h"
#include "xscatter/ReferenceMaterials.h"
#include "xscatter/Text.h"

namespace fs = std::filesystem;

namespace xscatter {
namespace {

std::string TableFileName(std::string_view name) {
  return std::string(name) + std::string(kTableExtension);
}

void TakeComposition(Composition composition, NamedTable& named) {
  named.per = composition.unit;
  named.molarMass = composition.molarMass;
  named.composition = std::move(composition);
}

// What a table's F and S are per, and of what molar mass. An element's table is per atom; what a
// material or a file of unknown origin is per, the file does not tell: a composition kept beside
// it when it was saved does.
void DescribeUnit(Reading reading, const TableLines& lines, NamedTable& named) {
  const std::string fileName = named.file.filename().string();
  if (reading == Reading::Element) {
    if (auto atom = CompositionOfFormula(named.name); atom && atom->atoms.size() == 1) {
      TakeComposition(std::move(*atom), named);
      return;
    }
    named.per = "per atom of " + named.name;
    return;
  }
  if (auto kept = KeptComposition(named.file, lines)) {
    TakeComposition(std::move(*kept), named);
    return;
  }
  named.per = (reading == Reading::Material ? "per unit of the material in "
                                            : "per unit of the table in ") +
              fileName;
}

Result<NamedTable> ReadNamed(Reading reading, const fs::path& file) {
  NamedTable named;
  named.name = DisplayName(file.filename().string());
  named.reading = reading;
  named.file = file;
  TableLines lines;
  if (Status status = ReadTableFile(file, named.table, lines); !status.ok()) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(file, error))) {
      return Status::Failed("no " + file.filename().string() + " in " +
                            file.parent_path().string());
    }
    return status;
  }
  DescribeUnit(reading, lines, named);
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

bool IsTablePath(std::string_view text) {
  return text.find('/') != std::string_view::npos || text.ends_with(kTableExtension);
}

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
      return FindReferenceMaterialTable(text);
    case Reading::Formula:
      return FindFormulaTable(text);
    case Reading::Any:
      break;
  }
  if (IsTablePath(text)) return Find(text, Reading::Path);
  const std::string fileName = TableFileName(text);
  if (CheckPlainFileName(text).ok()) {
    for (Reading kind : {Reading::Element, Reading::Material}) {
      std::error_code error;
      const fs::path folder = kind == Reading::Element ? folders_.elements : folders_.materials;
      if (fs::is_regular_file(folder / fileName, error)) return Open(kind, fileName);
    }
  }
  if (FindReferenceMaterial(text)) return FindReferenceMaterialTable(text);
  const auto formula = ParseFormula(text);
  if (formula) return FindFormulaTable(text);
  const fs::path searched[] = {folders_.elements, folders_.materials};
  if (std::string hint = DidYouMean(searched, text); !hint.empty()) {
    return Status::Failed("no table " + Shortened(text) + hint);
  }
  return Status::Failed("unknown table " + Quoted(text) + ": no " + fileName + " in " +
                        folders_.elements.string() + " or " + folders_.materials.string() +
                        ", no reference material of that id, and as a formula, " + formula.error());
}

Result<NamedTable> TableStore::FindReferenceMaterialTable(std::string_view text) const {
  const ReferenceMaterial* material = FindReferenceMaterial(text);
  if (!material) return Status::Failed("no reference material " + Quoted(text));
  auto composition = CompositionOf(*material);
  if (!composition) return composition.status();
  auto named = Combine(*composition);
  if (named) {
    named->name = std::string(material->id);
    named->reading = Reading::ReferenceMaterial;
  }
  return named;
}

Result<NamedTable> TableStore::FindFormulaTable(std::string_view text) const {
  auto composition = CompositionOfFormula(text);
  if (!composition) return composition.status();
  auto named = Combine(*composition);
  if (named) named->reading = Reading::Formula;
  return named;
}

Result<NamedTable> TableStore::Combine(const Composition& composition) const {
  const ElementTables tableOf = [this](int Z) -> Result<ScatteringTable> {
    auto element = OpenElement(TableFileName(ElementOf(Z)->symbol));
    if (!element) return element.status();
    return element->table;
  };
  auto table = CombineComposition(composition, tableOf);
  if (!table) return table.status();
  NamedTable named;
  named.name = composition.name;
  TakeComposition(composition, named);
  named.table = *table;
  return named;
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

Status TableStore::SaveMaterial(std::string_view name, const ScatteringTable& table,
                                const std::optional<Composition>& composition) const {
  if (Status status = CheckPlainFileName(name); !status.ok()) return status;
  const fs::path file = folders_.materials / TableFileName(name);
  if (Status status = WriteTableFile(file, table); !status.ok()) return status;
  return KeepComposition(file, table, composition);
}

}  // namespace xscatter
