#pragma once

#include <array>
#include <span>

#include "xscatter/ScatteringTable.h"

// The arithmetic of the combination rules, shared by the editors' ten element slots and by
// compositions of any size, so that both give the same numbers to the last bit.
namespace xscatter::rule {

// The F and S columns of one element's table, with its number of atoms per unit.
struct ElementColumns {
  const std::array<double, kTableSlots>* F = nullptr;
  const std::array<double, kTableSlots>* S = nullptr;
  double atoms = 0;
};

// F = sqrt(sum n_k F_k^2) and S = sum n_k S_k over the elements in order, row by row, into F and
// S of rows 1 to 45; a failure leaves the table as it was.
Status CombineColumns(std::span<const ElementColumns> elements, ScatteringTable& table);

// Atoms of each element per atom of the first from atomic weights A_k and weights w_k:
// n_1 = 1, n_k = (A_1 / A_k) * w_k / w_1, in this order; elements are numbered from 1 in the
// reasons. The three spans have one entry per element.
Status DeriveAtomRatio(std::span<const double> atomicWeights, std::span<const double> weights,
                       std::span<double> ratio);

}  // namespace xscatter::rule
