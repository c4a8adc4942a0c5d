#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace xscatter {

// A tab-separated data file as the tools/ generators write it: comment lines starting with
// "# " that name the source, one line of column names, then one line per record.
struct DataText {
  std::string source;  // the comment lines without their "# ", joined by line feeds
  std::vector<std::vector<std::string_view>> records;  // the fields of each record
};

// Splits the text; the fields point into it.
DataText SplitDataText(std::string_view text);

// A table made from a data file: it takes the source, and add(table, fields) each record in
// turn.
template <typename Table, typename Add>
Table ReadDataTable(std::string_view text, Add add) {
  DataText data = SplitDataText(text);
  Table table;
  table.source = std::move(data.source);
  for (const auto& fields : data.records) add(table, fields);
  return table;
}

// A decimal number that fills the whole field; none otherwise.
std::optional<double> DataNumber(std::string_view field);

// Numbers by element written "SYMBOL:NUMBER", separated by blanks ("H:2 O:1"): the Z and the
// number of each, in order; none when a pair does not read.
std::optional<std::vector<std::pair<int, double>>> ElementNumbers(std::string_view text);

}  // namespace xscatter
