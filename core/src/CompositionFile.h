#pragma once

#include <filesystem>
#include <optional>

#include "xscatter/Composition.h"
#include "xscatter/ScatteringTable.h"
#include "xscatter/Status.h"

namespace xscatter {

// A table file cannot say what its table is made of, so a material's composition is kept in a
// small text file beside it, NAME.xfs.composition, with a fingerprint of the table's written
// rows. A table replaced by any other means than a save no longer matches its fingerprint and
// is then of unknown composition rather than of a wrong one.
std::filesystem::path CompositionFileOf(const std::filesystem::path& tableFile);

// Once the table has been written to tableFile: keeps the composition beside it, or, without
// one, removes what was kept there for an earlier table.
Status KeepComposition(const std::filesystem::path& tableFile, const ScatteringTable& table,
                       const std::optional<Composition>& composition);

// What was kept beside tableFile for exactly the rows read from it; none when nothing was kept,
// when it was kept for other rows, or when it cannot be read.
std::optional<Composition> KeptComposition(const std::filesystem::path& tableFile,
                                           const TableLines& lines);

}  // namespace xscatter
