#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xscatter/Formula.h"
#include "xscatter/ScatteringTable.h"
#include "xscatter/Status.h"

namespace xscatter {

// Elements with their numbers of atoms per unit. A table combined from it gives F and S per
// unit, and cross sections per unit turn into cross sections per gram with the molar mass.
//
// The unit depends on how the composition was given:
// - a formula, or atoms of each element: one formula unit, one atom for a lone element;
// - mass fractions, or a mixture by mass: one mean atom, the amount of the material that holds
//   one atom on average; the atoms of the elements add up to 1 and the molar mass is the mean
//   atomic weight. F² and S per mean atom are then the averages of the elements' values
//   weighted by their shares of the atoms, comparable with a single element's;
// - the editors' mixture rule: one atom of the first element, with the others in proportion.
struct Composition {
  std::string name;              // what it is: "H2O", "Water, Liquid", "H2O 99.1 % + NaCl 0.9 %"
  std::vector<AtomCount> atoms;  // atoms of each element per unit, in the order first given
  double molarMass = 0;          // g/mol of units
  std::string unit;              // in words, e.g. "per formula unit of H2O (18.015 g/mol)"
};

// A share of element Z in a mass.
struct MassFraction {
  int Z = 0;
  double fraction = 0;
};

// A part of a mixture by mass with its weight: per cent by mass, or any weights in proportion.
struct MixturePart {
  Composition composition;
  double weight = 0;
};

// An element of the editors' mixture: its atomic weight as typed and its weight in per cent.
struct TypedMixtureElement {
  int Z = 0;
  double atomicWeight = 0;
  double weight = 0;
};

// One formula unit of a chemical formula (see ParseFormula); the name is the formula as typed.
Result<Composition> CompositionOfFormula(std::string_view formula);

// One formula unit of atoms given as "SYMBOL:ATOMS" each ("Zn:1", "Cu:2.5"); an element given
// twice counts with the sum. The name is the formula of the atoms.
Result<Composition> CompositionOfAtoms(std::span<const std::string_view> symbolAtoms);

// The same from numbers of atoms, each positive; an element given twice counts with the sum.
Result<Composition> CompositionOfAtoms(std::span<const AtomCount> atoms);

// One mean atom of a material of these mass fractions, with the standard atomic weights: each
// element's atoms per gram w_k / A_k, divided by their sum. Fractions are taken in proportion.
Result<Composition> CompositionOfMassFractions(std::string_view name,
                                               std::span<const MassFraction> fractions);

// One mean atom of a mixture by mass: each part turned into atoms per gram, its weight times
// its atoms per unit over its molar mass, summed by element and divided by the sum of all.
Result<Composition> MixtureByMass(std::span<const MixturePart> parts);

// The editors' mixture rule: per atom of the first element, n_k = (A_1 / A_k) w_k / w_1 with
// the typed atomic weights, which also give the molar mass per unit, sum n_k A_k.
Result<Composition> EditorsMixture(std::span<const TypedMixtureElement> elements);

// One element's table with its number of atoms per unit.
struct TableTerm {
  const ScatteringTable* table = nullptr;
  double atoms = 0;
};

// The compound rule on any number of element tables, at full precision:
// F = sqrt(sum n_k F_k²) and S = sum n_k S_k, row by row, the same arithmetic as the editors'.
// The tables must share their x, which the result takes.
Result<ScatteringTable> CombineTables(std::span<const TableTerm> terms);

// The table of element Z, or why there is none.
using ElementTables = std::function<Result<ScatteringTable>(int Z)>;

// The table of a composition per its unit, from the element tables that tableOf gives.
Result<ScatteringTable> CombineComposition(const Composition& composition,
                                           const ElementTables& tableOf);

}  // namespace xscatter
