#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "xscatter/ScatteringTable.h"

namespace xscatter {

// Room that ShortestNumber's text of any double needs ("-2.2250738585072014e-308").
inline constexpr std::size_t kLongestShortestNumber = 24;

// The shortest text that reads back to exactly the same double, with a point as the decimal
// separator whatever the locale ("0.005", "1e-05", "26").
std::string ShortestNumber(double v);

// The same text written at first, which has room for kLongestShortestNumber characters; gives
// the end of the text. For writers that put out many numbers without a string for each.
char* WriteShortestNumber(char* first, double v);

// The first two lines of DelimitedTable: the comment with the table's name and the unit of x,
// and the header, each ending in LF.
std::string DelimitedHeading(std::string_view name, char separator);

// A table as delimited text that a spreadsheet takes as three columns: a comment line with the
// table's name and the unit of x, a header line, then rows 1 to 45 in file order; every line
// ends in LF.
std::string DelimitedTable(std::string_view name, const ScatteringTable& table, char separator);

}  // namespace xscatter
