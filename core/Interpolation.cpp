#include "Interpolation.h"

#include <charconv>
#include <cmath>

#include "VectorState.h"

namespace xscatter {
namespace {

constexpr double kGraphScale = 1000;

bool HasLogarithm(double v) {
  return v > 0 && std::isfinite(v);
}

bool RowHasLogarithms(const ScatteringTable& table, int row) {
  return HasLogarithm(table.x[row]) && HasLogarithm(table.F[row]) && HasLogarithm(table.S[row]);
}

// The first row i >= 2 with x(i) >= x, the upper row of the interpolation.
std::optional<int> FindBracket(const ScatteringTable& table, double x) {
  for (int row = 2; row <= kTableRows; ++row) {
    if (!(table.x[row] < x)) return row;
  }
  return std::nullopt;
}

// The straight line through (ln x(i-1), ln g(i-1)) and (ln x(i), ln g(i)) at ln x, written as
// g(i) * (g(i-1) / g(i))^r with r = ln(x(i)/x) / ln(x(i)/x(i-1)), which needs far fewer
// logarithms than taking the logarithm of every value.
double AlongLine(double lower, double upper, double r) {
  return upper * std::exp(r * std::log(lower / upper));
}

std::string Scientific(double v, int decimals) {
  char buffer[32];
  const double shown = v == 0 ? 0.0 : v;  // no "-0.00E+00"
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, shown, std::chars_format::scientific, decimals);
  std::string text(buffer, ec == std::errc() ? end : buffer);
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

}  // namespace

bool IsTypedMomentumInRange(double x) {
  return x >= kLowestTypedMomentum && x <= kHighestTypedMomentum;
}

std::optional<FunctionValues> InterpolateAt(const ScatteringTable& table, double x) {
  ClearUpperVectorState();
  const auto upper = FindBracket(table, x);
  if (!upper) return std::nullopt;
  const int i = *upper;
  if (!HasLogarithm(x)) return std::nullopt;
  // Taken as it stands, so that row i - 1 cannot spoil a tabulated point.
  if (x == table.x[i]) return FunctionValues{table.F[i], table.S[i]};
  if (!RowHasLogarithms(table, i - 1) || !RowHasLogarithms(table, i)) return std::nullopt;
  if (table.x[i] == table.x[i - 1]) return std::nullopt;
  const double r = std::log(table.x[i] / x) / std::log(table.x[i] / table.x[i - 1]);
  const FunctionValues values{AlongLine(table.F[i - 1], table.F[i], r),
                              AlongLine(table.S[i - 1], table.S[i], r)};
  if (!std::isfinite(values.F) || !std::isfinite(values.S)) return std::nullopt;
  return values;
}

std::optional<int> FindRowAbove(const ScatteringTable& table, double x) {
  for (int row = 1; row <= kTableRows; ++row) {
    if (!(x >= table.x[row])) return row;
  }
  return std::nullopt;
}

std::optional<double> GraphCoordinate(double v) {
  ClearUpperVectorState();
  const double scaled = kGraphScale * v;
  if (!HasLogarithm(scaled)) return std::nullopt;
  return std::log(scaled);
}

double MomentumFromGraph(double u) {
  ClearUpperVectorState();
  return std::exp(u) / kGraphScale;
}

std::string FormatMomentum(double x) {
  return Scientific(x, 2);
}

std::string FormatFunctionValue(double v) {
  return Scientific(v, 4);
}

}  // namespace xscatter
