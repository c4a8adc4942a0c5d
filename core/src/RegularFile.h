#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>

#include "xscatter/FileDescriptor.h"
#include "xscatter/Status.h"

namespace xscatter {

// Files of /proc, /sys and their kin claim to be regular, yet their data are made as they are
// read, and a read may take them away: reading /proc/kmsg drains the kernel's log.
inline constexpr const char* kMadeAsRead = "is not a stored file: its data are made as it is read";

// Opened without waiting, since opening a FIFO for reading waits for a writer; then only a
// regular file (also through a symbolic link) is read, with blocking reads again. A FIFO, a
// socket or a device would never end or never begin. `size` is the size the file claims.
Status OpenRegularFile(const std::filesystem::path& path, FileDescriptor& file, off_t& size);

// The whole of a small regular file; fails on anything else and on a file longer than `limit`.
Result<std::string> ReadSmallFile(const std::filesystem::path& path, std::size_t limit);

}  // namespace xscatter
