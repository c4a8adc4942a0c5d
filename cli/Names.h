#pragma once

#include <string_view>

#include "xscatter/DataFolders.h"

namespace xscatter::cli {

// A new material's NAME, before anything is read: a plain file name, given without ".xfs",
// holding no ":" (a NAME like "H:2" is an element written where the name belongs), and printable
// UTF-8, since it becomes a file name and the heading of the output.
Status CheckMaterialName(std::string_view name);

// A material must not take an element's name: TABLE finds XFS-data/NAME.xfs first, so the
// material could never be shown.
Status CheckNotElementName(const DataFolders& folders, std::string_view name);

// An element of a compound or mixture, named before any file is read so that a typing error
// reads as one: "no element fe; did you mean Fe?".
Status CheckElement(const DataFolders& folders, std::string_view symbol);

}  // namespace xscatter::cli
