#include "Arguments.h"

#include <array>
#include <charconv>
#include <cmath>

#include "MaterialFile.h"

namespace xscatter::cli {
namespace {

constexpr std::size_t kMostCompoundElements = 5;
constexpr std::size_t kMostMixtureElements = kElementSlots;
// A sanity bound: a grid this long is a typing error rather than a measurement.
constexpr double kMostGridPoints = 1e9;

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  (quoted += text) += '"';
  return quoted;
}

Status NotANumber(std::string_view text) {
  return Status::Failed(Quoted(text) + " is not a number");
}

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

std::vector<std::string_view> SplitAtColons(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t colon; (colon = text.find(':')) != std::string_view::npos;) {
    parts.push_back(text.substr(0, colon));
    text.remove_prefix(colon + 1);
  }
  parts.push_back(text);
  return parts;
}

// Reads each part as a number into the given places, in order.
Status ReadNumbers(std::span<const std::string_view> parts, std::span<double* const> into) {
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const auto value = StrictNumber(parts[i]);
    if (!value) return NotANumber(parts[i]);
    *into[i] = *value;
  }
  return Status::Ok();
}

Status ReadLinearGrid(std::string_view text, Grid& grid) {
  const auto parts = SplitAtColons(text);
  if (parts.size() != 3) return Status::Failed(Quoted(text) + " is not START:STOP:STEP");
  if (Status status = ReadNumbers(parts, std::array{&grid.start, &grid.stop, &grid.step});
      !status.ok()) {
    return status;
  }
  if (!(grid.step > 0) || grid.stop < grid.start) {
    return Status::Failed("grid " + Quoted(text) + " needs STEP > 0 and STOP >= START");
  }
  // The tolerance keeps STOP when rounding puts it a hair beyond the last step.
  const double steps = std::floor((grid.stop - grid.start) / grid.step + 1e-9);
  if (steps + 1 > kMostGridPoints) return Status::Failed("grid " + Quoted(text) + " is too long");
  grid.count = static_cast<std::size_t>(steps) + 1;
  return Status::Ok();
}

Status ReadLogGrid(std::string_view text, Grid& grid) {
  const auto parts = SplitAtColons(text);
  if (parts.size() != 3) return Status::Failed(Quoted(text) + " is not START:STOP:COUNT");
  if (Status status = ReadNumbers(std::span(parts).first(2), std::array{&grid.start, &grid.stop});
      !status.ok()) {
    return status;
  }
  const std::string_view count = parts[2];
  const auto [end, ec] = std::from_chars(count.data(), count.data() + count.size(), grid.count);
  if (ec != std::errc() || end != count.data() + count.size()) {
    return Status::Failed(Quoted(count) + " is not a whole count");
  }
  if (!(grid.start > 0) || !(grid.stop > grid.start) || grid.count < 2 ||
      grid.count > kMostGridPoints) {
    return Status::Failed("log grid " + Quoted(text) + " needs 0 < START < STOP and COUNT >= 2");
  }
  return Status::Ok();
}

Status ReadTerm(std::string_view text, bool compound, ElementTerm& term) {
  const auto parts = SplitAtColons(text);
  if (parts.size() != (compound ? 2u : 3u) || parts[0].empty()) {
    return Status::Failed(Quoted(text) + " is not " +
                          (compound ? "SYMBOL:ATOMS" : "SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT"));
  }
  term.symbol = parts[0];
  const Status status =
      compound
          ? ReadNumbers(std::span(parts).subspan(1), std::array{&term.amount})
          : ReadNumbers(std::span(parts).subspan(1), std::array{&term.atomicWeight, &term.amount});
  if (!status.ok()) return status;
  if (!(term.amount > 0) || (!compound && !(term.atomicWeight > 0))) {
    return Status::Failed("the numbers of " + Quoted(text) + " must be greater than 0");
  }
  return Status::Ok();
}

Status ReadMaterial(std::span<const std::string_view> operands, Invocation& invocation) {
  const bool compound = invocation.command == Command::Compound;
  if (operands.size() < 2) {
    return Status::Failed(compound ? "compound needs NAME SYMBOL:ATOMS..."
                                   : "mixture needs NAME SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT...");
  }
  invocation.name = operands[0];
  if (Status status = CheckPlainFileName(invocation.name); !status.ok()) return status;
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
  Source gridSource = Source::Listed;
};

Status ReadMomenta(std::span<const std::string_view> operands, const PendingOptions& pending,
                   Invocation& invocation) {
  if (operands.empty()) return Status::Failed("at needs a TABLE");
  invocation.table = operands[0];
  const auto xs = operands.subspan(1);
  if (pending.grid) {
    if (!xs.empty()) return Status::Failed("give either X values or a grid, not both");
    invocation.source = pending.gridSource;
    return pending.gridSource == Source::LinearGrid ? ReadLinearGrid(*pending.grid, invocation.grid)
                                                    : ReadLogGrid(*pending.grid, invocation.grid);
  }
  if (xs.size() == 1 && xs[0] == "-") {
    invocation.source = Source::StandardInput;
    return Status::Ok();
  }
  if (xs.empty()) return Status::Failed("at needs X values, - or a grid");
  for (std::string_view x : xs) {
    const auto value = StrictNumber(x);
    if (!value) return x == "-" ? Status::Failed("- must be the only X") : NotANumber(x);
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
    pending.gridSource = name == "--grid" ? Source::LinearGrid : Source::LogGrid;
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

std::optional<double> StrictNumber(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
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
