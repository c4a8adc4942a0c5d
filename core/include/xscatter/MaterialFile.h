#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "xscatter/Combination.h"
#include "xscatter/ScatteringTable.h"

namespace xscatter {

// Folders of the element and material files, relative to the working folder.
inline constexpr std::string_view kElementFolder = "XFS-data";
inline constexpr std::string_view kMaterialFolder = "XFSM-data";
inline constexpr std::string_view kTableExtension = ".xfs";

// What the compound and mixture editors have entered; both editors share it for the whole run.
struct MaterialInputs {
  double ElementCount = 0;
  ElementNames ElementFiles{};
  ElementNumbers ElementWeights{};  // atoms in a compound, weight per cent in a mixture
  ElementNumbers AtomicWeights{};   // mixture only
  ElementRows Rows;                 // as read by the last creation
  AtomRatio Ratio{};                // as derived by the last mixture creation
};

// The in-memory state a material creation works in: the current table and its raw lines.
struct TableState {
  ScatteringTable& table;
  TableLines& lines;
};

// A name stays a single file name inside its folder: not empty, no folder separator, no NUL.
Status CheckPlainFileName(std::string_view name);

// The material file a name stands for: XFSM-data/<name>.xfs, relative to the working folder.
std::filesystem::path MaterialPath(std::string_view name);

// Reads the element files of the counted slots from XFS-data into inputs.Rows, the table's x
// column and the lines, one after another in slot order.
Status ReadElementTables(const std::filesystem::path& workingFolder, MaterialInputs& inputs,
                         TableState state);

// Reads the counted elements, combines them as a compound or a mixture and writes
// XFSM-data/<name>.xfs. On failure no material file is created or changed.
Status CreateCompoundFile(const std::filesystem::path& workingFolder, std::string_view name,
                          MaterialInputs& inputs, TableState state);
Status CreateMixtureFile(const std::filesystem::path& workingFolder, std::string_view name,
                         MaterialInputs& inputs, TableState state);

}  // namespace xscatter
