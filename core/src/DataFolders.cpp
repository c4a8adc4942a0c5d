#include "xscatter/DataFolders.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace xscatter {
namespace {

bool NamesAbsoluteFolder(const char* text) {
  return text != nullptr && fs::path(text).is_absolute();
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

bool HoldsElementTables(const fs::path& folder) {
  return IsFolder(folder / kElementFolder);
}

fs::path Absolute(const fs::path& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  return error ? path : absolute.lexically_normal();
}

// "a, b or c", leaving out the empty ones.
std::string Listed(const std::vector<fs::path>& paths) {
  std::vector<std::string> names;
  for (const fs::path& path : paths) {
    if (!path.empty()) names.push_back(Absolute(path).string());
  }
  std::string listed;
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (k > 0) listed += k + 1 == names.size() ? " or " : ", ";
    listed += names[k];
  }
  return listed;
}

Result<DataFolders> GivenFolders(const fs::path& given) {
  const std::string where = "the tables were not found in " + Absolute(given).string();
  if (!IsFolder(given)) return Status::Failed(where + ": there is no such folder");
  if (!HoldsElementTables(given)) {
    return Status::Failed(where + ": it has no folder " + std::string(kElementFolder));
  }
  return FoldersIn(given);
}

}  // namespace

DataFolders FoldersIn(const fs::path& dataFolder) {
  const fs::path folder = Absolute(dataFolder);
  return {folder / kElementFolder, folder / kMaterialFolder};
}

Result<DataFolders> FindDataFolders(const DataSearch& search) {
  if (!search.given.empty()) return GivenFolders(search.given);
  for (const fs::path& folder : {search.current, search.user}) {
    if (HoldsElementTables(folder)) return FoldersIn(folder);
  }
  const fs::path& materialsBeside = search.user.empty() ? search.current : search.user;
  for (const fs::path& tables : search.installedTables) {
    if (IsFolder(tables))
      return DataFolders{Absolute(tables), FoldersIn(materialsBeside).materials};
  }
  return Status::Failed("the tables were not found: no folder " + std::string(kElementFolder) +
                        " in " + Listed({search.current, search.user}) +
                        ", and no installed tables in " + Listed(search.installedTables));
}

fs::path UserDataFolder(const char* xdgDataHome, const char* home) {
  if (NamesAbsoluteFolder(xdgDataHome)) return fs::path(xdgDataHome) / "xscatter";
  if (NamesAbsoluteFolder(home)) return fs::path(home) / ".local/share/xscatter";
  return {};
}

fs::path InstalledTablesBeside(const fs::path& programFolder) {
  return (programFolder / XSCATTER_TABLES_FROM_PROGRAM).lexically_normal();
}

DataSearch UserSearch(const fs::path& given, const fs::path& installedTables) {
  std::error_code error;
  DataSearch search{given,
                    fs::current_path(error),
                    UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
                    {}};
  if (!installedTables.empty()) search.installedTables.push_back(installedTables);
  search.installedTables.emplace_back(XSCATTER_INSTALLED_TABLES);
  return search;
}

Status MakeMaterialFolder(const DataFolders& folders) {
  std::error_code error;
  fs::create_directories(folders.materials, error);
  if (IsFolder(folders.materials)) return Status::Ok();
  return Status::Failed("cannot make the folder " + folders.materials.string() + ": " +
                        (error ? error.message() : "a file of that name is in the way"));
}

}  // namespace xscatter
