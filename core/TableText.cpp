#include "TableText.h"

#include <charconv>

namespace xscatter {

std::string ShortestNumber(double v) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, ec == std::errc() ? end : buffer);
}

std::string DelimitedTable(std::string_view name, const ScatteringTable& table, char separator) {
  std::string text = "# ";
  text += name;
  text += ": x = sin(θ/2)/λ in 1/Å\n";
  ((text += 'x') += separator) += "F(x)";
  (text += separator) += "S(x)\n";
  for (int row = 1; row <= kTableRows; ++row) {
    ((text += ShortestNumber(table.x[row])) += separator) += ShortestNumber(table.F[row]);
    ((text += separator) += ShortestNumber(table.S[row])) += '\n';
  }
  return text;
}

}  // namespace xscatter
