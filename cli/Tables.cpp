#include "Tables.h"

#include "Names.h"
#include "xscatter/MaterialFile.h"

namespace xscatter::cli {
namespace {

bool IsPath(std::string_view argument) {
  return argument.find('/') != std::string_view::npos || argument.ends_with(kTableExtension);
}

// What an editor holds after its rows were entered: element file "H.xfs" and its number of
// atoms, or its atomic weight and weight per cent, in slots 1 to N.
MaterialInputs EditorInputs(const std::vector<ElementTerm>& terms) {
  MaterialInputs inputs;
  inputs.ElementCount = static_cast<double>(terms.size());
  for (std::size_t k = 0; k < terms.size(); ++k) {
    inputs.ElementFiles[k + 1] = terms[k].symbol + std::string(kTableExtension);
    inputs.ElementWeights[k + 1] = terms[k].amount;
    inputs.AtomicWeights[k + 1] = terms[k].atomicWeight;
  }
  return inputs;
}

// Named before any file is read, so that a typing error reads as one.
Status CheckElementsExist(const Invocation& invocation) {
  for (const ElementTerm& term : invocation.terms) {
    const std::filesystem::path file =
        invocation.dataFolder / kElementFolder / (term.symbol + std::string(kTableExtension));
    if (!std::filesystem::is_regular_file(file)) {
      return NoSuchElement(invocation.dataFolder, term.symbol);
    }
  }
  return Status::Ok();
}

Status Combine(Command command, MaterialInputs& inputs, ScatteringTable& table) {
  if (command == Command::Compound) {
    return CombineCompound(inputs.ElementCount, inputs.Rows, inputs.ElementWeights, table);
  }
  return CombineMixture(inputs.ElementCount, inputs.Rows, inputs.AtomicWeights,
                        inputs.ElementWeights, inputs.Ratio, table);
}

Status CreateFile(const Invocation& invocation, MaterialInputs& inputs, TableState state) {
  const auto create =
      invocation.command == Command::Compound ? CreateCompoundFile : CreateMixtureFile;
  return create(invocation.dataFolder, invocation.name, inputs, state);
}

}  // namespace

Status FindTable(const std::filesystem::path& dataFolder, std::string_view argument,
                 std::filesystem::path& file) {
  if (IsPath(argument)) {
    file = argument;
    return Status::Ok();
  }
  const std::string fileName = std::string(argument) + std::string(kTableExtension);
  for (std::string_view folder : {kElementFolder, kMaterialFolder}) {
    file = dataFolder / folder / fileName;
    if (std::filesystem::is_regular_file(file)) return Status::Ok();
  }
  return NoSuchTable(dataFolder, argument);
}

Status LoadTable(const std::filesystem::path& dataFolder, std::string_view argument,
                 NamedTable& loaded) {
  std::filesystem::path file;
  if (Status status = FindTable(dataFolder, argument, file); !status.ok()) return status;
  TableLines lines;
  if (Status status = ReadTableFile(file, loaded.table, lines); !status.ok()) return status;
  loaded.name = DisplayName(file.filename().string());
  return Status::Ok();
}

Status MakeMaterial(const Invocation& invocation, NamedTable& made) {
  MaterialInputs inputs = EditorInputs(invocation.terms);
  TableLines lines;
  const TableState state{made.table, lines};
  made.name = invocation.name;
  if (Status status = CheckElementsExist(invocation); !status.ok()) return status;
  if (invocation.save) return CreateFile(invocation, inputs, state);
  if (Status status = ReadElementTables(invocation.dataFolder, inputs, state); !status.ok()) {
    return status;
  }
  return Combine(*invocation.command, inputs, made.table);
}

}  // namespace xscatter::cli
