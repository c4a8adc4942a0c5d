#include "Grid.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "Numbers.h"

namespace xscatter::cli {
namespace {

// Whole numbers up to 2^53 are doubles exactly, and so are powers of ten up to 10^22: a
// quotient of the two is then the double nearest the decimal it stands for.
constexpr std::int64_t kLargestExactUnits = std::int64_t{1} << 53;
constexpr int kLargestExactScale = 22;

// A number text (already checked by StrictNumber) as digits x 10^exponent, when its
// significant digits fit in 18 decimals.
struct Decimal {
  std::int64_t digits = 0;
  int exponent = 0;
};

std::optional<Decimal> ReadDecimal(std::string_view text) {
  Decimal d;
  const bool negative = text.starts_with('-');
  if (negative) text.remove_prefix(1);
  bool afterPoint = false;
  int significant = 0;
  std::size_t i = 0;
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    if (text[i] == '.') {
      afterPoint = true;
      continue;
    }
    if (afterPoint) --d.exponent;
    if (d.digits == 0 && text[i] == '0') continue;
    if (++significant > 18) return std::nullopt;
    d.digits = d.digits * 10 + (text[i] - '0');
  }
  if (i < text.size()) {
    const std::string_view power = text.substr(text[i + 1] == '+' ? i + 2 : i + 1);
    int exponent = 0;
    const auto [end, ec] = std::from_chars(power.data(), power.data() + power.size(), exponent);
    if (ec != std::errc() || std::abs(exponent) > 400) return std::nullopt;
    d.exponent += exponent;
  }
  for (; d.digits != 0 && d.digits % 10 == 0; d.digits /= 10) ++d.exponent;
  if (negative) d.digits = -d.digits;
  return d;
}

// digits x 10^shift as a whole number within kLargestExactUnits.
std::optional<std::int64_t> WholeUnits(const Decimal& d, int shift) {
  std::int64_t units = d.digits;
  for (int k = 0; k < shift; ++k) {
    if (std::abs(units) > kLargestExactUnits / 10) return std::nullopt;
    units *= 10;
  }
  if (std::abs(units) > kLargestExactUnits) return std::nullopt;
  return units;
}

Status TooMany(std::string_view text) {
  return Status::Failed("grid " + Quoted(text) + " has more than " +
                        std::to_string(kMostGridPoints) + " points");
}

// The three texts of START:STOP:X, with START and STOP read as numbers.
struct Parts {
  std::vector<std::string_view> texts;
  double start = 0;
  double stop = 0;
};

Result<Parts> ReadParts(std::string_view text, std::string_view form) {
  Parts parts{SplitAtColons(text)};
  if (parts.texts.size() != 3) return Status::Failed(Quoted(text) + " is not " + std::string(form));
  for (auto [part, value] :
       {std::pair{parts.texts[0], &parts.start}, {parts.texts[1], &parts.stop}}) {
    const Result<double> number = ReadNumber(part);
    if (!number) return number.status();
    *value = *number;
  }
  return parts;
}

}  // namespace

Result<Grid> Grid::Linear(std::string_view text) {
  const Result<Parts> parts = ReadParts(text, "START:STOP:STEP");
  if (!parts) return parts.status();
  const Result<double> step = ReadNumber(parts->texts[2]);
  if (!step) return step.status();
  Grid grid;
  grid.start_ = parts->start;
  grid.stop_ = parts->stop;
  grid.step_ = *step;
  if (!(grid.step_ > 0) || grid.stop_ < grid.start_) {
    return Status::Failed("grid " + Quoted(text) + " needs STEP > 0 and STOP >= START");
  }
  std::optional<Decimal> decimals[3];
  for (int k = 0; k < 3; ++k) decimals[k] = ReadDecimal(parts->texts[k]);
  if (decimals[0] && decimals[1] && decimals[2]) {
    const int scale =
        -std::min({decimals[0]->exponent, decimals[1]->exponent, decimals[2]->exponent, 0});
    std::optional<std::int64_t> units[3];
    for (int k = 0; k < 3; ++k) units[k] = WholeUnits(*decimals[k], decimals[k]->exponent + scale);
    if (scale <= kLargestExactScale && units[0] && units[1] && units[2]) {
      const std::int64_t steps = (*units[1] - *units[0]) / *units[2];
      if (steps >= static_cast<std::int64_t>(kMostGridPoints)) return TooMany(text);
      grid.count_ = static_cast<std::size_t>(steps) + 1;
      grid.endsAtStop_ = *units[0] + steps * *units[2] == *units[1];
      grid.startUnits_ = *units[0];
      grid.stepUnits_ = *units[2];
      grid.unit_ = 1;
      for (int k = 0; k < scale; ++k) grid.unit_ *= 10;
      return grid;
    }
  }
  // Numbers with too many digits for whole units are stepped in doubles; the tolerance keeps
  // STOP when rounding puts it a hair beyond the last step.
  const double steps = (grid.stop_ - grid.start_) / grid.step_;
  const double whole = std::floor(steps + 1e-9);
  if (whole >= static_cast<double>(kMostGridPoints)) return TooMany(text);
  grid.count_ = static_cast<std::size_t>(whole) + 1;
  grid.endsAtStop_ = whole >= steps;
  return grid;
}

Result<Grid> Grid::Logarithmic(std::string_view text) {
  const Result<Parts> parts = ReadParts(text, "START:STOP:COUNT");
  if (!parts) return parts.status();
  Grid grid;
  grid.start_ = parts->start;
  grid.stop_ = parts->stop;
  const std::string_view count = parts->texts[2];
  const auto [end, ec] = std::from_chars(count.data(), count.data() + count.size(), grid.count_);
  if (ec == std::errc::result_out_of_range) return TooMany(text);
  if (ec != std::errc() || end != count.data() + count.size()) {
    return Status::Failed(Quoted(count) + " is not a whole count");
  }
  if (grid.count_ > kMostGridPoints) return TooMany(text);
  if (!(grid.start_ > 0) || !(grid.stop_ > grid.start_) || grid.count_ < 2) {
    return Status::Failed("log grid " + Quoted(text) + " needs 0 < START < STOP and COUNT >= 2");
  }
  grid.logarithmic_ = true;
  grid.endsAtStop_ = true;
  grid.logStart_ = std::log10(grid.start_);
  grid.logSpan_ = std::log10(grid.stop_) - grid.logStart_;
  return grid;
}

double Grid::operator[](std::size_t k) const {
  if (k == 0) return start_;
  if (k + 1 == count_ && endsAtStop_) return stop_;
  const double steps = static_cast<double>(k);
  // The span is multiplied before it is divided, so that a grid over whole decades lands on
  // exact powers of ten (0.01:10:4 gives 0.1 and 1).
  if (logarithmic_) {
    return std::pow(10.0, logStart_ + logSpan_ * steps / static_cast<double>(count_ - 1));
  }
  if (unit_ > 0) {
    return static_cast<double>(startUnits_ + static_cast<std::int64_t>(k) * stepUnits_) / unit_;
  }
  return start_ + steps * step_;
}

}  // namespace xscatter::cli
