#include "xscatter/Interpolation.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "xscatter/VectorState.h"

namespace xscatter {
namespace {

constexpr double kGraphScale = 1000;

bool HasLogarithm(double v) {
  return v > 0 && std::isfinite(v);
}

bool RowHasLogarithms(const ScatteringTable& table, int row) {
  return HasLogarithm(table.x[row]) && HasLogarithm(table.F[row]) && HasLogarithm(table.S[row]);
}

// Whether rows 2 to 45 rise in x (or stay level), so that a bisection finds the same row as a
// walk from row 2 up. Every shipped table does; a hand-made file may not.
bool RisesFromRow2(const ScatteringTable& table) {
  for (int row = 3; row <= kTableRows; ++row) {
    if (!(table.x[row - 1] <= table.x[row])) return false;
  }
  return true;
}

// The first row i >= 2 with x(i) >= x, the upper row of the interpolation. A NaN x gives row 2,
// as the walk does.
std::optional<int> FindBracket(const ScatteringTable& table, bool rising, double x) {
  const auto first = table.x.begin() + 2;
  const auto last = table.x.end();
  const auto upper = rising ? std::lower_bound(first, last, x)
                            : std::find_if(first, last, [x](double row) { return !(row < x); });
  if (upper == last) return std::nullopt;
  return static_cast<int>(upper - table.x.begin());
}

// The straight line through (ln x(i-1), ln g(i-1)) and (ln x(i), ln g(i)) at ln x, written as
// g(i) * (g(i-1) / g(i))^r with r = ln(x(i)/x) / ln(x(i)/x(i-1)), so that only r depends on x;
// lnRatio is ln(g(i-1) / g(i)).
double AlongLine(double upper, double lnRatio, double r) {
  return upper * std::exp(r * lnRatio);
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

LogLogTable::LogLogTable(const ScatteringTable& table)
    : rows_(table), rising_(RisesFromRow2(table)) {
  ClearUpperVectorState();
  for (int i = 2; i <= kTableRows; ++i) {
    Step& step = steps_[i];
    step.usable = RowHasLogarithms(table, i - 1) && RowHasLogarithms(table, i) &&
                  table.x[i] != table.x[i - 1];
    if (!step.usable) continue;
    step.x = std::log(table.x[i] / table.x[i - 1]);
    step.F = std::log(table.F[i - 1] / table.F[i]);
    step.S = std::log(table.S[i - 1] / table.S[i]);
  }
}

std::optional<FunctionValues> InterpolateAt(const LogLogTable& table, double x) {
  ClearUpperVectorState();
  const ScatteringTable& rows = table.rows_;
  const auto upper = FindBracket(rows, table.rising_, x);
  if (!upper) return std::nullopt;
  const int i = *upper;
  if (!HasLogarithm(x)) return std::nullopt;
  // Taken as it stands, so that row i - 1 cannot spoil a tabulated point.
  if (x == rows.x[i]) return FunctionValues{rows.F[i], rows.S[i]};
  const LogLogTable::Step& step = table.steps_[i];
  if (!step.usable) return std::nullopt;
  const double r = std::log(rows.x[i] / x) / step.x;
  const FunctionValues values{AlongLine(rows.F[i], step.F, r), AlongLine(rows.S[i], step.S, r)};
  if (!std::isfinite(values.F) || !std::isfinite(values.S)) return std::nullopt;
  return values;
}

std::optional<FunctionValues> TypedReadOut(const LogLogTable& table, double x) {
  if (!IsTypedMomentumInRange(x)) return std::nullopt;
  return InterpolateAt(table, x);
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
