#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "xscatter/Composition.h"
#include "xscatter/Status.h"

namespace xscatter {

// A material of known composition by mass: NIST's list of about 180 (water, air, ICRU and ICRP
// tissues and bone, plastics, glasses, concrete, scintillators, ...). Built into the library.
struct ReferenceMaterial {
  std::string_view id;    // short, lower case, unique: "water-liquid", "bone-cortical-icrp"
  std::string_view name;  // the source's full name: "Water, Liquid", "Bone, Cortical (ICRP)"
  double density = 0;     // g/cm³
  std::vector<MassFraction> massFractions;  // by element, summing to 1
};

// All of them, in the source's order.
std::span<const ReferenceMaterial> ReferenceMaterials();

// The material with this id, or failing that with exactly this full name; none otherwise.
const ReferenceMaterial* FindReferenceMaterial(std::string_view idOrName);

// Where the materials come from, in a few lines of text.
std::string_view ReferenceMaterialsSource();

// One mean atom of the material (see CompositionOfMassFractions), named by its full name.
Result<Composition> CompositionOf(const ReferenceMaterial& material);

}  // namespace xscatter
