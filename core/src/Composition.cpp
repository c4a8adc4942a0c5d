#include "xscatter/Composition.h"

#include <charconv>
#include <cmath>

#include "CompoundRule.h"
#include "xscatter/Elements.h"

namespace xscatter {
namespace {

// A number in words: to `digits` significant digits, or as short as it reads back exactly.
std::string Number(double v, int digits = 0) {
  char text[32];
  const auto [end, ec] =
      digits > 0 ? std::to_chars(text, text + sizeof text, v, std::chars_format::general, digits)
                 : std::to_chars(text, text + sizeof text, v);
  return {text, ec == std::errc() ? end : text};
}

// A single atom is an atom, not a formula unit.
std::string FormulaUnit(std::string_view name, std::span<const AtomCount> atoms, double molarMass) {
  const bool atom = atoms.size() == 1 && atoms[0].atoms == 1;
  return (atom ? "per atom of " : "per formula unit of ") + std::string(name) + " (" +
         Number(molarMass, 5) + " g/mol)";
}

bool IsPositive(double v) {
  return v > 0 && std::isfinite(v);
}

// Adds atoms of element Z, after the elements there are when Z is new.
void AddAtoms(std::vector<AtomCount>& atoms, int Z, double n) {
  for (AtomCount& count : atoms) {
    if (count.Z == Z) {
      count.atoms += n;
      return;
    }
  }
  atoms.push_back({Z, n});
}

// The parts turned into atoms per gram and scaled to one mean atom.
Result<Composition> MeanAtom(std::string name, std::span<const MixturePart> parts) {
  if (parts.empty()) return Status::Failed("no parts");
  double total = 0;
  for (std::size_t p = 0; p < parts.size(); ++p) {
    const MixturePart& part = parts[p];
    if (!IsPositive(part.weight)) {
      return Status::Failed("part " + std::to_string(p + 1) + " (" + part.composition.name +
                            "): its weight must be a positive number");
    }
    if (!IsPositive(part.composition.molarMass)) {
      return Status::Failed("part " + std::to_string(p + 1) + " (" + part.composition.name +
                            "): no molar mass");
    }
    total += part.weight;
  }
  Composition mixture{std::move(name), {}, 0, {}};
  for (const MixturePart& part : parts) {
    const double unitsPerGram = part.weight / total / part.composition.molarMass;
    for (const AtomCount& count : part.composition.atoms) {
      AddAtoms(mixture.atoms, count.Z, unitsPerGram * count.atoms);
    }
  }
  double atomsPerGram = 0;
  for (const AtomCount& count : mixture.atoms) atomsPerGram += count.atoms;
  if (!IsPositive(atomsPerGram)) return Status::Failed("no atoms in " + mixture.name);
  for (AtomCount& count : mixture.atoms) count.atoms /= atomsPerGram;
  mixture.molarMass = 1 / atomsPerGram;
  mixture.unit =
      "per mean atom of " + mixture.name + " (" + Number(mixture.molarMass, 5) + " g/mol per atom)";
  return mixture;
}

}  // namespace

Result<Composition> CompositionOfFormula(std::string_view formula) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!formula.empty() && blank(formula.front())) formula.remove_prefix(1);
  while (!formula.empty() && blank(formula.back())) formula.remove_suffix(1);
  Result<Formula> parsed = ParseFormula(formula);
  if (!parsed) return parsed.status();
  std::string unit = FormulaUnit(formula, parsed->atoms, parsed->molarMass);
  return Composition{std::string(formula), std::move(parsed->atoms), parsed->molarMass,
                     std::move(unit)};
}

Result<Composition> CompositionOfAtoms(std::span<const std::string_view> symbolAtoms) {
  std::vector<AtomCount> atoms;
  for (std::string_view pair : symbolAtoms) {
    const std::size_t colon = pair.find(':');
    if (colon == std::string_view::npos) {
      return Status::Failed(std::string(pair) + ": write SYMBOL:ATOMS, e.g. Zn:1");
    }
    const std::string_view symbol = pair.substr(0, colon);
    const Element* element = FindElement(symbol);
    if (!element) return Status::Failed(std::string(pair) + ": no element " + std::string(symbol));
    double n = 0;
    const std::string_view number = pair.substr(colon + 1);
    const char* end = number.data() + number.size();
    const auto [stop, ec] = std::from_chars(number.data(), end, n);
    if (ec != std::errc() || stop != end || !IsPositive(n)) {
      return Status::Failed(std::string(pair) + ": the atoms must be a positive number");
    }
    atoms.push_back({element->Z, n});
  }
  return CompositionOfAtoms(atoms);
}

