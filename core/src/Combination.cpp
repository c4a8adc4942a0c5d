#include "xscatter/Combination.h"

#include <span>

#include "CompoundRule.h"

namespace xscatter {
namespace {

// Elements 1 to count of the slots, for the shared rule.
Status CombineRows(int count, const ElementRows& rows, const ElementNumbers& atoms,
                   ScatteringTable& table) {
  std::array<rule::ElementColumns, kElementSlots> elements;
  for (int k = 1; k <= count; ++k) elements[k - 1] = {&rows.F[k], &rows.S[k], atoms[k]};
  return rule::CombineColumns(std::span(elements).first(count), table);
}

Status CheckSlots(int count) {
  if (count > kElementSlots) return Status::Failed("more than ten elements");
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
  const auto slots = [counted](auto& numbers) { return std::span(numbers).subspan(1, counted); };
  if (Status status = rule::DeriveAtomRatio(slots(atomicWeights), slots(weights), slots(derived));
      !status.ok()) {
    return status;
  }
  if (Status status = CombineRows(counted, rows, derived, table); !status.ok()) return status;
  ratio = derived;
  return Status::Ok();
}

}  // namespace xscatter
