#include "xscatter/Elements.h"

#include <array>
#include <vector>

#include "DataText.h"
#include "EmbeddedData.h"

namespace xscatter {
namespace {

struct ElementTable {
  std::string source;
  std::vector<Element> elements;
  // Z by the letters of a symbol: the capital, then 0 for none or 1 + the small letter.
  std::array<std::array<int, 27>, 26> bySymbol{};
};

Element ReadElement(const std::vector<std::string_view>& fields) {
  if (fields.size() != 4) return {};
  std::string_view weight = fields[3];
  const bool massNumber = weight.starts_with('[') && weight.ends_with(']');
  if (massNumber) weight = weight.substr(1, weight.size() - 2);
  return {static_cast<int>(DataNumber(fields[0]).value_or(0)), fields[1], fields[2],
          DataNumber(weight).value_or(0), massNumber};
}

// Symbols are one capital and at most one small letter; no value for anything else.
std::optional<std::pair<int, int>> SymbolSlot(std::string_view symbol) {
  if (symbol.empty() || symbol.size() > 2 || symbol[0] < 'A' || symbol[0] > 'Z') {
    return std::nullopt;
  }
  if (symbol.size() == 1) return std::pair{symbol[0] - 'A', 0};
  if (symbol[1] < 'a' || symbol[1] > 'z') return std::nullopt;
  return std::pair{symbol[0] - 'A', symbol[1] - 'a' + 1};
}

void AddElement(ElementTable& table, const std::vector<std::string_view>& fields) {
  const Element element = ReadElement(fields);
  // The data are built in and tested; a record out of order would misplace every later Z.
  if (element.Z != static_cast<int>(table.elements.size()) + 1) return;
  table.elements.push_back(element);
  if (const auto slot = SymbolSlot(element.symbol)) {
    table.bySymbol[slot->first][slot->second] = element.Z;
  }
}

const ElementTable& Table() {
  static const ElementTable table =
      ReadDataTable<ElementTable>(embedded::ElementsText(), AddElement);
  return table;
}

}  // namespace

std::span<const Element> Elements() {
  return Table().elements;
}

const Element* ElementOf(int Z) {
  const auto& elements = Table().elements;
  if (Z < 1 || Z > static_cast<int>(elements.size())) return nullptr;
  return &elements[Z - 1];
}

const Element* FindElement(std::string_view symbol) {
  const auto slot = SymbolSlot(symbol);
  if (!slot) return nullptr;
  return ElementOf(Table().bySymbol[slot->first][slot->second]);
}

std::string_view ElementsSource() {
  return Table().source;
}

}  // namespace xscatter
