#include "CompoundRule.h"

#include <cmath>
#include <string>

namespace xscatter::rule {

Status CombineColumns(std::span<const ElementColumns> elements, ScatteringTable& table) {
  ScatteringTable combined = table;
  for (int row = 1; row <= kTableRows; ++row) {
    double squares = 0;
    double sum = 0;
    for (const ElementColumns& element : elements) {
      const double F = (*element.F)[row];
      squares += element.atoms * (F * F);
      sum += element.atoms * (*element.S)[row];
    }
    if (squares < 0) {
      return Status::Failed("negative sum under the square root in row " + std::to_string(row));
    }
    combined.F[row] = std::sqrt(squares);
    combined.S[row] = sum;
    if (!std::isfinite(combined.F[row]) || !std::isfinite(sum)) {
      return Status::Failed("result not finite in row " + std::to_string(row));
    }
  }
  table.F = combined.F;
  table.S = combined.S;
  return Status::Ok();
}

Status DeriveAtomRatio(std::span<const double> atomicWeights, std::span<const double> weights,
                       std::span<double> ratio) {
  if (!ratio.empty()) ratio[0] = 1;
  for (std::size_t k = 1; k < ratio.size(); ++k) {
    if (atomicWeights[k] == 0) {
      return Status::Failed("atomic weight of element " + std::to_string(k + 1) + " is 0");
    }
    if (weights[0] == 0) return Status::Failed("weight of element 1 is 0");
    ratio[k] = atomicWeights[0] / atomicWeights[k] * weights[k] / weights[0];
    if (!std::isfinite(ratio[k])) {
      return Status::Failed("atom ratio of element " + std::to_string(k + 1) + " not finite");
    }
  }
  return Status::Ok();
}

}  // namespace xscatter::rule
