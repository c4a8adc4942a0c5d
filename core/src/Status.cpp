#include "xscatter/Status.h"

namespace xscatter {

Status FailedFile(const std::filesystem::path& path, const std::string& reason) {
  return Status::Failed(path.filename().string() + ": " + reason);
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  (quoted += text) += '"';
  return quoted;
}

}  // namespace xscatter
