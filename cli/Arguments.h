#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Grid.h"
#include "xscatter/ScatteringTable.h"

namespace xscatter::cli {

enum class Command { Show, At, Compound, Mixture };
enum class Format { Text, Csv, Tsv, Json };

// Where the momentum transfers of "at" come from.
enum class Source { Listed, StandardInput, Grid };

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
  std::optional<Grid> grid;
  // compound and mixture
  std::string name;
  std::vector<ElementTerm> terms;
  bool save = false;
};

// Reads the command line without the program's name. On failure the reason is one line that
// names the problem.
Status ParseArguments(std::span<const std::string_view> arguments, Invocation& invocation);

}  // namespace xscatter::cli
