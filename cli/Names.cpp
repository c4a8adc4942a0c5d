#include "Names.h"

#include <string>
#include <system_error>

#include "xscatter/TableStore.h"
#include "xscatter/Text.h"

namespace xscatter::cli {
namespace {

std::filesystem::path ElementFile(const DataFolders& folders, std::string_view symbol) {
  return folders.elements / (std::string(symbol) + std::string(kTableExtension));
}

}  // namespace

Status CheckMaterialName(std::string_view name) {
  if (Status status = CheckPlainFileName(name); !status.ok()) return status;
  if (name.find(':') != std::string_view::npos) {
    return Status::Failed(Quoted(name) +
                          " is not a material name: the NAME comes before the elements");
  }
  if (name.ends_with(kTableExtension)) {
    return Status::Failed("give the name " + Quoted(name) + " without " +
                          std::string(kTableExtension) + ": " +
                          Quoted(name.substr(0, name.size() - kTableExtension.size())));
  }
  if (Printable(name) != name) {
    return Status::Failed("the name " + Quoted(name) +
                          " holds a control character or bytes that are not UTF-8");
  }
  return Status::Ok();
}

Status CheckNotElementName(const DataFolders& folders, std::string_view name) {
  std::error_code error;
  if (!std::filesystem::exists(ElementFile(folders, name), error)) return Status::Ok();
  return Status::Failed("a material cannot be called " + Quoted(name) +
                        ": that is an element, which show and at would find instead");
}

Status CheckElement(const DataFolders& folders, std::string_view symbol) {
  std::error_code error;
  if (std::filesystem::is_regular_file(ElementFile(folders, symbol), error)) return Status::Ok();
  const std::filesystem::path searched[] = {folders.elements};
  if (std::string hint = DidYouMean(searched, symbol); !hint.empty()) {
    return Status::Failed("no element " + Shortened(symbol) + hint);
  }
  return Status::Failed("no element " + Quoted(symbol) + " in " + folders.elements.string());
}

}  // namespace xscatter::cli
