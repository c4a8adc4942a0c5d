#include "Numbers.h"

#include <array>
#include <charconv>
#include <cmath>

namespace xscatter::cli {
namespace {

// A sanity bound: a grid this long is a typing error rather than a measurement.
constexpr double kMostGridPoints = 1e9;

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
    if (!value) return Status::Failed(Quoted(parts[i]) + " is not a number");
    *into[i] = *value;
  }
  return Status::Ok();
}

}  // namespace

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

std::optional<double> StrictNumber(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace xscatter::cli
