#include "xscatter/ReferenceMaterials.h"

#include <algorithm>
#include <string>

#include "DataText.h"
#include "EmbeddedData.h"
#include "xscatter/Elements.h"

namespace xscatter {
namespace {

struct MaterialTable {
  std::string source;
  std::vector<ReferenceMaterial> materials;
};

// "H:0.111894 O:0.888106"; none when a pair does not read.
std::optional<std::vector<MassFraction>> ReadFractions(std::string_view text) {
  const auto numbers = ElementNumbers(text);
  if (!numbers) return std::nullopt;
  std::vector<MassFraction> fractions;
  for (const auto& [Z, fraction] : *numbers) fractions.push_back({Z, fraction});
  return fractions;
}

void AddMaterial(MaterialTable& table, const std::vector<std::string_view>& fields) {
  if (fields.size() != 4) return;
  const auto density = DataNumber(fields[2]);
  auto fractions = ReadFractions(fields[3]);
  if (!density || !fractions) return;
  table.materials.push_back({fields[0], fields[1], *density, std::move(*fractions)});
}

const MaterialTable& Table() {
  static const MaterialTable table =
      ReadDataTable<MaterialTable>(embedded::ReferenceMaterialsText(), AddMaterial);
  return table;
}

}  // namespace

std::span<const ReferenceMaterial> ReferenceMaterials() {
  return Table().materials;
}

const ReferenceMaterial* FindReferenceMaterial(std::string_view idOrName) {
  const auto& materials = Table().materials;
  for (auto field : {&ReferenceMaterial::id, &ReferenceMaterial::name}) {
    const auto it = std::find_if(materials.begin(), materials.end(),
                                 [&](const ReferenceMaterial& m) { return m.*field == idOrName; });
    if (it != materials.end()) return &*it;
  }
  return nullptr;
}

std::string_view ReferenceMaterialsSource() {
  return Table().source;
}

Result<Composition> CompositionOf(const ReferenceMaterial& material) {
  return CompositionOfMassFractions(material.name, material.massFractions);
}

}  // namespace xscatter
