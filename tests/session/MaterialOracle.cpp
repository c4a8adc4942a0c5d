#include "MaterialOracle.h"

#include <cmath>
#include <cstdlib>
#include <fstream>

namespace oracle {
namespace {

constexpr int kRows = xscatter::kTableRows;
constexpr int kSlots = xscatter::kElementSlots;

struct Row {
  double x = 0, F = 0, S = 0;
};
using ElementTable = std::array<Row, kRows>;

std::optional<std::vector<std::string>> FirstLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  for (std::string line; lines.size() < kRows && std::getline(in, line);) lines.push_back(line);
  if (lines.size() < kRows) return std::nullopt;
  return lines;
}

// The shipped files are written in the fixed columns, which strtod reads field by field.
double Field(const std::string& line, std::size_t from, std::size_t width) {
  const std::string field = line.size() > from ? line.substr(from, width) : std::string();
  return std::strtod(field.c_str(), nullptr);
}

std::optional<ElementTable> ReadElement(const std::filesystem::path& folder,
                                        const std::string& file) {
  if (file.empty()) return std::nullopt;
  const auto lines = FirstLines(folder / file);
  if (!lines) return std::nullopt;
  ElementTable table;
  for (int row = 0; row < kRows; ++row) {
    const std::string& line = (*lines)[row];
    table[row] = {Field(line, 0, 10), Field(line, 10, 12), Field(line, 22, 12)};
  }
  return table;
}

// k = 1, 2, ... as long as k <= count; no value once a slot beyond the ten is reached.
std::optional<int> CountedElements(double count) {
  int counted = 0;
  while (counted + 1 <= count) {
    if (++counted > kSlots) return std::nullopt;
  }
  return counted;
}

// Atoms per formula unit, or per atom of element 1 for a mixture; slot 0 unused.
std::optional<std::vector<double>> Amounts(Recipe recipe, int counted,
                                           const xscatter::MaterialInputs& inputs) {
  std::vector<double> amounts(counted + 1, 0.0);
  for (int k = 1; k <= counted; ++k) {
    if (recipe == Recipe::Compound) {
      amounts[k] = inputs.ElementWeights[k];
    } else if (k == 1) {
      amounts[k] = 1;
    } else {
      const double A1 = inputs.AtomicWeights[1], w1 = inputs.ElementWeights[1];
      if (inputs.AtomicWeights[k] == 0 || w1 == 0) return std::nullopt;
      amounts[k] = A1 / inputs.AtomicWeights[k] * inputs.ElementWeights[k] / w1;
    }
  }
  return amounts;
}

std::optional<MaterialLines> Combine(const std::vector<ElementTable>& elements,
                                     const std::vector<double>& amounts,
                                     const MomentumColumn& xBefore) {
  MaterialLines lines;
  for (int row = 0; row < kRows; ++row) {
    double x = xBefore[row + 1], squares = 0, S = 0;
    for (std::size_t k = 0; k < elements.size(); ++k) {
      const Row& element = elements[k][row];
      x = element.x;
      squares += amounts[k + 1] * (element.F * element.F);
      S += amounts[k + 1] * element.S;
    }
    const auto line = xscatter::FormatTableLine(x, std::sqrt(squares), S);
    if (!line) return std::nullopt;
    lines.push_back(*line + "\r\n");
  }
  return lines;
}

}  // namespace

std::optional<MaterialLines> ExpectedMaterial(Recipe recipe,
                                              const std::filesystem::path& elementFolder,
                                              const std::string& name,
                                              const xscatter::MaterialInputs& inputs,
                                              const MomentumColumn& xBefore) {
  if (name.find('/') != std::string::npos) return std::nullopt;
  const auto counted = CountedElements(inputs.ElementCount);
  if (!counted) return std::nullopt;
  std::vector<ElementTable> elements;
  for (int k = 1; k <= *counted; ++k) {
    auto element = ReadElement(elementFolder, inputs.ElementFiles[k]);
    if (!element) return std::nullopt;
    elements.push_back(*element);
  }
  const auto amounts = Amounts(recipe, *counted, inputs);
  if (!amounts) return std::nullopt;
  return Combine(elements, *amounts, xBefore);
}

bool Loadable(const std::filesystem::path& file) {
  return FirstLines(file).has_value();
}

}  // namespace oracle
