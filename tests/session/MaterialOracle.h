#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "MaterialFile.h"
#include "ScatteringTable.h"

// What an editor's "OK" must write, worked out afresh from the element files and the editors'
// values, so that a fault in reading, combining or writing shows as a difference.
namespace oracle {

// The 45 lines of a material file, each with its CR LF.
using MaterialLines = std::vector<std::string>;

// The x column of the current table before "OK": a creation that counts no element keeps it.
using MomentumColumn = std::array<double, xscatter::kTableSlots>;

enum class Recipe { Compound, Mixture };

// The lines the creation must write; no value when it must fail with the input-error message.
std::optional<MaterialLines> ExpectedMaterial(Recipe recipe,
                                              const std::filesystem::path& elementFolder,
                                              const std::string& name,
                                              const xscatter::MaterialInputs& inputs,
                                              const MomentumColumn& xBefore);

// Whether a table file can be loaded: it exists and has at least 45 lines.
bool Loadable(const std::filesystem::path& file);

}  // namespace oracle
