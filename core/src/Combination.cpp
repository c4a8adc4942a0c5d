#include "xscatter/Combination.h"

#include <cmath>

namespace xscatter {
namespace {

// F = sqrt(sum n_k F_k^2) and S = sum n_k S_k over elements 1 to count, row by row, into a
// copy so that a failure leaves the table as it was.
Status CombineRows(int count, const ElementRows& rows, const ElementNumbers& atoms,
                   ScatteringTable& table) {
  ScatteringTable combined = table;
  for (int row = 1; row <= kTableRows; ++row) {
    double squares = 0;
    double sum = 0;
    for (int k = 1; k <= count; ++k) {
      squares += atoms[k] * (rows.F[k][row] * rows.F[k][row]);
      sum += atoms[k] * rows.S[k][row];
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

Status CheckSlots(int count) {
  if (count > kElementSlots) return Status::Failed("more than ten elements");
  return Status::Ok();
}

// Atoms of each element per atom of element 1: n_k = (A_1 / A_k) * w_k / w_1, in this order.
Status DeriveAtomRatio(int count, const ElementNumbers& atomicWeights,
                       const ElementNumbers& weights, AtomRatio& ratio) {
  if (count >= 1) ratio[1] = 1;
  for (int k = 2; k <= count; ++k) {
    if (atomicWeights[k] == 0) {
      return Status::Failed("atomic weight of element " + std::to_string(k) + " is 0");
    }
    if (weights[1] == 0) return Status::Failed("weight of element 1 is 0");
    ratio[k] = atomicWeights[1] / atomicWeights[k] * weights[k] / weights[1];
    if (!std::isfinite(ratio[k])) {
      return Status::Failed("atom ratio of element " + std::to_string(k) + " not finite");
    }
  }
  return Status::Ok();
}

}  // namespace

int ElementsCounted(double count) {
  // Anything beyond the slots is reported as one more than there are, which keeps huge counts
  // inside an int.
  if (!(count >= 1)) return 0;
  if (count >= kElementSlotCount) return kElementSlotCount;
  return static_cast<int>(count);
}

Status CombineCompound(double count, const ElementRows& rows, const ElementNumbers& atoms,
                       ScatteringTable& table) {
  const int counted = ElementsCounted(count);
  if (Status slots = CheckSlots(counted); !slots.ok()) return slots;
  return CombineRows(counted, rows, atoms, table);
}

Status CombineMixture(double count, const ElementRows& rows, const ElementNumbers& atomicWeights,
                      const ElementNumbers& weights, AtomRatio& ratio, ScatteringTable& table) {
  const int counted = ElementsCounted(count);
  if (Status slots = CheckSlots(counted); !slots.ok()) return slots;
  AtomRatio derived = ratio;
  if (Status status = DeriveAtomRatio(counted, atomicWeights, weights, derived); !status.ok()) {
    return status;
  }
  if (Status status = CombineRows(counted, rows, derived, table); !status.ok()) return status;
  ratio = derived;
  return Status::Ok();
}

}  // namespace xscatter
