#pragma once

#include <unistd.h>

#include <utility>

namespace xscatter {

// Owns one open POSIX file descriptor and closes it exactly once.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() { close(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }

  bool valid() const { return fd_ >= 0; }
  int get() const { return fd_; }

  // Closes now; false when close reports an error, which for a written file can be the first
  // word of a failed write.
  bool close() {
    const int fd = std::exchange(fd_, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace xscatter
