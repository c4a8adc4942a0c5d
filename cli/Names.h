#pragma once

#include <filesystem>
#include <string_view>

#include "xscatter/Status.h"

namespace xscatter::cli {

// A new material's NAME, before anything is read: a plain file name, given without ".xfs",
// holding no ":" (a NAME like "H:2" is an element written where the name belongs), and printable
// UTF-8, since it becomes a file name and the heading of the output.
Status CheckMaterialName(std::string_view name);

// A material must not take an element's name: TABLE finds XFS-data/NAME.xfs first, so the
// material could never be shown.
Status CheckNotElementName(const std::filesystem::path& dataFolder, std::string_view name);

// Why TABLE (an element or a material) or an element of a compound is not in the data
// folder, told so that the user knows what to type instead: the folder or its XFS-data is
// missing and --data names the right one, or the nearest names there ("no table fe; did you
// mean Fe?"). Every path in the reason is whole.
Status NoSuchTable(const std::filesystem::path& dataFolder, std::string_view name);
Status NoSuchElement(const std::filesystem::path& dataFolder, std::string_view symbol);

}  // namespace xscatter::cli
