#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "xscatter/ScatteringTable.h"

namespace xscatter {

// Asked before piece k (counted from 0) is written; false makes the write fail there. A seam
// for testing a write that breaks off part way.
using PieceGate = std::function<bool(std::size_t piece)>;

// Writes the pieces one after another as the whole new contents of path. The file is replaced
// atomically: either the complete new contents are in place, or an existing file is untouched
// and nothing is left behind. Any name the file system takes works; contents and name are on
// disk when it returns. A new file gets 0666 less the umask, a replaced one keeps its mode, and
// a symbolic link in the target's place is replaced by the file itself. Every file XScatter
// writes goes through here.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::string> pieces,
                           const PieceGate& beforePiece = {});
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

}  // namespace xscatter
