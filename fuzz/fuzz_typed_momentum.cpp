// Text typed into the momentum-transfer box, through the read-out that Enter shows, on the
// shipped iron table: either the out-of-range answer, or x, F and S in their on-screen formats,
// each the value it stands for. Interpolated values lie between their two table rows.
#include <cstdint>

#include "FuzzCheck.h"
#include "xscatter/Interpolation.h"
#include "xscatter/ScatteringTable.h"

namespace {

const xscatter::ScatteringTable& Iron() {
  static const xscatter::ScatteringTable table = [] {
    xscatter::ScatteringTable read;
    xscatter::TableLines lines;
    const auto status = xscatter::ReadTableFile(XSCATTER_DATA_DIR "/XFS-data/Fe.xfs", read, lines);
    Expect(status.ok(), "the iron table cannot be read");
    return read;
  }();
  return table;
}

const xscatter::LogLogTable& IronCurves() {
  static const xscatter::LogLogTable curves(Iron());
  return curves;
}

// What the read-out boxes show; all empty for the out-of-range answer.
struct Readout {
  std::string x;
  std::string F;
  std::string S;
};

// The typed read-out as the main window runs it on Enter. A value the table cannot give
// (no bracketing rows, or a row without a logarithm) is answered as out of range.
Readout TypedReadout(const std::optional<double>& x) {
  const auto values = x ? xscatter::TypedReadOut(IronCurves(), *x) : std::nullopt;
  if (!values) return {};
  return {xscatter::FormatMomentum(*x), xscatter::FormatFunctionValue(values->F),
          xscatter::FormatFunctionValue(values->S)};
}

// The upper row of the bracket: the first row from 2 on whose x is not below the value.
int UpperRow(double x) {
  int row = 2;
  while (row < xscatter::kTableRows && Iron().x[row] < x) ++row;
  return row;
}

bool Between(double v, double a, double b) {
  const double slack = 1e-12 * std::max(a, b);
  return v >= std::min(a, b) - slack && v <= std::max(a, b) + slack;
}

void CheckInterpolation(double x) {
  const xscatter::ScatteringTable& iron = Iron();
  // Row 1 of the shipped tables is x = 0, which has no logarithm: below row 2's x there is no
  // line to interpolate on.
  if (x < iron.x[2]) return;
  const auto values = xscatter::InterpolateAt(IronCurves(), x);
  Expect(values.has_value(), "an x inside the iron table gives no value");
  const int upper = UpperRow(x);
  Expect(Between(values->F, iron.F[upper - 1], iron.F[upper]), "F leaves its two rows");
  Expect(Between(values->S, iron.S[upper - 1], iron.S[upper]), "S leaves its two rows");
  if (x == iron.x[upper]) {
    Expect(values->F == iron.F[upper] && values->S == iron.S[upper],
           "a tabulated x does not give its own row");
  }
}

void CheckShown(const std::string& text, double value, int digits, const std::regex& format) {
  Expect(FullyMatches(text, format), "a read-out breaks its format");
  Expect(WithinRounding(ReadBack(text), value, digits), "a read-out is not its value");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::regex momentum(R"([1-9]\.\d\dE[+-]\d{2,3})");
  static const std::regex function(R"(([1-9]\.\d{4}|0\.0000)E[+-]\d{2,3})");
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto x = xscatter::LenientNumber(text);
  const bool inRange = x && *x >= 0.005 && *x <= 1000;
  Expect(!x || xscatter::IsTypedMomentumInRange(*x) == inRange, "the range test is wrong");

  const Readout shown = TypedReadout(x);
  if (!inRange) {
    Expect(shown.x.empty() && shown.F.empty() && shown.S.empty(), "out of range shows values");
    return 0;
  }
  CheckInterpolation(*x);
  if (shown.x.empty()) return 0;
  const auto values = xscatter::InterpolateAt(IronCurves(), *x);
  CheckShown(shown.x, *x, 3, momentum);
  CheckShown(shown.F, values->F, 5, function);
  CheckShown(shown.S, values->S, 5, function);
  return 0;
}
