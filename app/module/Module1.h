#pragma once

#include <filesystem>
#include <string>

#include "xscatter/MaterialFile.h"
#include "xscatter/ScatteringTable.h"

// The program-wide values of one run: owned by main and handed to every window by reference.
struct Module1 {
  xscatter::ScatteringTable Table;  // the current table, shared by loads and editors
  xscatter::TableLines Lines;       // raw lines of the data file read last
  std::string SelectedFileName;     // file chosen last in either list of the main window
  int TableLoaded = 0;              // 1 once a load has come to its end
  xscatter::MaterialInputs Editor;  // the editors' entries, shared by both editors
  std::filesystem::path WorkingFolder = std::filesystem::current_path();  // holds both folders

  xscatter::TableState tableState() { return {Table, Lines}; }
};
