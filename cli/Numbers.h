#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Arguments.h"

namespace xscatter::cli {

// A whole number text as std::from_chars reads it ("0.1", "2.5e-1"); no blanks, no plus sign,
// no infinity or NaN, nothing left over.
std::optional<double> StrictNumber(std::string_view text);

// The colon-separated groups of the command line.
Status ReadLinearGrid(std::string_view text, Grid& grid);  // START:STOP:STEP
Status ReadLogGrid(std::string_view text, Grid& grid);     // START:STOP:COUNT
// SYMBOL:ATOMS in a compound, SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT in a mixture.
Status ReadTerm(std::string_view text, bool compound, ElementTerm& term);

}  // namespace xscatter::cli
