#include "RegularFile.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace xscatter {
namespace {

// Known by the file system they lie on.
bool OnPseudoFileSystem(int file) {
  struct statfs system {};
  if (::fstatfs(file, &system) != 0) return false;
  switch (system.f_type) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
      return true;
    default:
      return false;
  }
}

}  // namespace

Status OpenRegularFile(const std::filesystem::path& path, FileDescriptor& file, off_t& size) {
  file = FileDescriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.valid())
    return FailedFile(path, std::string("cannot be opened: ") + std::strerror(errno));
  struct stat status {};
  if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return FailedFile(path, "is not a regular file");
  }
  if (OnPseudoFileSystem(file.get())) return FailedFile(path, kMadeAsRead);
  size = status.st_size;
  const int flags = ::fcntl(file.get(), F_GETFL);
  if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    return FailedFile(path, std::string("cannot be read: ") + std::strerror(errno));
  }
  return Status::Ok();
}

Result<std::string> ReadSmallFile(const std::filesystem::path& path, std::size_t limit) {
  FileDescriptor file;
  off_t size = 0;
  if (Status status = OpenRegularFile(path, file, size); !status.ok()) return status;
  // One byte beyond the limit tells a file that is too long from one that just fits.
  std::string contents(limit + 1, '\0');
  std::size_t total = 0;
  while (total < contents.size()) {
    const ssize_t got = ::read(file.get(), contents.data() + total, contents.size() - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return FailedFile(path, std::string("cannot be read: ") + std::strerror(errno));
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  if (total > limit) return FailedFile(path, "is longer than expected");
  contents.resize(total);
  return contents;
}

}  // namespace xscatter
