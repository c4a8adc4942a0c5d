#pragma once

#include <span>
#include <string_view>

namespace xscatter {

inline constexpr int kLastElement = 98;  // californium, the last element with a table

// One element with its standard atomic weight.
struct Element {
  int Z = 0;
  std::string_view symbol;  // "Fe"
  std::string_view name;    // "Iron", as IUPAC spells it
  // g/mol: IUPAC's standard atomic weight (the conventional value where IUPAC gives an
  // interval), or for an element without one the mass number of its longest-lived isotope.
  double atomicWeight = 0;
  bool massNumber = false;  // whether atomicWeight is such a mass number
};

// Z = 1 to 98 in order: Elements()[Z - 1] is element Z. Built into the library.
std::span<const Element> Elements();

// Element Z; none outside 1 to 98.
const Element* ElementOf(int Z);

// The element with exactly this symbol ("Co" is cobalt, "CO" none); none for any other text.
const Element* FindElement(std::string_view symbol);

// Where the symbols, names and weights come from, in a few lines of text.
std::string_view ElementsSource();

}  // namespace xscatter
