#include "Arguments.h"

#include "Names.h"
#include "Numbers.h"
#include "xscatter/Combination.h"
#include "xscatter/Kinematics.h"
#include "xscatter/TableText.h"

namespace xscatter::cli {
namespace {

// The editors' mixture rule fills the element slots of a material file's recipe.
constexpr std::size_t kMostTypedMixtureElements = kElementSlots;

constexpr std::pair<std::string_view, Command> kCommands[] = {
    {"show", Command::Show},
    {"at", Command::At},
    {"cross-sections", Command::CrossSections},
    {"compound", Command::Compound},
    {"mixture", Command::Mixture},
    {"formula", Command::Formula},
    {"materials", Command::Materials}};

std::optional<Command> CommandNamed(std::string_view word) {
  for (const auto& [name, command] : kCommands) {
    if (name == word) return command;
  }
  return std::nullopt;
}

std::optional<Format> FormatNamed(std::string_view word) {
  if (word == "text") return Format::Text;
  if (word == "csv") return Format::Csv;
  if (word == "tsv") return Format::Tsv;
  if (word == "json") return Format::Json;
  return std::nullopt;
}

// Options that only some commands know, noted before the command is.
struct PendingOptions {
  std::optional<std::string_view> grid;
  bool logarithmic = false;
  std::vector<std::string_view> energies;
  std::optional<std::string_view> wavelength;
  std::vector<std::string_view> angles;
  std::optional<std::string_view> angleGrid;
  std::optional<std::string_view> energyGrid;
  bool logarithmicEnergies = false;
  std::optional<std::string_view> forcedTable;
  Reading forcedReading = Reading::Any;
};

Status ReadMaterial(std::span<const std::string_view> operands, Invocation& invocation) {
  const bool compound = invocation.command == Command::Compound;
  if (operands.size() < 2) {
    return Status::Failed(compound ? "compound needs NAME FORMULA or NAME SYMBOL:ATOMS..."
                                   : "mixture needs NAME FORMULA:PERCENT... or NAME "
                                     "SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT...");
  }
  invocation.name = operands[0];
  if (Status status = CheckMaterialName(invocation.name); !status.ok()) return status;
  const auto terms = operands.subspan(1);
  if (compound) {
    const bool formula = terms.size() == 1 && terms[0].find(':') == std::string_view::npos;
    invocation.form = formula ? MaterialForm::Formula : MaterialForm::Atoms;
    if (formula) {
      invocation.formula = terms[0];
      return Status::Ok();
    }
  } else {
    invocation.form =
        SplitAtColons(terms[0]).size() == 3 ? MaterialForm::TypedWeights : MaterialForm::ByMass;
  }
  if (invocation.form == MaterialForm::TypedWeights && terms.size() > kMostTypedMixtureElements) {
    return Status::Failed("too many elements: " + std::to_string(terms.size()) + ", at most " +
                          std::to_string(kMostTypedMixtureElements));
  }
  invocation.terms.resize(terms.size());
  for (std::size_t k = 0; k < terms.size(); ++k) {
    if (Status status = ReadTerm(terms[k], invocation.form, invocation.terms[k]); !status.ok()) {
      return status;
    }
  }
  return Status::Ok();
}

// Listed values (an option's, then the operands) or one grid, each point checked.
Status ReadPoints(std::span<const std::string_view> optionValues,
                  std::span<const std::string_view> operands,
                  std::optional<std::string_view> gridText, bool logarithmic, std::string_view what,
                  Status (*check)(double), Points& points) {
  if (gridText) {
    if (!optionValues.empty() || !operands.empty()) {
      return Status::Failed("give either " + std::string(what) + " values or a grid, not both");
    }
    Result<Grid> grid = logarithmic ? Grid::Logarithmic(*gridText) : Grid::Linear(*gridText);
    if (!grid) return grid.status();
    // Grids rise from START, so their ends bound every point.
    for (double end : {(*grid)[0], (*grid)[grid->size() - 1]}) {
      if (Status status = check(end); !status.ok()) return status;
    }
    points.grid = std::move(*grid);
    return Status::Ok();
  }
  for (auto texts : {optionValues, operands}) {
    for (std::string_view text : texts) {
      const Result<double> value = ReadNumber(text);
      if (!value) return value.status();
      if (Status status = check(*value); !status.ok()) return status;
      points.listed.push_back(*value);
    }
  }
  if (points.listed.empty()) return Status::Failed("no " + std::string(what) + " given");
  return Status::Ok();
}

Status CheckAngle(double angle) {
  if (angle >= 0 && angle <= 180) return Status::Ok();
  return Status::Failed("the angle " + ShortestNumber(angle) + " lies outside 0 to 180 degrees");
}

Status CheckEnergy(double energy) {
  if (energy > 0) return Status::Ok();
  return Status::Failed("the energy " + ShortestNumber(energy) + " keV must be greater than 0");
}

Status ReadAngles(std::span<const std::string_view> operands, const PendingOptions& pending,
                  Invocation& invocation) {
  if (pending.grid)
    return Status::Failed("with --energy or --wavelength give angles, not a grid of x");
  if (pending.energies.size() + (pending.wavelength ? 1 : 0) != 1) {
    return Status::Failed("at takes one --energy or one --wavelength");
  }
  const bool wavelength = pending.energies.empty();
  const Result<double> value = ReadNumber(wavelength ? *pending.wavelength : pending.energies[0]);
  if (!value) return value.status();
  if (wavelength && !(*value > 0)) {
    return Status::Failed("the wavelength " + ShortestNumber(*value) + " Å must be greater than 0");
  }
  if (Status status = CheckEnergy(wavelength ? EnergyOfWavelength(*value) : *value); !status.ok()) {
    return status;
  }
  invocation.energy = wavelength ? EnergyOfWavelength(*value) : *value;
  if (pending.angles.empty() && !pending.angleGrid && operands.empty()) {
    return Status::Failed("at --energy needs --angle DEG... or --angle-grid START:STOP:STEP");
  }
  return ReadPoints(pending.angles, operands, pending.angleGrid, false, "angle", CheckAngle,
                    invocation.angles);
}

Status ReadMomenta(std::span<const std::string_view> xs, const PendingOptions& pending,
                   Invocation& invocation) {
  if (!pending.energies.empty() || pending.wavelength) return ReadAngles(xs, pending, invocation);
  if (!pending.angles.empty() || pending.angleGrid) {
    return Status::Failed("angles need --energy KEV or --wavelength ANGSTROM");
  }
  if (pending.grid) {
    if (!xs.empty()) return Status::Failed("give either X values or a grid, not both");
    Result<Grid> grid =
        pending.logarithmic ? Grid::Logarithmic(*pending.grid) : Grid::Linear(*pending.grid);
    if (!grid) return grid.status();
    invocation.source = Source::Grid;
    invocation.grid = std::move(*grid);
    return Status::Ok();
  }
  if (xs.size() == 1 && xs[0] == "-") {
    invocation.source = Source::StandardInput;
    return Status::Ok();
  }
  if (xs.empty()) return Status::Failed("at needs X values, - or a grid");
  for (std::string_view x : xs) {
    if (x == "-") return Status::Failed("- must be the only X");
    const Result<double> value = ReadNumber(x);
    if (!value) return value.status();
    invocation.momenta.push_back(*value);
  }
  return Status::Ok();
}

// Which command each option belongs to, where not to all.
Status CheckOptionsBelong(const PendingOptions& pending, const Invocation& invocation) {
  const Command command = *invocation.command;
  const bool at = command == Command::At, crossSections = command == Command::CrossSections;
  if (pending.grid && !at) return Status::Failed("--grid and --log-grid belong to the at command");
  if ((pending.wavelength || !pending.angles.empty() || pending.angleGrid) && !at) {
    return Status::Failed("--wavelength, --angle and --angle-grid belong to the at command");
  }
  if (!pending.energies.empty() && !at && !crossSections) {
    return Status::Failed("--energy belongs to the at and cross-sections commands");
  }
  if (pending.energyGrid && !crossSections) {
    return Status::Failed(
        "--energy-grid and --log-energy-grid belong to the cross-sections command");
  }
  if (pending.forcedTable && !at && !crossSections && command != Command::Show) {
    return Status::Failed("--material and --formula name the TABLE of show, at and cross-sections");
  }
  if (invocation.save && command != Command::Compound && command != Command::Mixture) {
    return Status::Failed("--save belongs to the compound and mixture commands");
  }
  return Status::Ok();
}

// TABLE, forced or the first operand, and the operands after it.
Status ReadTable(std::span<const std::string_view>& operands, const PendingOptions& pending,
                 Invocation& invocation) {
  if (pending.forcedTable) {
    invocation.table = *pending.forcedTable;
    invocation.reading = pending.forcedReading;
    return Status::Ok();
  }
  if (operands.empty()) {
    return Status::Failed(std::string(CommandName(*invocation.command)) + " needs a TABLE");
  }
  invocation.table = operands[0];
  operands = operands.subspan(1);
  return Status::Ok();
}

Status ReadOperands(std::span<const std::string_view> operands, const PendingOptions& pending,
                    Invocation& invocation) {
  if (Status status = CheckOptionsBelong(pending, invocation); !status.ok()) return status;
  switch (*invocation.command) {
    case Command::Show:
    case Command::At:
    case Command::CrossSections:
      break;
    case Command::Formula:
      if (operands.size() != 1) return Status::Failed("formula takes one FORMULA");
      invocation.formula = operands[0];
      return Status::Ok();
    case Command::Materials:
      if (!operands.empty()) return Status::Failed("materials takes no arguments");
      return Status::Ok();
    default:
      return ReadMaterial(operands, invocation);
  }
  if (Status status = ReadTable(operands, pending, invocation); !status.ok()) return status;
  if (invocation.command == Command::At) return ReadMomenta(operands, pending, invocation);
  if (invocation.command == Command::CrossSections) {
    return ReadPoints(pending.energies, operands, pending.energyGrid, pending.logarithmicEnergies,
                      "energy", CheckEnergy, invocation.energies);
  }
  if (!operands.empty()) return Status::Failed("show takes one TABLE");
  return Status::Ok();
}

struct OptionRule {
  std::string_view name;
  bool takesValue;
};
constexpr OptionRule kOptions[] = {{"--help", false},       {"-h", false},
                                   {"--version", false},    {"--save", false},
                                   {"--data", true},        {"--format", true},
                                   {"--grid", true},        {"--log-grid", true},
                                   {"--energy", true},      {"--wavelength", true},
                                   {"--angle", true},       {"--angle-grid", true},
                                   {"--energy-grid", true}, {"--log-energy-grid", true},
                                   {"--material", true},    {"--formula", true}};

const OptionRule* OptionNamed(std::string_view name) {
  for (const OptionRule& rule : kOptions) {
    if (rule.name == name) return &rule;
  }
  return nullptr;
}

bool IsOption(std::string_view word) {
  return word.starts_with("--") || word == "-h";
}

Status ApplyOption(std::string_view name, std::string_view value, Invocation& invocation,
                   PendingOptions& pending) {
  if (name == "--help" || name == "-h") invocation.help = true;
  if (name == "--version") invocation.version = true;
  if (name == "--save") invocation.save = true;
  if (name == "--data") invocation.dataFolder = value;
  if (name == "--format") {
    const auto format = FormatNamed(value);
    if (!format)
      return Status::Failed("unknown format " + Quoted(value) + " (text, csv, tsv, json)");
    invocation.format = *format;
  }
  if (name == "--grid" || name == "--log-grid") {
    if (pending.grid) return Status::Failed("give only one grid");
    pending.grid = value;
    pending.logarithmic = name == "--log-grid";
  }
  if (name == "--energy-grid" || name == "--log-energy-grid") {
    if (pending.energyGrid) return Status::Failed("give only one energy grid");
    pending.energyGrid = value;
    pending.logarithmicEnergies = name == "--log-energy-grid";
  }
  if (name == "--energy") pending.energies.push_back(value);
  if (name == "--angle") pending.angles.push_back(value);
  if (name == "--wavelength" || name == "--angle-grid") {
    auto& option = name == "--wavelength" ? pending.wavelength : pending.angleGrid;
    if (option) return Status::Failed("give only one " + std::string(name));
    option = value;
  }
  if (name == "--material" || name == "--formula") {
    if (pending.forcedTable) return Status::Failed("give only one --material or --formula");
    pending.forcedTable = value;
    pending.forcedReading = name == "--material" ? Reading::Material : Reading::Formula;
  }
  return Status::Ok();
}

// Applies the options wherever they stand ("--data DIR" or "--data=DIR") and collects the
// other words in order.
Status SortWords(std::span<const std::string_view> arguments, Invocation& invocation,
                 PendingOptions& pending, std::vector<std::string_view>& operands) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view word = arguments[i];
    if (!IsOption(word)) {
      operands.push_back(word);
      continue;
    }
    const std::size_t equals = word.find('=');
    const std::string_view name = word.substr(0, equals);
    const OptionRule* rule = OptionNamed(name);
    if (!rule) return Status::Failed("unknown option " + Quoted(name) + " (try --help)");
    std::string_view value;
    if (equals != std::string_view::npos) {
      if (!rule->takesValue) return Status::Failed(Quoted(name) + " takes no value");
      value = word.substr(equals + 1);
    } else if (rule->takesValue) {
      if (i + 1 == arguments.size()) return Status::Failed(Quoted(name) + " needs a value");
      value = arguments[++i];
    }
    if (Status status = ApplyOption(name, value, invocation, pending); !status.ok()) return status;
  }
  return Status::Ok();
}

}  // namespace

std::string_view CommandName(Command command) {
  for (const auto& [name, named] : kCommands) {
    if (named == command) return name;
  }
  return {};
}

Status ParseArguments(std::span<const std::string_view> arguments, Invocation& invocation) {
  PendingOptions pending;
  std::vector<std::string_view> operands;
  if (Status status = SortWords(arguments, invocation, pending, operands); !status.ok()) {
    return status;
  }
  if (!operands.empty()) invocation.command = CommandNamed(operands.front());
  if (invocation.help || invocation.version) return Status::Ok();
  if (operands.empty()) return Status::Failed("no command given (try --help)");
  if (!invocation.command) {
    return Status::Failed("unknown command " + Quoted(operands.front()) + " (try --help)");
  }
  return ReadOperands(std::span(operands).subspan(1), pending, invocation);
}

}  // namespace xscatter::cli
