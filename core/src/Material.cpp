#include "xscatter/Material.h"

#include <algorithm>
#include <cmath>

namespace xscatter {
namespace {

Status TooManyElements() {
  return Status::Failed("more than ten elements");
}

}  // namespace

const Element* ElementOfFile(std::string_view fileName) {
  return fileName.ends_with(kTableExtension) ? FindElement(DisplayName(fileName)) : nullptr;
}

Result<std::vector<ScatteringTable>> ReadElementTables(const TableStore& store,
                                                       const Recipe& recipe,
                                                       const ElementRead& onRead) {
  std::vector<ScatteringTable> elements;
  for (const Component& component : recipe.components) {
    const int slot = static_cast<int>(elements.size()) + 1;
    if (slot > kElementSlots) return TooManyElements();
    auto element = store.OpenElement(component.element);
    if (!element) return Status::Failed("element " + std::to_string(slot) + ": " + element.error());
    if (onRead) onRead(slot, element->table);
    elements.push_back(element->table);
  }
  return elements;
}

Result<ScatteringTable> CombineMaterial(const Recipe& recipe,
                                        std::span<const ScatteringTable> elements) {
  const std::vector<Component>& components = recipe.components;
  if (components.size() > kElementSlots) return TooManyElements();
  if (elements.size() != components.size()) {
    return Status::Failed("not one element table for each element");
  }
  ElementRows rows;
  ElementNumbers amounts{}, atomicWeights{};
  for (std::size_t k = 0; k < components.size(); ++k) {
    rows.F[k + 1] = elements[k].F;
    rows.S[k + 1] = elements[k].S;
    amounts[k + 1] = components[k].amount;
    atomicWeights[k + 1] = components[k].atomicWeight;
  }
  ScatteringTable table;
  if (!elements.empty()) table.x = elements.back().x;
  const double count = static_cast<double>(components.size());
  AtomRatio ratio{};
  const Status combined = recipe.kind == MaterialKind::Compound
                              ? CombineCompound(count, rows, amounts, table)
                              : CombineMixture(count, rows, atomicWeights, amounts, ratio, table);
  if (!combined.ok()) return combined;
  return table;
}

Result<Composition> CompositionOfRecipe(const Recipe& recipe) {
  std::vector<AtomCount> atoms;
  std::vector<TypedMixtureElement> mixture;
  for (const Component& component : recipe.components) {
    const Element* element = ElementOfFile(component.element);
    if (!element) return Status::Failed(Quoted(component.element) + " is named after no element");
    atoms.push_back({element->Z, component.amount});
    mixture.push_back({element->Z, component.atomicWeight, component.amount});
  }
  auto composition =
      recipe.kind == MaterialKind::Compound ? CompositionOfAtoms(atoms) : EditorsMixture(mixture);
  // The editors' rule takes any typed numbers; amounts of no physical meaning give no unit.
  if (composition && !(composition->molarMass > 0 && std::isfinite(composition->molarMass) &&
                       std::ranges::all_of(composition->atoms, [](const AtomCount& count) {
                         return count.atoms > 0 && std::isfinite(count.atoms);
                       }))) {
    return Status::Failed("the amounts give no positive number of atoms and molar mass");
  }
  return composition;
}

Result<ScatteringTable> MakeMaterial(const TableStore& store, const Recipe& recipe) {
  const auto elements = ReadElementTables(store, recipe);
  if (!elements) return elements.status();
  return CombineMaterial(recipe, *elements);
}

}  // namespace xscatter
