#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xscatter/ScatteringTable.h"

namespace xscatter::cli {

enum class Command { Show, At, Compound, Mixture };
enum class Format { Text, Csv, Tsv, Json };

// Where the momentum transfers of "at" come from when they are not listed one by one.
enum class Source { Listed, StandardInput, LinearGrid, LogGrid };

// A grid of momentum transfers: START:STOP:STEP for a linear one (x_k = START + k STEP up to
// STOP), START:STOP:COUNT for a logarithmic one (COUNT points, both ends included).
struct Grid {
  double start = 0;
  double stop = 0;
  double step = 0;  // linear only
  std::size_t count = 0;
};

// One element of a compound (SYMBOL:ATOMS) or a mixture (SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT).
struct ElementTerm {
  std::string symbol;
  double atomicWeight = 0;  // mixture only
  double amount = 0;        // atoms in a compound, weight per cent in a mixture
};

// Everything the command line asks for, checked but not yet acted on.
struct Invocation {
  bool help = false;
  bool version = false;
  std::optional<Command> command;
  std::filesystem::path dataFolder;  // empty: the folders the window would find
  Format format = Format::Text;
  // show and at
  std::string table;
  Source source = Source::Listed;
  std::vector<double> momenta;
  Grid grid;
  // compound and mixture
  std::string name;
  std::vector<ElementTerm> terms;
  bool save = false;
};

// Reads the command line without the program's name. On failure the reason is one line that
// names the problem.
Status ParseArguments(std::span<const std::string_view> arguments, Invocation& invocation);

}  // namespace xscatter::cli
