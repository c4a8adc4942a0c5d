#pragma once

#include <string_view>

// The data files built into the library, byte for byte (sources made by core/EmbedData.cmake).
namespace xscatter::embedded {

std::string_view ElementsText();            // data/elements.tsv
std::string_view ReferenceMaterialsText();  // data/reference-materials.tsv

}  // namespace xscatter::embedded
