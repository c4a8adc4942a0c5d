#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

// A broken expectation prints what broke and aborts; libFuzzer keeps the input as a finding.
inline void Expect(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken expectation: %s\n", what);
  std::abort();
}

inline bool FullyMatches(std::string_view text, const std::regex& pattern) {
  return std::regex_match(text.begin(), text.end(), pattern);
}

// Whether a shown or written value is the original one up to rounding its mantissa to
// `digits` significant digits (half a unit of the last digit, a hair more for the decimal
// read-back).
inline bool WithinRounding(double shown, double original, int digits) {
  const double tolerance = 0.5 * std::pow(10.0, 1 - digits) * 1.000001;
  return std::fabs(shown - original) <= tolerance * std::fabs(original);
}

// The number a formatted text stands for, read the C library's way.
inline double ReadBack(std::string_view text) {
  return std::strtod(std::string(text).c_str(), nullptr);
}
