#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "Arguments.h"
#include "xscatter/ScatteringTable.h"

namespace xscatter::cli {

// A table read from its file, with the name its output carries.
struct NamedTable {
  std::string name;
  ScatteringTable table;
};

// The file a TABLE argument stands for: taken as a path when it names a folder or ends in
// ".xfs"; otherwise the element file XFS-data/TABLE.xfs, or else the material file
// XFSM-data/TABLE.xfs, in the data folder. Fails when there is no such file.
Status FindTable(const std::filesystem::path& dataFolder, std::string_view argument,
                 std::filesystem::path& file);

Status LoadTable(const std::filesystem::path& dataFolder, std::string_view argument,
                 NamedTable& loaded);

// The compound or mixture of the invocation's terms, combined from the element files exactly
// as the editors' "OK" does; with --save also written to XFSM-data/NAME.xfs by the editors'
// own creation.
Status MakeMaterial(const Invocation& invocation, NamedTable& made);

}  // namespace xscatter::cli
