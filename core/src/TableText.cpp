#include "xscatter/TableText.h"

#include <charconv>

namespace xscatter {

std::string ShortestNumber(double v) {
  char buffer[kLongestShortestNumber];
  return std::string(buffer, WriteShortestNumber(buffer, v));
}

char* WriteShortestNumber(char* first, double v) {
  const auto [end, ec] = std::to_chars(first, first + kLongestShortestNumber, v);
  return ec == std::errc() ? end : first;
}

std::string DelimitedHeading(std::string_view name, char separator) {
  std::string text = "# ";
  text += name;
  text += ": x = sin(θ/2)/λ in 1/Å\n";
  ((text += 'x') += separator) += "F(x)";
  (text += separator) += "S(x)\n";
  return text;
}

std::string DelimitedTable(std::string_view name, const ScatteringTable& table, char separator) {
  std::string text = DelimitedHeading(name, separator);
  for (int row = 1; row <= kTableRows; ++row) {
    ((text += ShortestNumber(table.x[row])) += separator) += ShortestNumber(table.F[row]);
    ((text += separator) += ShortestNumber(table.S[row])) += '\n';
  }
  return text;
}

}  // namespace xscatter
