#include "xscatter/AtomicFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "xscatter/FileDescriptor.h"

namespace xscatter {
namespace {

// Temporary names are this prefix and six random letters or digits: short, so that a target of
// any length the file system accepts can have one beside it. They are never cleaned up by name:
// a user's own file may look the same.
constexpr std::string_view kTemporaryPrefix = ".xscatter-";
constexpr std::size_t kRandomLetters = 6;
constexpr int kNameAttempts = 100;
// Given to open, which takes the umask off as for any new file.
constexpr mode_t kNewFileMode = 0666;

// The seam with every stand-in the test left empty filled by the system call itself.
AtomicWriteSeam WithSystemCalls(AtomicWriteSeam seam) {
  if (!seam.openat)
    seam.openat = [](int f, const char* n, int o, mode_t m) { return ::openat(f, n, o, m); };
  if (!seam.fsync) seam.fsync = ::fsync;
  if (!seam.linkat) seam.linkat = ::linkat;
  if (!seam.renameat) seam.renameat = ::renameat;
  return seam;
}

std::string RandomTemporaryName() {
  constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char random[kRandomLetters] = {};
  // A short read only makes a clash likelier, which the callers retry.
  [[maybe_unused]] const ssize_t got = ::getrandom(random, sizeof random, 0);
  std::string name(kTemporaryPrefix);
  for (unsigned char byte : random) name += kLetters[byte % kLetters.size()];
  return name;
}

// Gives `use` fresh temporary names until one is not taken yet; false with errno set when
// `use` fails for another reason or every attempt clashed.
template <typename Use>
bool UseFreshName(std::string& name, Use use) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = RandomTemporaryName();
    if (use(name)) return true;
    if (errno != EEXIST) break;
  }
  name.clear();
  return false;
}

// The permissions of the file a name stands for now (through a symbolic link, those of the
// file it points to); none when there is no such file.
std::optional<mode_t> ModeOf(int folder, const std::string& name) {
  struct stat status {};
  if (::fstatat(folder, name.c_str(), &status, 0) != 0) return std::nullopt;
  return status.st_mode & 07777;
}

// The new contents on their way into the folder. Where the file system offers unnamed files
// (O_TMPFILE) they go into one, which vanishes by itself if XScatter dies before linking it;
// elsewhere into a file of a short temporary name, removed unless it becomes the target.
class PendingFile {
 public:
  PendingFile(int folder, const AtomicWriteSeam& calls) : folder_(folder), calls_(calls) {
    // An unnamed file is linked in through /proc, so without /proc it could never be saved.
    if (::access("/proc/self/fd", X_OK) == 0) {
      fd_ = FileDescriptor(
          calls_.openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, kNewFileMode));
    }
    if (!fd_.valid()) {
      UseFreshName(name_, [this](const std::string& name) {
        fd_ = FileDescriptor(calls_.openat(folder_, name.c_str(),
                                           O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode));
        return fd_.valid();
      });
    }
  }
  ~PendingFile() {
    if (!name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  bool created() const { return fd_.valid(); }

  bool Write(std::string_view text) {
    while (!text.empty()) {
      const ssize_t written = ::write(fd_.get(), text.data(), text.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }

  // The contents reach the disk before they get the target's name, so the target is never a
  // partial file. A replaced file's permissions carry over to its successor.
  bool Commit(const std::string& target, std::optional<mode_t> replacedMode) {
    if (replacedMode && ::fchmod(fd_.get(), *replacedMode) != 0) return false;
    if (calls_.fsync(fd_.get()) != 0) return false;
    if (name_.empty() && !LinkUnnamed(target, replacedMode.has_value())) return false;
    if (!fd_.close()) return false;
    if (name_.empty()) return true;
    if (calls_.renameat(folder_, name_.c_str(), folder_, target.c_str()) != 0) return false;
    name_.clear();
    return true;
  }

 private:
  // A new target gets the unnamed file directly. linkat cannot replace a name, so an existing
  // target (or one that appeared meanwhile) is replaced by a rename from a temporary name.
  bool LinkUnnamed(const std::string& target, bool replacing) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
    const auto linkAs = [&](const std::string& name) {
      return calls_.linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    };
    if (!replacing) {
      if (linkAs(target)) return true;
      if (errno != EEXIST) return false;
    }
    return UseFreshName(name_, linkAs);
  }

  int folder_;
  const AtomicWriteSeam& calls_;
  FileDescriptor fd_;
  std::string name_;  // empty while the file has no name of its own, or none that is ours
};

}  // namespace

Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::string> pieces,
                           const AtomicWriteSeam& seam) {
  const AtomicWriteSeam calls = WithSystemCalls(seam);
  const std::filesystem::path folderPath =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  const FileDescriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder.valid()) return FailedFile(path, std::strerror(errno));
  const std::string name = path.filename().string();
  const std::optional<mode_t> replacedMode = ModeOf(folder.get(), name);
  PendingFile file(folder.get(), calls);
  if (!file.created()) return FailedFile(path, std::strerror(errno));
  for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
    if (calls.beforePiece && !calls.beforePiece(piece)) {
      return FailedFile(path, "writing stopped");
    }
    if (!file.Write(pieces[piece])) return FailedFile(path, std::strerror(errno));
  }
  if (!file.Commit(name, replacedMode)) return FailedFile(path, std::strerror(errno));
  // The new name must survive a power loss as well as the contents. Some file systems cannot
  // sync a folder at all (EINVAL); there the rename is as durable as they make anything.
  if (calls.fsync(folder.get()) != 0 && errno != EINVAL) {
    return FailedFile(path,
                      std::string("saved, but not yet safe on disk: ") + std::strerror(errno));
  }
  return Status::Ok();
}

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  const std::string whole(contents);
  return WriteFileAtomically(path, std::span<const std::string>(&whole, 1));
}

}  // namespace xscatter
