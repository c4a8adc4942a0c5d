#include "xscatter/Status.h"

#include "xscatter/Text.h"

namespace xscatter {

Status FailedFile(const std::filesystem::path& path, const std::string& reason) {
  return Status::Failed(path.string() + ": " + reason);
}

std::string Quoted(std::string_view text) {
  return '"' + Shortened(text) + '"';
}

}  // namespace xscatter
