#pragma once

#include <array>
#include <optional>
#include <string>

#include "xscatter/ScatteringTable.h"

namespace xscatter {

inline constexpr double kLowestTypedMomentum = 0.005;
inline constexpr double kHighestTypedMomentum = 1000;

// F and S at one momentum transfer.
struct FunctionValues {
  double F = 0;
  double S = 0;
};

// Whether a typed momentum transfer lies in 0.005 to 1000, both limits included.
bool IsTypedMomentumInRange(double x);

// A table made ready for log-log interpolation. The logarithms of the ratios between
// neighbouring rows do not depend on x, so they are taken once here instead of at every
// look-up; a look-up then needs one logarithm and two exponentials.
class LogLogTable {
 public:
  explicit LogLogTable(const ScatteringTable& table);

  friend std::optional<FunctionValues> InterpolateAt(const LogLogTable& table, double x);

 private:
  // From row i - 1 to row i: ln(x(i)/x(i-1)), ln(F(i-1)/F(i)) and ln(S(i-1)/S(i)), usable when
  // both rows have logarithms and differ in x.
  struct Step {
    double x = 0;
    double F = 0;
    double S = 0;
    bool usable = false;
  };

  ScatteringTable rows_;
  bool rising_ = false;  // rows 2 to 45 in order of x: the bracket is found by bisection
  std::array<Step, kTableSlots> steps_{};
};

// Log-log interpolation between the first row i >= 2 with x(i) >= x and row i - 1, extended
// beyond them where x lies outside. On an exact match x = x(i) it gives row i itself. No value
// when no row brackets x, a logarithm is undefined, or the two rows share their x.
std::optional<FunctionValues> InterpolateAt(const LogLogTable& table, double x);

// The typed read-out's rule, which xscatter-table's "at" follows too: no value outside 0.005 to
// 1000, nor where InterpolateAt has none.
std::optional<FunctionValues> TypedReadOut(const LogLogTable& table, double x);

// The first row from row 1 on whose x is strictly greater than x; no value when there is none.
std::optional<int> FindRowAbove(const ScatteringTable& table, double x);

// The graph's coordinate of a positive value, ln(1000 v); no value for v <= 0.
std::optional<double> GraphCoordinate(double v);

// The value at graph coordinate u, e^u / 1000.
double MomentumFromGraph(double u);

// "0.00E+00": a momentum transfer as shown on screen, e.g. 5.00E-03.
std::string FormatMomentum(double x);

// "0.0000E+00": F or S as shown on screen, e.g. 1.2345E+01.
std::string FormatFunctionValue(double v);

}  // namespace xscatter