Result<Composition> CompositionOfAtoms(std::span<const AtomCount> counts) {
  if (counts.empty()) return Status::Failed("no elements");
  std::vector<AtomCount> atoms;
  for (const AtomCount& count : counts) {
    const Element* element = ElementOf(count.Z);
    if (!element) return Status::Failed("no element of Z = " + std::to_string(count.Z));
    if (!IsPositive(count.atoms)) {
      return Status::Failed(std::string(element->symbol) + ": the atoms must be a positive number");
    }
    AddAtoms(atoms, count.Z, count.atoms);
  }
  std::string name = FormulaText(atoms);
  const double molarMass = MolarMass(atoms);
  std::string unit = FormulaUnit(name, atoms, molarMass);
  return Composition{std::move(name), std::move(atoms), molarMass, std::move(unit)};
}

Result<Composition> CompositionOfMassFractions(std::string_view name,
                                               std::span<const MassFraction> fractions) {
  std::vector<MixturePart> parts;
  parts.reserve(fractions.size());
  for (const MassFraction& fraction : fractions) {
    const Element* element = ElementOf(fraction.Z);
    if (!element) return Status::Failed("no element of Z = " + std::to_string(fraction.Z));
    parts.push_back({{std::string(element->symbol), {{element->Z, 1}}, element->atomicWeight, {}},
                     fraction.fraction});
  }
  return MeanAtom(std::string(name), parts);
}

Result<Composition> MixtureByMass(std::span<const MixturePart> parts) {
  std::string name;
  for (const MixturePart& part : parts) {
    if (!name.empty()) name += " + ";
    name += part.composition.name + " " + Number(part.weight) + " %";
  }
  return MeanAtom(std::move(name), parts);
}

Result<Composition> EditorsMixture(std::span<const TypedMixtureElement> elements) {
  if (elements.empty()) return Status::Failed("no elements");
  std::vector<double> atomicWeights, weights;
  std::string name;
  for (const TypedMixtureElement& element : elements) {
    const Element* known = ElementOf(element.Z);
    if (!known) return Status::Failed("no element of Z = " + std::to_string(element.Z));
    atomicWeights.push_back(element.atomicWeight);
    weights.push_back(element.weight);
    if (!name.empty()) name += " + ";
    name += std::string(known->symbol) + " " + Number(element.weight) + " %";
  }
  std::vector<double> ratio(elements.size());
  if (Status status = rule::DeriveAtomRatio(atomicWeights, weights, ratio); !status.ok()) {
    return status;
  }
  Composition mixture{std::move(name), {}, 0, {}};
  for (std::size_t k = 0; k < elements.size(); ++k) {
    AddAtoms(mixture.atoms, elements[k].Z, ratio[k]);
    mixture.molarMass += ratio[k] * atomicWeights[k];
  }
  mixture.unit = "per atom of " + std::string(ElementOf(elements[0].Z)->symbol) +
                 ", the first element (" + Number(mixture.molarMass, 5) + " g/mol per unit)";
  return mixture;
}

Result<ScatteringTable> CombineTables(std::span<const TableTerm> terms) {
  if (terms.empty()) return Status::Failed("no element tables");
  std::vector<rule::ElementColumns> columns;
  columns.reserve(terms.size());
  const ScatteringTable& first = *terms.front().table;
  for (std::size_t k = 0; k < terms.size(); ++k) {
    const ScatteringTable& table = *terms[k].table;
    if (table.x != first.x) {
      return Status::Failed("table " + std::to_string(k + 1) +
                            " has other momentum transfers than table 1");
    }
    columns.push_back({&table.F, &table.S, terms[k].atoms});
  }
  ScatteringTable combined;
  combined.x = first.x;
  if (Status status = rule::CombineColumns(columns, combined); !status.ok()) return status;
  return combined;
}

Result<ScatteringTable> CombineComposition(const Composition& composition,
                                           const ElementTables& tableOf) {
  std::vector<ScatteringTable> tables;
  tables.reserve(composition.atoms.size());
  for (const AtomCount& count : composition.atoms) {
    Result<ScatteringTable> table = tableOf(count.Z);
    if (!table) return table.status();
    tables.push_back(std::move(*table));
  }
  std::vector<TableTerm> terms;
  for (std::size_t k = 0; k < tables.size(); ++k) {
    terms.push_back({&tables[k], composition.atoms[k].atoms});
  }
  return CombineTables(terms);
}

}  // namespace xscatter
