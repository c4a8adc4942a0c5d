#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace xscatter {

// The outcome of an action that can fail: empty when it succeeded, otherwise a reason a user
// can read. The library never prints: every front end words the reason for its own users.
struct Status {
  std::string error;

  bool ok() const { return error.empty(); }
  static Status Ok() { return {}; }
  static Status Failed(std::string reason) { return {std::move(reason)}; }
};

// A failure that concerns a file: the reason starts with its path as given, whole, so that
// the user can tell which of two files of one name is meant.
Status FailedFile(const std::filesystem::path& path, const std::string& reason);

// A text as messages quote it: in double quotes, Shortened (xscatter/Text.h), so that what a
// user typed or a file held can neither flood a message nor send control characters.
std::string Quoted(std::string_view text);

// A value, or the reason there is none.
template <typename T>
class Result {
 public:
  Result(T value) : value_(std::move(value)) {}             // NOLINT: a value converts implicitly
  Result(Status failure) : failure_(std::move(failure)) {}  // NOLINT: so does a failure

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  const T& value() const& { return *value_; }
  T& value() & { return *value_; }
  T&& value() && { return std::move(*value_); }
  const T& operator*() const& { return *value_; }
  T& operator*() & { return *value_; }
  const T* operator->() const { return &*value_; }
  T* operator->() { return &*value_; }
  const Status& status() const { return failure_; }
  const std::string& error() const { return failure_.error; }

 private:
  std::optional<T> value_;
  Status failure_;
};

}  // namespace xscatter
