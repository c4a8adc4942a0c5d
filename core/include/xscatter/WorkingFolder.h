#pragma once

#include <filesystem>

namespace xscatter {

// Where an installed program finds the element tables that came with it, given the folder
// that holds its executable.
std::filesystem::path InstalledElementFolder(const std::filesystem::path& programFolder);

// The user's own folder, $XDG_DATA_HOME/xscatter or else ~/.local/share/xscatter; empty when
// neither variable names an absolute folder.
std::filesystem::path UserDataFolder(const char* xdgDataHome, const char* home);

// A folder that holds element tables stays the working folder, so a run from the build tree's
// data/ sees no change. Otherwise, when tables are installed, the user's folder is made ready
// (a material folder and a link to the installed tables) and chosen. Whatever cannot be made
// leaves the current folder, whose missing tables the main window then reports.
std::filesystem::path ChooseWorkingFolder(const std::filesystem::path& current,
                                          const std::filesystem::path& installedTables,
                                          const std::filesystem::path& userFolder);

// The working folder of a program started from programFolder, chosen as above from the
// current folder and the environment; the window and the command-line program share it.
std::filesystem::path ProgramWorkingFolder(const std::filesystem::path& programFolder);

// Chooses the working folder of a program started from programFolder and enters it, so that
// relative paths mean the same folder as the windows' paths.
std::filesystem::path EnterWorkingFolder(const std::filesystem::path& programFolder);

}  // namespace xscatter
