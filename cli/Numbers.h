#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "Arguments.h"

namespace xscatter::cli {

// A whole number text as std::from_chars reads it ("0.1", "2.5e-1"); no blanks, no plus sign,
// no infinity or NaN, nothing left over.
std::optional<double> StrictNumber(std::string_view text);

// StrictNumber, or a reason that says what to type instead ("0,25": use a point).
Result<double> ReadNumber(std::string_view text);

// The colon-separated groups of the command line ("H:2", "0.1:1:0.1").
std::vector<std::string_view> SplitAtColons(std::string_view text);

// SYMBOL:ATOMS in a compound, SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT or FORMULA:PERCENT in a
// mixture, as the form says; the numbers must be greater than 0.
Status ReadTerm(std::string_view text, MaterialForm form, ElementTerm& term);

}  // namespace xscatter::cli
