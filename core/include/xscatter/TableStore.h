#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "xscatter/Composition.h"
#include "xscatter/DataFolders.h"
#include "xscatter/ScatteringTable.h"

namespace xscatter {

// What a TABLE text is read as. Any tries, in this order: a path, an element symbol, a saved
// material, a reference material's id or name, a chemical formula.
enum class Reading { Any, Path, Element, Material, ReferenceMaterial, Formula };

// A table found by its name, with what its F and S are per.
struct NamedTable {
  std::string name;                 // as shown: the file name without its extension ("Fe"), the
                                    // reference material's id or the formula as typed
  Reading reading = Reading::Any;   // what it was found as
  std::string per;                  // what F and S are per, in words: "per atom of Fe (...)"
  std::optional<double> molarMass;  // in g/mol, of that amount; none where it is not known
  std::optional<Composition> composition;  // what that amount is made of, where known
  std::filesystem::path file;              // the file it was read from; empty for a combined table
  ScatteringTable table;
};

// Whether a TABLE text names a file by its path: it holds a / or ends in ".xfs". Such a table
// is read without any data folder.
bool IsTablePath(std::string_view text);

// A name stays a single file name inside its folder: not empty, no folder separator, no NUL.
Status CheckPlainFileName(std::string_view name);

// What to offer for a table name that was not found: "; did you mean Fe?" (up to three names,
// "Fe, Fm or Fr") for the tables in the folders fewest edits away from it, letter case aside,
// and at most a third of its length (at least one edit) away; empty when none is that near.
std::string DidYouMean(std::span<const std::filesystem::path> folders, std::string_view name);

// Finds and reads tables in one pair of data folders, and writes materials into its material
// folder. It holds nothing but the folders, so stores on different folders live side by side.
class TableStore {
 public:
  explicit TableStore(DataFolders folders) : folders_(std::move(folders)) {}

  const DataFolders& folders() const { return folders_; }

  // The table a TABLE text stands for. As a path when it holds a / or ends in ".xfs"; as an
  // element symbol, XFS-data/<text>.xfs; as a saved material, XFSM-data/<text>.xfs; as a
  // reference material or a formula, combined from the element tables. With Any the first of
  // these that exists is taken; fails when none does or a file cannot be read.
  Result<NamedTable> Find(std::string_view text, Reading reading = Reading::Any) const;

  // A file of the element or the material folder by its file name, extension included, as the
  // windows' lists show it.
  Result<NamedTable> OpenElement(std::string_view fileName) const;
  Result<NamedTable> OpenMaterial(std::string_view fileName) const;

  // The table of a composition per its unit, combined at full precision from the element
  // tables; the name is the composition's.
  Result<NamedTable> Combine(const Composition& composition) const;

  // Writes a material's table to XFSM-data/<name>.xfs in the written form. The material folder
  // must exist (MakeMaterialFolder); on failure an existing file keeps its contents. The
  // composition, where known, is kept beside it in <name>.xfs.composition, so that the material
  // is read back with its unit, molar mass and composition; without one, what was kept for an
  // earlier table of that name goes. Only the table that was saved with it is read back with
  // it: a table file replaced otherwise is of unknown composition.
  Status SaveMaterial(std::string_view name, const ScatteringTable& table,
                      const std::optional<Composition>& composition = std::nullopt) const;

 private:
  Result<NamedTable> Open(Reading reading, std::string_view fileName) const;
  Result<NamedTable> FindReferenceMaterialTable(std::string_view text) const;
  Result<NamedTable> FindFormulaTable(std::string_view text) const;

  DataFolders folders_;
};

}  // namespace xscatter
