#include <gtest/gtest.h>

#include <cmath>

#include "Combination.h"

using namespace xscatter;

namespace {

constexpr int kRow = 7;

// Element k has F = f[k] and S = s[k] in row 7 and F = S = 1 elsewhere.
ElementRows RowsWith(std::initializer_list<double> f, std::initializer_list<double> s) {
  ElementRows rows;
  for (auto& element : rows.F) element.fill(1);
  for (auto& element : rows.S) element.fill(1);
  int k = 1;
  for (double value : f) rows.F[k++][kRow] = value;
  k = 1;
  for (double value : s) rows.S[k++][kRow] = value;
  return rows;
}

std::string WrittenFS(const ScatteringTable& table) {
  return FormatTableLine(0, table.F[kRow], table.S[kRow])->substr(10);
}

}  // namespace

TEST(Combination, ElementsCountedTakesTheWholePart) {
  EXPECT_EQ(ElementsCounted(2.5), 2);
  EXPECT_EQ(ElementsCounted(0.99), 0);
  EXPECT_EQ(ElementsCounted(-3), 0);
  EXPECT_EQ(ElementsCounted(std::nan("")), 0);
  EXPECT_EQ(ElementsCounted(10), 10);
  EXPECT_GT(ElementsCounted(1e300), kElementSlots);
}

TEST(Combination, CompoundWeighsSquaresAndSumsByAtoms) {
  const ElementRows rows = RowsWith({1, 8, 100}, {0.5, 1.2, 100});
  ScatteringTable table;
  table.x[kRow] = 0.25;
  ASSERT_TRUE(CombineCompound(2.5, rows, {0, 2, 1, 7}, table).ok());
  EXPECT_EQ(WrittenFS(table), "  .81240E+01  .22000E+01");
  EXPECT_DOUBLE_EQ(table.F[kRow], std::sqrt(66.0));
  EXPECT_EQ(table.x[kRow], 0.25);
  ASSERT_TRUE(CombineCompound(2, RowsWith({-3}, {-0.5}), {0, 1}, table).ok());
  EXPECT_EQ(table.F[kRow], 3);
  EXPECT_EQ(table.S[kRow], -0.5) << "S keeps its sign, F loses it";
  ASSERT_TRUE(CombineCompound(0, rows, {0, 2, 1}, table).ok());
  EXPECT_EQ(table.F, ScatteringTable{}.F);
  EXPECT_EQ(table.S, ScatteringTable{}.S);
}

TEST(Combination, MixtureDerivesAtomRatiosFromWeights) {
  const ElementRows rows = RowsWith({1, 8}, {0.2, 1.2});
  ScatteringTable table;
  AtomRatio ratio{};
  ASSERT_TRUE(CombineMixture(2.7, rows, {0, 1, 2}, {0, 50, 50}, ratio, table).ok());
  EXPECT_EQ(ratio[1], 1);
  EXPECT_EQ(ratio[2], 0.5);
  EXPECT_EQ(WrittenFS(table), "  .57446E+01  .80000E+00");
  ScatteringTable scaled;
  ASSERT_TRUE(CombineMixture(2, rows, {0, 1, 2}, {0, 3, 7}, ratio, scaled).ok());
  ASSERT_TRUE(CombineMixture(2, rows, {0, 1, 2}, {0, 30, 70}, ratio, table).ok());
  EXPECT_EQ(scaled.F, table.F);
  ASSERT_TRUE(CombineMixture(1, rows, {}, {}, ratio, table).ok()) << "one element needs no ratio";
  EXPECT_EQ(table.S[kRow], 0.2);
}

TEST(Combination, FailuresLeaveTableAndRatioUntouched) {
  const ElementRows rows = RowsWith({1, 8}, {0.2, 1.2});
  ScatteringTable before;
  before.F.fill(42);
  const AtomRatio ratioBefore{9, 9, 9};
  const auto mixtureFails = [&](double count, const ElementNumbers& atomic,
                                const ElementNumbers& weights) {
    ScatteringTable table = before;
    AtomRatio ratio = ratioBefore;
    const Status status = CombineMixture(count, rows, atomic, weights, ratio, table);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(table.F, before.F);
    EXPECT_EQ(ratio, ratioBefore);
  };
  mixtureFails(2, {0, 1, 0}, {0, 50, 50});         // atomic weight 0
  mixtureFails(2, {0, 1, 2}, {0, 0, 50});          // first weight 0
  mixtureFails(2, {0, 1, 2}, {0, 50, -500});       // negative sum under the root
  mixtureFails(2, {0, 1e300, 1e-300}, {0, 1, 1});  // ratio overflows
  mixtureFails(11, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  ScatteringTable table = before;
  EXPECT_FALSE(CombineCompound(1, RowsWith({1e200}, {1}), {0, 1}, table).ok());
  EXPECT_FALSE(CombineCompound(2, rows, {0, 1, -1}, table).ok());
  EXPECT_EQ(table.F, before.F);
}
