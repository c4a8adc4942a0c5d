#pragma once

#include <string>
#include <string_view>

#include "ScatteringTable.h"

namespace xscatter {

// The shortest text that reads back to exactly the same double, with a point as the decimal
// separator whatever the locale ("0.005", "1e-05", "26").
std::string ShortestNumber(double v);

// A table as delimited text that a spreadsheet takes as three columns: a comment line with the
// table's name and the unit of x, a header line, then rows 1 to 45 in file order; every line
// ends in LF.
std::string DelimitedTable(std::string_view name, const ScatteringTable& table, char separator);

}  // namespace xscatter
