// One data-file line, and the same bytes as one field, through the lenient reader and the line
// writer. The reader must agree with the lenient rule read a second way and never give an
// infinity or NaN; every row the written layout can hold must be written in its 34 columns and
// read back from them.
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "FuzzCheck.h"
#include "xscatter/ScatteringTable.h"

namespace {

constexpr std::size_t kMomentumWidth = 10;
constexpr std::size_t kFunctionWidth = 12;
constexpr std::size_t kLineWidth = kMomentumWidth + 2 * kFunctionWidth;
// Longer texts are left out of the comparison: the regular expression engine recurses once
// per character.
constexpr std::size_t kLongestReferenceText = 256;

// The lenient rule from a regular expression and strtod. A point may end the mantissa, so
// "5." reads as 5 and "5.E3" as 5000.
std::optional<double> ReferenceNumber(const std::string& compact) {
  static const std::regex number(R"([+-]?(\d+\.?\d*|\.\d+)([eEdD][+-]?\d+)?)");
  std::smatch match;
  if (!std::regex_search(compact, match, number, std::regex_constants::match_continuous)) {
    return 0.0;
  }
  std::string found = match.str();
  for (char& c : found) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  errno = 0;
  const double value = std::strtod(found.c_str(), nullptr);
  if (errno == ERANGE && std::isinf(value)) return std::nullopt;
  return value;
}

std::string WithoutBlanks(std::string_view text) {
  std::string compact;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') compact += c;
  }
  return compact;
}

void CheckField(std::string_view text) {
  const auto value = xscatter::LenientNumber(text);
  Expect(!value || std::isfinite(*value), "a field reads as infinity or NaN");
  const std::string compact = WithoutBlanks(text);
  if (compact.size() > kLongestReferenceText) return;
  const auto expected = ReferenceNumber(compact);
  if (value && expected && *value != *expected) {
    // Below the smallest double the reader may give 0 where strtod keeps a subnormal.
    Expect(*value == 0 && std::fabs(*expected) < 1e-300, "a field reads as another number");
    return;
  }
  Expect(value.has_value() == expected.has_value(), "a field is read where it overflows");
}

double ReferenceField(std::string_view line, std::size_t column, std::size_t width) {
  if (column >= line.size()) return 0;
  const std::string compact = WithoutBlanks(line.substr(column, width));
  return ReferenceNumber(compact).value_or(0);
}

bool SameRow(const xscatter::TableRow& a, const xscatter::TableRow& b) {
  return a.x == b.x && a.F == b.F && a.S == b.S;
}

void CheckLineColumns(std::string_view line) {
  const xscatter::TableRow row = xscatter::ParseTableLine(line);
  Expect(std::isfinite(row.x) && std::isfinite(row.F) && std::isfinite(row.S),
         "a line reads as infinity or NaN");
  Expect(SameRow(row, xscatter::ParseTableLine(line.substr(0, kLineWidth))),
         "characters after column 34 change the row");
  const xscatter::TableRow expected{
      ReferenceField(line, 0, kMomentumWidth), ReferenceField(line, kMomentumWidth, kFunctionWidth),
      ReferenceField(line, kMomentumWidth + kFunctionWidth, kFunctionWidth)};
  Expect(SameRow(row, expected), "a field is not read from its columns");
}

// Zero, or a value whose mantissa 0.d1d2... needs an exponent of -99 to +99.
bool SurelyHoldable(double v) {
  return v == 0 || (v >= 1e-99 && v <= 9e98);
}
bool SurelyNotHoldable(double v) {
  return !std::isfinite(v) || v < 0 || v >= 1e99 || (v > 0 && v < 1e-101);
}

void CheckWrittenRow(const xscatter::TableRow& row) {
  static const std::regex written(
      R"(  \.([1-9]\d\dE[+-]\d\d|000E\+00)(  \.([1-9]\d{4}E[+-]\d\d|00000E\+00)){2})");
  const auto line = xscatter::FormatTableLine(row.x, row.F, row.S);
  if (SurelyNotHoldable(row.x) || SurelyNotHoldable(row.F) || SurelyNotHoldable(row.S)) {
    Expect(!line, "a value outside the columns is written");
    return;
  }
  if (!line) {
    Expect(!SurelyHoldable(row.x) || !SurelyHoldable(row.F) || !SurelyHoldable(row.S),
           "a row the layout holds is refused");
    return;
  }
  Expect(line->size() == kLineWidth, "a written line is not 34 characters");
  Expect(FullyMatches(*line, written), "a written line breaks the layout");
  const xscatter::TableRow back = xscatter::ParseTableLine(*line);
  Expect(WithinRounding(back.x, row.x, 3), "x does not read back within three digits");
  Expect(WithinRounding(back.F, row.F, 5), "F does not read back within five digits");
  Expect(WithinRounding(back.S, row.S, 5), "S does not read back within five digits");
  Expect(xscatter::FormatTableLine(back.x, back.F, back.S) == line,
         "a line read back is written differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckField(text);
  CheckLineColumns(text);
  CheckWrittenRow(xscatter::ParseTableLine(text));
  // The same bytes as three doubles reach the writer with values no text gives.
  if (size >= 3 * sizeof(double)) {
    xscatter::TableRow raw;
    std::memcpy(&raw.x, data, sizeof(double));
    std::memcpy(&raw.F, data + sizeof(double), sizeof(double));
    std::memcpy(&raw.S, data + 2 * sizeof(double), sizeof(double));
    CheckWrittenRow(raw);
  }
  return 0;
}
