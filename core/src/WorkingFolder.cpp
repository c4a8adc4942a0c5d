#include "xscatter/WorkingFolder.h"

#include <cstdlib>
#include <system_error>

#include "xscatter/MaterialFile.h"

namespace fs = std::filesystem;

namespace xscatter {

namespace {

bool NamesAbsoluteFolder(const char* text) {
  return text != nullptr && fs::path(text).is_absolute();
}

// Points the link at the target. An older link is replaced; a real file or folder of that
// name is the user's and is left alone.
void LinkFolder(const fs::path& link, const fs::path& target) {
  std::error_code error;
  if (fs::is_symlink(fs::symlink_status(link, error))) {
    if (fs::read_symlink(link, error) == target) return;
    fs::remove(link, error);
  }
  fs::create_directory_symlink(target, link, error);
}

}  // namespace

fs::path InstalledElementFolder(const fs::path& programFolder) {
  return (programFolder / XSCATTER_TABLES_FROM_PROGRAM).lexically_normal();
}

fs::path UserDataFolder(const char* xdgDataHome, const char* home) {
  if (NamesAbsoluteFolder(xdgDataHome)) return fs::path(xdgDataHome) / "xscatter";
  if (NamesAbsoluteFolder(home)) return fs::path(home) / ".local/share/xscatter";
  return {};
}

fs::path ChooseWorkingFolder(const fs::path& current, const fs::path& installedTables,
                             const fs::path& userFolder) {
  std::error_code error;
  if (fs::exists(current / kElementFolder, error) || userFolder.empty() ||
      !fs::is_directory(installedTables, error)) {
    return current;
  }
  fs::create_directories(userFolder / kMaterialFolder, error);
  LinkFolder(userFolder / kElementFolder, installedTables);
  const bool ready = fs::is_directory(userFolder / kMaterialFolder, error) &&
                     fs::is_directory(userFolder / kElementFolder, error);
  return ready ? userFolder : current;
}

fs::path ProgramWorkingFolder(const fs::path& programFolder) {
  std::error_code error;
  return ChooseWorkingFolder(fs::current_path(error), InstalledElementFolder(programFolder),
                             UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
}

fs::path EnterWorkingFolder(const fs::path& programFolder) {
  const fs::path chosen = ProgramWorkingFolder(programFolder);
  std::error_code error;
  fs::current_path(chosen, error);
  return chosen;
}

}  // namespace xscatter
