#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xscatter/Combination.h"
#include "xscatter/Composition.h"
#include "xscatter/Elements.h"
#include "xscatter/ScatteringTable.h"
#include "xscatter/TableStore.h"

namespace xscatter {

enum class MaterialKind { Compound, Mixture };

// One element of a material, as an editor's row or a command line's SYMBOL:... gives it.
struct Component {
  std::string element;      // the element table's file name in the element folder ("Fe.xfs")
  double amount = 0;        // atoms per formula unit in a compound, weight per cent in a mixture
  double atomicWeight = 0;  // a mixture's only
};

// A compound or a mixture as an editor or SYMBOL:... terms give it, element by element; its
// components stand in element slots 1, 2, ... in their order.
struct Recipe {
  MaterialKind kind = MaterialKind::Compound;
  std::vector<Component> components;
};

// Told of each element table as it is read, with its element slot.
using ElementRead = std::function<void(int slot, const ScatteringTable& element)>;

// Reads the components' element tables from the store's element folder, one after another in
// slot order. Fails at the first that cannot be read, and at an eleventh component, after the
// ten before it were read.
Result<std::vector<ScatteringTable>> ReadElementTables(const TableStore& store,
                                                       const Recipe& recipe,
                                                       const ElementRead& onRead = {});

// The material's table from its components' element tables, given in the same order: F and S
// by the compound or the mixture rule, x from the last element table (0 without any). Reads
// and writes nothing, and fails as the rule does.
Result<ScatteringTable> CombineMaterial(const Recipe& recipe,
                                        std::span<const ScatteringTable> elements);

// The element an element table's file is named after ("Fe.xfs" is iron); none for any other name.
const Element* ElementOfFile(std::string_view fileName);

// What the recipe's table is made of, per its unit, where each element file is named after its
// element ("Fe.xfs"): a compound per formula unit of its atoms with the standard atomic weights,
// a mixture per atom of its first element with the typed atomic weights (EditorsMixture). Fails
// for another file name and for amounts that the composition cannot take.
Result<Composition> CompositionOfRecipe(const Recipe& recipe);

// Both steps for a front end that keeps no state of its own between them. Writing the result
// is a step of its own: TableStore::SaveMaterial.
Result<ScatteringTable> MakeMaterial(const TableStore& store, const Recipe& recipe);

}  // namespace xscatter
