#include "xscatter/Status.h"

namespace xscatter {

Status FailedFile(const std::filesystem::path& path, const std::string& reason) {
  return Status::Failed(path.string() + ": " + reason);
}

}  // namespace xscatter
