#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "xscatter/Status.h"

namespace xscatter {

// Names of the two folders inside a data folder, and of every table file.
inline constexpr std::string_view kElementFolder = "XFS-data";
inline constexpr std::string_view kMaterialFolder = "XFSM-data";
inline constexpr std::string_view kTableExtension = ".xfs";

// Where the tables are: the element tables that come with the program, only ever read, and the
// materials the user makes. Both paths are absolute; either folder may be missing, the material
// folder until the first material is written.
struct DataFolders {
  std::filesystem::path elements;
  std::filesystem::path materials;

  bool operator==(const DataFolders&) const = default;
};

// The two folders inside one data folder: <folder>/XFS-data and <folder>/XFSM-data.
DataFolders FoldersIn(const std::filesystem::path& dataFolder);

// The places the tables may be in, in the order they are tried.
struct DataSearch {
  std::filesystem::path given;    // named by the user (--data, data=): then the only place
  std::filesystem::path current;  // the current folder
  std::filesystem::path user;     // the user's own folder (UserDataFolder), or empty
  std::vector<std::filesystem::path> installedTables;  // the first that exists is taken
};

// Finds the folders and creates nothing. A given folder is the only place looked at and must
// hold XFS-data. Otherwise the first of: the current folder when it holds XFS-data; the user's
// folder when it does; the installed tables beside the user's material folder (the current
// folder's when there is no user folder). Fails when no place holds element tables, with a
// reason that names where they were looked for.
Result<DataFolders> FindDataFolders(const DataSearch& search);

// The user's own folder, $XDG_DATA_HOME/xscatter or else ~/.local/share/xscatter; empty when
// neither variable names an absolute folder.
std::filesystem::path UserDataFolder(const char* xdgDataHome, const char* home);

// The installed element tables as the install places them beside a program in programFolder,
// so that an install into any prefix, or below a DESTDIR, works where it lies.
std::filesystem::path InstalledTablesBeside(const std::filesystem::path& programFolder);

// The search of a program or module run by a user: the folder given, the current folder, the
// user's folder from the environment, then the installed tables at `installedTables` (where the
// caller finds them from its own location; may be empty) and under the install prefix this
// library was built for.
DataSearch UserSearch(const std::filesystem::path& given,
                      const std::filesystem::path& installedTables);

// Makes the material folder, and the folders above it, when it is missing. Nothing else makes a
// data folder: a front end calls it before it writes a material, or when it opens the folder
// for the user to write into.
Status MakeMaterialFolder(const DataFolders& folders);

}  // namespace xscatter
