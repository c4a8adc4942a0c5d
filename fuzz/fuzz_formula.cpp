// Any bytes as a chemical formula: either a failure that names a column of the text, with a
// correction that reads where it offers one, or atoms of known elements, each once, positive
// and finite, whose written form reads back as the same atoms and molar mass.
#include <cstdint>
#include <set>

#include "FuzzCheck.h"
#include "xscatter/Elements.h"
#include "xscatter/Formula.h"

namespace {

std::size_t Characters(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

void CheckFailure(std::string_view text, const std::string& error) {
  Expect(error.starts_with("column "), "a failure names no column");
  const std::size_t column = std::strtoul(error.c_str() + 7, nullptr, 10);
  Expect(column >= 1 && column <= Characters(text) + 1, "a failure names a column past the text");
  if (!error.ends_with('?')) return;
  const std::size_t start = error.rfind(": ") + 2;
  const auto corrected = xscatter::ParseFormula(error.substr(start, error.size() - start - 1));
  Expect(corrected.ok(), "an offered correction does not read");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto formula = xscatter::ParseFormula(text);
  if (!formula) {
    CheckFailure(text, formula.error());
    return 0;
  }
  Expect(!formula->atoms.empty(), "a formula without atoms reads");
  std::set<int> elements;
  for (const xscatter::AtomCount& count : formula->atoms) {
    Expect(xscatter::ElementOf(count.Z) != nullptr, "an atom of no element");
    Expect(elements.insert(count.Z).second, "an element counted twice");
    Expect(count.atoms > 0 && std::isfinite(count.atoms), "a count not positive and finite");
  }
  Expect(formula->molarMass > 0 && std::isfinite(formula->molarMass), "a molar mass out of range");
  const auto again = xscatter::ParseFormula(xscatter::FormulaText(formula->atoms));
  Expect(again.ok(), "the written form does not read");
  Expect(again->atoms == formula->atoms, "the written form reads as other atoms");
  Expect(again->molarMass == formula->molarMass, "the written form has another molar mass");
  return 0;
}
