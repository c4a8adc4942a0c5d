#include "Arguments.h"

#include "Names.h"
#include "Numbers.h"
#include "xscatter/Combination.h"

namespace xscatter::cli {
namespace {

constexpr std::size_t kMostCompoundElements = 5;
constexpr std::size_t kMostMixtureElements = kElementSlots;

std::optional<Command> CommandNamed(std::string_view word) {
  if (word == "show") return Command::Show;
  if (word == "at") return Command::At;
  if (word == "compound") return Command::Compound;
  if (word == "mixture") return Command::Mixture;
  return std::nullopt;
}

std::optional<Format> FormatNamed(std::string_view word) {
  if (word == "text") return Format::Text;
  if (word == "csv") return Format::Csv;
  if (word == "tsv") return Format::Tsv;
  if (word == "json") return Format::Json;
  return std::nullopt;
}

Status ReadMaterial(std::span<const std::string_view> operands, Invocation& invocation) {
  const bool compound = invocation.command == Command::Compound;
  if (operands.size() < 2) {
    return Status::Failed(compound ? "compound needs NAME SYMBOL:ATOMS..."
                                   : "mixture needs NAME SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT...");
  }
  invocation.name = operands[0];
  if (Status status = CheckMaterialName(invocation.name); !status.ok()) return status;
  const auto terms = operands.subspan(1);
  const std::size_t most = compound ? kMostCompoundElements : kMostMixtureElements;
  if (terms.size() > most) {
    return Status::Failed("too many elements: " + std::to_string(terms.size()) + ", at most " +
                          std::to_string(most));
  }
  invocation.terms.resize(terms.size());
  for (std::size_t k = 0; k < terms.size(); ++k) {
    if (Status status = ReadTerm(terms[k], compound, invocation.terms[k]); !status.ok()) {
      return status;
    }
  }
  return Status::Ok();
}

// Options that only one command knows, noted before the command is.
struct PendingOptions {
  std::optional<std::string_view> grid;
  bool logarithmic = false;
};

Status ReadMomenta(std::span<const std::string_view> operands, const PendingOptions& pending,
                   Invocation& invocation) {
  if (operands.empty()) return Status::Failed("at needs a TABLE");
  invocation.table = operands[0];
  const auto xs = operands.subspan(1);
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

Status ReadOperands(std::span<const std::string_view> operands, const PendingOptions& pending,
                    Invocation& invocation) {
  if (pending.grid && invocation.command != Command::At) {
    return Status::Failed("--grid and --log-grid belong to the at command");
  }
  if (invocation.save && invocation.command != Command::Compound &&
      invocation.command != Command::Mixture) {
    return Status::Failed("--save belongs to the compound and mixture commands");
  }
  switch (*invocation.command) {
    case Command::Show:
      if (operands.size() != 1) return Status::Failed("show takes one TABLE");
      invocation.table = operands[0];
      return Status::Ok();
    case Command::At:
      return ReadMomenta(operands, pending, invocation);
    default:
      return ReadMaterial(operands, invocation);
  }
}

struct OptionRule {
  std::string_view name;
  bool takesValue;
};
constexpr OptionRule kOptions[] = {{"--help", false}, {"-h", false},       {"--version", false},
                                   {"--save", false}, {"--data", true},    {"--format", true},
                                   {"--grid", true},  {"--log-grid", true}};

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
