#pragma once

#include <algorithm>
#include <filesystem>
#include <string>

#include "xscatter/Combination.h"
#include "xscatter/DataFolders.h"
#include "xscatter/Material.h"
#include "xscatter/ScatteringTable.h"
#include "xscatter/TableStore.h"

// What the compound and mixture editors have entered, shared by both for the whole run, and the
// element rows their last "OK" read.
struct EditorValues {
  double ElementCount = 0;
  xscatter::ElementNames ElementFiles{};
  xscatter::ElementNumbers ElementWeights{};  // atoms in a compound, weight per cent in a mixture
  xscatter::ElementNumbers AtomicWeights{};   // mixture only
  xscatter::ElementRows Rows;

  // The elements counted k = 1, 2, ... while k <= ElementCount. A count beyond the ten slots
  // keeps an eleventh, empty element, which the read refuses after reading the ten before it.
  xscatter::Recipe recipe(xscatter::MaterialKind kind) const {
    xscatter::Recipe made{kind, {}};
    const int counted = xscatter::ElementsCounted(ElementCount);
    for (int slot = 1; slot <= std::min(counted, xscatter::kElementSlots); ++slot) {
      made.components.push_back({ElementFiles[slot], ElementWeights[slot], AtomicWeights[slot]});
    }
    if (counted > xscatter::kElementSlots) made.components.emplace_back();
    return made;
  }
};

// The program-wide values of one run: owned by main and handed to every window by reference.
struct Module1 {
  xscatter::ScatteringTable Table;  // the current table, shared by loads and editors
  std::string SelectedFileName;     // file chosen last in either list of the main window
  int TableLoaded = 0;              // 1 once a load has come to its end
  EditorValues Editor;              // the editors' entries, shared by both editors
  xscatter::DataFolders Folders;    // where the element tables and the materials are

  xscatter::TableStore store() const { return xscatter::TableStore(Folders); }
};

// The folders the windows of a program in programFolder work in: as found, or else those of
// the current folder, whose missing tables the main window then reports.
inline xscatter::DataFolders WindowDataFolders(const std::filesystem::path& programFolder) {
  const xscatter::DataSearch search =
      xscatter::UserSearch({}, xscatter::InstalledTablesBeside(programFolder));
  const auto found = xscatter::FindDataFolders(search);
  return found ? *found : xscatter::FoldersIn(search.current);
}
