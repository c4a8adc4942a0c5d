#include "DataText.h"

#include <charconv>

#include "xscatter/Elements.h"

namespace xscatter {
namespace {

std::vector<std::string_view> Split(std::string_view line, char separator) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t end = line.find(separator, start);
    fields.push_back(line.substr(start, end - start));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

}  // namespace

DataText SplitDataText(std::string_view text) {
  DataText data;
  bool columnNames = true;
  for (std::string_view line : Split(text, '\n')) {
    if (line.empty()) continue;
    if (line.starts_with("# ")) {
      if (!data.source.empty()) data.source += '\n';
      data.source += line.substr(2);
    } else if (columnNames) {
      columnNames = false;
    } else {
      data.records.push_back(Split(line, '\t'));
    }
  }
  return data;
}

std::optional<double> DataNumber(std::string_view field) {
  double value = 0;
  const char* end = field.data() + field.size();
  const auto [stop, ec] = std::from_chars(field.data(), end, value);
  if (ec != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<std::vector<std::pair<int, double>>> ElementNumbers(std::string_view text) {
  std::vector<std::pair<int, double>> numbers;
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    const std::string_view pair = text.substr(0, blank);
    text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    const std::size_t colon = pair.find(':');
    const Element* element = FindElement(pair.substr(0, colon));
    const auto number =
        colon == std::string_view::npos ? std::nullopt : DataNumber(pair.substr(colon + 1));
    if (!element || !number) return std::nullopt;
    numbers.emplace_back(element->Z, *number);
  }
  return numbers;
}

}  // namespace xscatter
