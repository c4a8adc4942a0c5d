#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Interpolation.h"
#include "SampleTables.h"

using namespace xscatter;

namespace {

using Column = std::array<double, kTableSlots>;

// The interpolation formula as written: a straight line in the (ln x, ln g) plane.
double LogLogLine(const Column& xs, const Column& g, int i, double x) {
  const double a = std::log(xs[i - 1]), b = std::log(xs[i]), t = std::log(x);
  const double g0 = std::log(g[i - 1]), g1 = std::log(g[i]);
  return std::exp(g1 - (g1 - g0) * (b - t) / (b - a));
}

void ExpectCloseInUlps(double actual, double expected) {
  EXPECT_LE(std::abs(actual - expected), 16 * std::numeric_limits<double>::epsilon() * expected)
      << actual << " vs " << expected;
}

}  // namespace

TEST(Interpolation, TypedRangeIncludesBothLimits) {
  EXPECT_TRUE(IsTypedMomentumInRange(0.005));
  EXPECT_TRUE(IsTypedMomentumInRange(1000));
  EXPECT_FALSE(IsTypedMomentumInRange(0.00499));
  EXPECT_FALSE(IsTypedMomentumInRange(1000.01));
  for (const char* text : {"", "abc", "-1"}) {
    EXPECT_FALSE(IsTypedMomentumInRange(*LenientNumber(text))) << text;
  }
}

TEST(Interpolation, ExactMatchGivesTheRowItself) {
  ScatteringTable table = SampleTable();
  table.F[1] = 0;  // row 1 takes part in every x up to x(2), but must not spoil x(2) itself
  for (int row = 2; row <= kTableRows; ++row) {
    const auto values = InterpolateAt(table, table.x[row]);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->F, table.F[row]);
    EXPECT_EQ(values->S, table.S[row]);
  }
}

TEST(Interpolation, FollowsTheLogLogLineInsideAndBelowTheTable) {
  const ScatteringTable table = SampleTable();
  const auto midpoint = InterpolateAt(table, std::sqrt(table.x[9] * table.x[10]));
  EXPECT_DOUBLE_EQ(midpoint->F, std::sqrt(table.F[9] * table.F[10]));
  EXPECT_DOUBLE_EQ(midpoint->S, std::sqrt(table.S[9] * table.S[10]));
  for (int row = 2; row <= kTableRows; ++row) {
    for (double fraction : {-0.7, 0.1, 0.5, 0.93}) {
      if (fraction < 0 && row > 2) continue;  // below the table only rows 1 and 2 take part
      const double x = table.x[row - 1] * std::pow(table.x[row] / table.x[row - 1], fraction);
      const auto values = InterpolateAt(table, x);
      ASSERT_TRUE(values) << x;
      ExpectCloseInUlps(values->F, LogLogLine(table.x, table.F, row, x));
      ExpectCloseInUlps(values->S, LogLogLine(table.x, table.S, row, x));
    }
  }
}

TEST(Interpolation, NoValueWithoutBracketOrLogarithm) {
  const ScatteringTable sample = SampleTable();
  EXPECT_FALSE(InterpolateAt(sample, sample.x[45] * 1.01));
  EXPECT_FALSE(InterpolateAt(ScatteringTable{}, 0.5));
  EXPECT_FALSE(InterpolateAt(sample, 0));
  EXPECT_FALSE(InterpolateAt(sample, -1));
  ScatteringTable zeroS = sample;
  zeroS.S[4] = 0;
  EXPECT_FALSE(InterpolateAt(zeroS, (sample.x[4] + sample.x[5]) / 2));
  ScatteringTable equalX = sample;
  equalX.x[1] = equalX.x[2];
  EXPECT_FALSE(InterpolateAt(equalX, equalX.x[1] / 2));
  ScatteringTable steep = sample;
  steep.F[1] = 1e100;
  steep.F[2] = 1e-100;
  EXPECT_FALSE(InterpolateAt(steep, 1e-6)) << "an infinite extrapolation has no value";
}

TEST(Interpolation, FindRowAboveSkipsAnEqualRow) {
  const ScatteringTable table = SampleTable();
  EXPECT_EQ(FindRowAbove(table, table.x[7]), 8);
  EXPECT_EQ(FindRowAbove(table, std::nextafter(table.x[7], 0.0)), 7);
  EXPECT_EQ(FindRowAbove(table, 0), 1);
  EXPECT_FALSE(FindRowAbove(table, table.x[45]));
}

TEST(Interpolation, GraphCoordinatesAreScaledLogarithms) {
  EXPECT_EQ(GraphCoordinate(0.001), 0);
  EXPECT_FALSE(GraphCoordinate(0));
  EXPECT_FALSE(GraphCoordinate(-2));
  EXPECT_DOUBLE_EQ(MomentumFromGraph(std::log(1000.0)), 1);
  EXPECT_NEAR(MomentumFromGraph(13.8), 984.6, 0.05);
}

TEST(Interpolation, ScreenFormats) {
  EXPECT_EQ(FormatMomentum(0.005), "5.00E-03");
  EXPECT_EQ(FormatMomentum(1000), "1.00E+03");
  EXPECT_EQ(FormatMomentum(0.25), "2.50E-01");
  EXPECT_EQ(FormatMomentum(0), "0.00E+00");
  EXPECT_EQ(FormatMomentum(-0.0), "0.00E+00");
  EXPECT_EQ(FormatFunctionValue(12.345), "1.2345E+01");
  EXPECT_EQ(FormatFunctionValue(0.000123456), "1.2346E-04");
  EXPECT_EQ(FormatFunctionValue(-9.99996e-100), "-1.0000E-99");
  EXPECT_EQ(FormatFunctionValue(1e123), "1.0000E+123");
}
