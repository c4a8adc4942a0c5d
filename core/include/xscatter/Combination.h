#pragma once

#include <array>
#include <string>

#include "xscatter/ScatteringTable.h"

namespace xscatter {

inline constexpr int kElementSlots = 10;
inline constexpr int kElementSlotCount = kElementSlots + 1;  // slot 0 is never used

// One number per element slot 1 to 10 (numbers of atoms, weights, atomic weights).
using ElementNumbers = std::array<double, kElementSlotCount>;

// One element file name per element slot 1 to 10.
using ElementNames = std::array<std::string, kElementSlotCount>;

// Atoms of each element per atom of element 1, as the mixture rule derives them.
using AtomRatio = ElementNumbers;

// F and S of each element table an editor has read, by element slot and table row.
struct ElementRows {
  std::array<std::array<double, kTableSlots>, kElementSlotCount> F{};
  std::array<std::array<double, kTableSlots>, kElementSlotCount> S{};
};

// How many element slots an element count takes part: k = 1, 2, ... as long as k <= count.
// 11 for any count beyond the ten slots there are; 0 for a count below 1.
int ElementsCounted(double count);

// Compound of the counted elements with their numbers of atoms:
// F = sqrt(sum n_k F_k^2), S = sum n_k S_k, row by row. Fills F and S of rows 1 to 45 and
// leaves x alone. Fails on more than ten elements, a negative sum under the root or a
// result that is not finite.
Status CombineCompound(double count, const ElementRows& rows, const ElementNumbers& atoms,
                       ScatteringTable& table);

// Mixture of the counted elements from atomic weights A_k and weights w_k in per cent:
// n_1 = 1, n_k = (A_1 / A_k) * w_k / w_1, then combined as a compound with n_k atoms.
// Fills ratio slots 1 to N and F and S of rows 1 to 45. Fails on a division by zero, a
// negative sum under the root, a result that is not finite, or more than ten elements.
Status CombineMixture(double count, const ElementRows& rows, const ElementNumbers& atomicWeights,
                      const ElementNumbers& weights, AtomRatio& ratio, ScatteringTable& table);

}  // namespace xscatter
