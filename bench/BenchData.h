#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "xscatter/DataFolders.h"
#include "xscatter/ScatteringTable.h"

namespace bench {

// The shipped element file of one symbol, e.g. "Fe" for data/XFS-data/Fe.xfs.
std::filesystem::path ShippedElement(std::string_view symbol);

// The folder that holds XFS-data and XFSM-data as shipped.
std::filesystem::path ShippedDataFolder();

// A shipped element table with its raw lines.
struct ElementFile {
  xscatter::ScatteringTable table;
  xscatter::TableLines lines;
};

// Reads a shipped element file; the run stops with a message if it cannot be read.
ElementFile LoadElement(std::string_view symbol);

// Momentum transfers spread log-uniformly over the typed range 0.005 to 1000, the same
// sequence in every run so that the cases stay comparable.
const std::vector<double>& RandomMomenta();

// Walks an array over and over without the modulo showing up in the timing.
class Cycle {
 public:
  explicit Cycle(const std::vector<double>& values) : values_(values) {}
  double next() {
    const double value = values_[index_];
    index_ = (index_ + 1) & (values_.size() - 1);
    return value;
  }

 private:
  const std::vector<double>& values_;
  std::size_t index_ = 0;
};

// Stops the run when a precondition of a case fails, so a broken case never reports a time.
[[noreturn]] void Abort(std::string_view what);

}  // namespace bench
