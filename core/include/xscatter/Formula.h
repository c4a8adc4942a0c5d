#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xscatter/Status.h"

namespace xscatter {

// A number of atoms of element Z.
struct AtomCount {
  int Z = 0;
  double atoms = 0;

  bool operator==(const AtomCount&) const = default;
};

// What a chemical formula stands for.
struct Formula {
  std::vector<AtomCount> atoms;  // each element once, in the order it first appears
  double molarMass = 0;          // g/mol, from the standard atomic weights
};

// Reads a chemical formula:
// - element symbols, case-sensitive ("CO" is carbon monoxide, "Co" cobalt), each with a count
//   after it, whole or decimal ("Fe0.7Ni0.3"), 1 when there is none;
// - groups in () or [], nested, with a count after the closing bracket ("Ca5(PO4)3OH");
// - parts joined by a hydrate dot, · or * (also • ⋅ ∙), each of which may start with a count
//   that multiplies the whole part ("CuSO4·5H2O"); a point is only ever a decimal point;
// - blanks at either end and around a hydrate dot.
// An element that appears more than once is counted once with the sum of its atoms. A failure
// reads "column N: what is wrong", N counting characters from 1, and ends in the corrected
// formula with a question mark where a correction reads, e.g.
// "column 1: element symbols start with a capital letter: H2O?".
Result<Formula> ParseFormula(std::string_view text);

// The atoms as a formula with each element once, e.g. "C2H6O" for C2H5OH: the symbol, then the
// count unless it is 1, as the shortest decimal that reads back as the same number, so that
// ParseFormula gives these atoms again.
std::string FormulaText(std::span<const AtomCount> atoms);

// The sum of the atoms times the standard atomic weights, g/mol.
double MolarMass(std::span<const AtomCount> atoms);

}  // namespace xscatter
