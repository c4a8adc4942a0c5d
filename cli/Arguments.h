#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Grid.h"
#include "xscatter/ScatteringTable.h"
#include "xscatter/TableStore.h"

namespace xscatter::cli {

enum class Command { Show, At, CrossSections, Compound, Mixture, Formula, Materials };
enum class Format { Text, Csv, Tsv, Json };

// Where the momentum transfers of "at" come from.
enum class Source { Listed, StandardInput, Grid };

// One element of a compound (SYMBOL:ATOMS) or a mixture (SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT),
// or a part of a mixture by mass (FORMULA:PERCENT), whose symbol is then the formula.
struct ElementTerm {
  std::string symbol;
  double atomicWeight = 0;  // the editors' mixture only
  double amount = 0;        // atoms in a compound, weight per cent in a mixture
};

// How a compound or a mixture is given.
enum class MaterialForm {
  Atoms,         // SYMBOL:ATOMS...
  Formula,       // one FORMULA, in the name's place of the terms
  TypedWeights,  // SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT..., the editors' rule
  ByMass,        // FORMULA:PERCENT...
};

// Listed values or a grid of them, as the options give angles and energies.
struct Points {
  std::vector<double> listed;
  std::optional<Grid> grid;

  std::size_t size() const { return grid ? grid->size() : listed.size(); }
  double operator[](std::size_t k) const { return grid ? (*grid)[k] : listed[k]; }
};

// Everything the command line asks for, checked but not yet acted on.
struct Invocation {
  bool help = false;
  bool version = false;
  std::optional<Command> command;
  std::filesystem::path dataFolder;  // empty: the folders the window would find
  Format format = Format::Text;
  // show, at and cross-sections; --material and --formula force the reading
  std::string table;
  Reading reading = Reading::Any;
  Source source = Source::Listed;
  std::vector<double> momenta;
  std::optional<Grid> grid;
  // at --energy or --wavelength, always as an energy in keV, and cross-sections
  std::optional<double> energy;
  Points angles;
  Points energies;
  // compound and mixture; formula
  std::string name;
  MaterialForm form = MaterialForm::Atoms;
  std::vector<ElementTerm> terms;
  std::string formula;
  bool save = false;
};

// The word that names the command on the command line.
std::string_view CommandName(Command command);

// Reads the command line without the program's name. On failure the reason is one line that
// names the problem.
Status ParseArguments(std::span<const std::string_view> arguments, Invocation& invocation);

}  // namespace xscatter::cli
