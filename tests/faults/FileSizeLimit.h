#pragma once

#include <sys/resource.h>

#include <csignal>

// Files may grow to `bytes` at most while it lives, so that a write past them fails part way
// (with EFBIG rather than the SIGXFSZ that would end the test). Unlike a read-only folder this
// also holds for root, who runs the tests in CI.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : ignoring_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, ignoring_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  void (*ignoring_)(int);
  rlimit saved_{};
};
