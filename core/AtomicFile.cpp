#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace xscatter {
namespace {

Status FailedFile(const std::filesystem::path& path, const std::string& reason) {
  return Status::Failed(path.filename().string() + ": " + reason);
}

// A uniquely named file beside the target that becomes the target only when committed;
// otherwise it is closed and removed when it goes out of scope.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::filesystem::path& target) {
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    // Appended piece by piece: "." + string trips a false -Wrestrict of GCC 12 at -O3.
    std::string hidden = ".";
    hidden += target.filename().string();
    hidden += ".XXXXXX";
    name_ = (folder / hidden).string();
    fd_ = mkstemp(name_.data());
    pending_ = fd_ >= 0;
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (pending_) ::unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool created() const { return pending_; }

  bool Write(std::string_view text) {
    while (!text.empty()) {
      const ssize_t written = ::write(fd_, text.data(), text.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }

  // A replaced file keeps its permissions; a new one is readable by everyone like any
  // ordinary file, not only by its owner as mkstemp leaves it.
  bool TakeModeOf(const std::filesystem::path& target) {
    struct stat existing {};
    const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644;
    return ::fchmod(fd_, mode) == 0;
  }

  // The contents reach the disk before the rename, so the target is never a partial file.
  bool Commit(const std::filesystem::path& target) {
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed || ::rename(name_.c_str(), target.c_str()) != 0) return false;
    pending_ = false;
    return true;
  }

 private:
  std::string name_;
  int fd_ = -1;
  bool pending_ = false;
};

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::string> pieces,
                           const PieceGate& beforePiece) {
  TemporaryFile file(path);
  if (!file.created()) return FailedFile(path, std::strerror(errno));
  for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
    if (beforePiece && !beforePiece(piece)) return FailedFile(path, "writing stopped");
    if (!file.Write(pieces[piece])) return FailedFile(path, std::strerror(errno));
  }
  if (!file.TakeModeOf(path) || !file.Commit(path)) return FailedFile(path, std::strerror(errno));
  return Status::Ok();
}

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  const std::string whole(contents);
  return WriteFileAtomically(path, std::span<const std::string>(&whole, 1));
}

}  // namespace xscatter
