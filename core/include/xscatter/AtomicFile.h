#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "xscatter/Status.h"

namespace xscatter {

// Asked before piece k (counted from 0) is written; false makes the write fail there. A seam
// for testing a write that breaks off part way.
using PieceGate = std::function<bool(std::size_t piece)>;

// Where a test can step into an atomic write: before each piece, and in place of the system
// calls that decide what a crash leaves, to see their order, make one fail or kill the writer
// there. A stand-in left empty is the system call itself.
struct AtomicWriteSeam {
  PieceGate beforePiece;
  std::function<int(int folder, const char* name, int flags, mode_t mode)> openat;
  std::function<int(int fd)> fsync;  // of the new file, and of its folder after naming it
  std::function<int(int fromFolder, const char* from, int toFolder, const char* to, int flags)>
      linkat;
  std::function<int(int fromFolder, const char* from, int toFolder, const char* to)> renameat;
};

// Writes the pieces one after another as the whole new contents of path. The file is replaced
// atomically: either the complete new contents are in place, or an existing file is untouched.
// A write that fails leaves nothing behind; a writer killed while replacing a file (or, where
// the file system has no unnamed files, at any point) can leave a temporary file named
// ".xscatter-" and six random letters or digits, which is kept: only the writer that made a
// file ever removes it. Any name the file system takes works; contents and name are on disk
// when it returns. A new file gets 0666 less the umask, a replaced one keeps its mode, and a
// symbolic link in the target's place is replaced by the file itself. Every file XScatter
// writes goes through here.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::string> pieces,
                           const AtomicWriteSeam& seam = {});
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

}  // namespace xscatter
