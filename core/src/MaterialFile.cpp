#include "xscatter/MaterialFile.h"

namespace xscatter {
namespace {

Status ReadElementTable(const std::filesystem::path& workingFolder, int slot,
                        MaterialInputs& inputs, TableState state) {
  const std::string& name = inputs.ElementFiles[slot];
  if (Status status = CheckPlainFileName(name); !status.ok()) {
    return Status::Failed("element " + std::to_string(slot) + ": " + status.error);
  }
  ScatteringTable element;
  if (Status status = ReadTableFile(workingFolder / kElementFolder / name, element, state.lines);
      !status.ok()) {
    return status;
  }
  for (int row = 1; row <= kTableRows; ++row) {
    state.table.x[row] = element.x[row];
    inputs.Rows.F[slot][row] = element.F[row];
    inputs.Rows.S[slot][row] = element.S[row];
  }
  return Status::Ok();
}

// Reads, combines with the given rule and writes; nothing is written unless every step before
// succeeded.
template <typename Combine>
Status CreateMaterialFile(const std::filesystem::path& workingFolder, std::string_view name,
                          MaterialInputs& inputs, TableState state, Combine combine) {
  if (Status status = CheckPlainFileName(name); !status.ok()) return status;
  if (Status status = ReadElementTables(workingFolder, inputs, state); !status.ok()) {
    return status;
  }
  if (Status status = combine(); !status.ok()) return status;
  return WriteTableFile(workingFolder / MaterialPath(name), state.table);
}

}  // namespace

Status CheckPlainFileName(std::string_view name) {
  if (name.empty()) return Status::Failed("empty file name");
  if (name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) {
    return Status::Failed("file name \"" + std::string(name) + "\" is not a plain name");
  }
  return Status::Ok();
}

std::filesystem::path MaterialPath(std::string_view name) {
  return std::filesystem::path(kMaterialFolder) /
         (std::string(name) + std::string(kTableExtension));
}

Status ReadElementTables(const std::filesystem::path& workingFolder, MaterialInputs& inputs,
                         TableState state) {
  const int counted = ElementsCounted(inputs.ElementCount);
  for (int slot = 1; slot <= counted; ++slot) {
    if (slot > kElementSlots) return Status::Failed("more than ten elements");
    if (Status status = ReadElementTable(workingFolder, slot, inputs, state); !status.ok()) {
      return status;
    }
  }
  return Status::Ok();
}

Status CreateCompoundFile(const std::filesystem::path& workingFolder, std::string_view name,
                          MaterialInputs& inputs, TableState state) {
  return CreateMaterialFile(workingFolder, name, inputs, state, [&] {
    return CombineCompound(inputs.ElementCount, inputs.Rows, inputs.ElementWeights, state.table);
  });
}

Status CreateMixtureFile(const std::filesystem::path& workingFolder, std::string_view name,
                         MaterialInputs& inputs, TableState state) {
  return CreateMaterialFile(workingFolder, name, inputs, state, [&] {
    return CombineMixture(inputs.ElementCount, inputs.Rows, inputs.AtomicWeights,
                          inputs.ElementWeights, inputs.Ratio, state.table);
  });
}

}  // namespace xscatter
