#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <tuple>

#include "Interpolation.h"
#include "MaterialFile.h"
#include "Workspace.h"

using namespace xscatter;

namespace {

// Strictly increasing x and positive F and S, different in every row.
ScatteringTable SampleTable(double scale = 1) {
  ScatteringTable table;
  for (int row = 1; row <= kTableRows; ++row) {
    table.x[row] = 0.005 * row * row;
    table.F[row] = scale * (20.0 / row + 0.25);
    table.S[row] = scale * (0.3 * row + 0.01);
  }
  return table;
}

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

std::tuple<double, double, double> Fields(std::string_view line) {
  const TableRow row = ParseTableLine(line);
  return {row.x, row.F, row.S};
}

}  // namespace

TEST(TableLine, FixedColumnsAndLenientNumbers) {
  const auto line = FormatTableLine(0.005, 12.345, 0);
  EXPECT_EQ(line, "  .500E-02  .12345E+02  .00000E+00");
  EXPECT_EQ(Fields(*line), std::make_tuple(0.005, 12.345, 0.0));
  EXPECT_EQ(Fields("0.005     12.345      0.0"), Fields(*line));
  EXPECT_EQ(FormatTableLine(0.25, 9.99996, 1e-99), "  .250E+00  .10000E+02  .10000E-98");
  // Negative, not finite, or an exponent of three digits, also one reached by rounding up.
  const double unfit[][3] = {
      {-0.005, 1, 1}, {0.005, INFINITY, 1}, {0.005, 1, NAN}, {1e-120, 1, 1}, {1, 9.999996e98, 1}};
  for (const auto& [x, F, S] : unfit) EXPECT_FALSE(FormatTableLine(x, F, S)) << x << " " << F;
  // The lenient number rule: E or D exponent, blanks anywhere, the longest leading number.
  // clang-format off
  const std::pair<const char*, double> numbers[] = {
      {"5.0E-03", 0.005}, {"5.000d-03", 0.005}, {" -1 2\t.5\n", -12.5}, {".5", 0.5},
      {"1.5e", 1.5}, {"12abc", 12}, {"1,5", 1}, {"", 0}, {"abc", 0}, {"e5", 0}, {"1e-999", 0}};
  // clang-format on
  for (const auto& [text, value] : numbers) EXPECT_EQ(LenientNumber(text), value) << text;
  EXPECT_FALSE(LenientNumber("1e999"));
  EXPECT_FALSE(LenientNumber("-0.0001e99999999999999999999"));
  EXPECT_EQ(Fields("  1e999   5.000D-03"), std::make_tuple(0.0, 0.005, 0.0));
}

TEST(TableFile, WritesAtomicallyAndReadsBack) {
  Workspace ws({});
  const auto path = ws.materialFolder() / "t.xfs";
  ScatteringTable table = SampleTable(), read;
  table.x[1] = 0.01234;
  ASSERT_TRUE(WriteTableFile(path, table).ok());
  const std::string bytes = FileBytes(path);
  EXPECT_EQ(bytes.size(), 45u * 36u);
  EXPECT_EQ(bytes.substr(34, 2), "\r\n");
  TableLines lines;
  ASSERT_TRUE(ReadTableFile(path, read, lines).ok());
  EXPECT_EQ(read.x[1], 0.0123);
  EXPECT_EQ(lines[1], bytes.substr(0, 34));
  EXPECT_FALSE(WriteTableFile(path, SampleTable(), [](int row) { return row < 20; }).ok());
  table.S[45] = -1;
  EXPECT_FALSE(WriteTableFile(path, table).ok());
  EXPECT_EQ(FileBytes(path), bytes);
  const std::filesystem::directory_iterator entries(ws.materialFolder());
  EXPECT_EQ(std::distance(begin(entries), end(entries)), 1) << "a temporary file is left";
  // Reading LF lines; a failed read keeps the old table and lines.
  const auto lf = ws.root() / "lf";
  for (int k = 0; k < 44; ++k) std::ofstream(lf, std::ios::app) << "1 2 3\n";
  lines[1] = "kept";
  EXPECT_EQ(ReadTableFile(lf, read, lines).error, "lf: only 44 lines");
  EXPECT_EQ(ReadTableFile(ws.root() / "no", read, lines).error, "no: cannot be opened");
  EXPECT_EQ(std::tie(read.x[1], lines[1]), std::make_tuple(0.0123, "kept"));
  std::ofstream(lf, std::ios::app) << "4\nline 46\n";
  ASSERT_TRUE(ReadTableFile(lf, read, lines).ok());
  EXPECT_EQ(std::tie(lines[44], read.x[45]), std::make_tuple("1 2 3", 4.0));
}

TEST(Interpolation, ExactMatchIsTheRowAndLogMidpointTheGeometricMean) {
  ScatteringTable table = SampleTable();
  table.F[1] = 0;
  for (int row = 2; row <= kTableRows; ++row) {
    const FunctionValues v = InterpolateAt(table, table.x[row]).value();
    EXPECT_EQ(std::tie(v.F, v.S), std::tie(table.F[row], table.S[row])) << row;
  }
  const auto mid = InterpolateAt(table, std::sqrt(table.x[9] * table.x[10]));
  EXPECT_DOUBLE_EQ(mid->F, std::sqrt(table.F[9] * table.F[10]));
  EXPECT_DOUBLE_EQ(mid->S, std::sqrt(table.S[9] * table.S[10]));
}

TEST(Interpolation, FollowsTheLogLogLineInsideAndBelowTheTable) {
  const ScatteringTable t = SampleTable();
  for (int i = 2; i <= kTableRows; ++i) {
    for (double fraction : {-0.7, 0.1, 0.93}) {
      if (fraction < 0 && i > 2) continue;  // below the table only rows 1 and 2 take part
      const double x = t.x[i - 1] * std::pow(t.x[i] / t.x[i - 1], fraction);
      const double a = std::log(t.x[i - 1]), b = std::log(t.x[i]);
      const auto line = [&](const auto& g) {  // straight in the (ln x, ln g) plane
        const double g0 = std::log(g[i - 1]), g1 = std::log(g[i]);
        return std::exp(g1 - (g1 - g0) * (b - std::log(x)) / (b - a));
      };
      const FunctionValues v = InterpolateAt(t, x).value();
      EXPECT_NEAR(v.F, line(t.F), 1e-14 * v.F) << x;
      EXPECT_NEAR(v.S, line(t.S), 1e-14 * v.S) << x;
    }
  }
}

TEST(Interpolation, NoValueCasesFindRowAboveAndScreenFormats) {
  ScatteringTable table = SampleTable();
  EXPECT_FALSE(InterpolateAt(table, table.x[45] * 1.01));
  EXPECT_FALSE(InterpolateAt(table, 0));
  table.S[4] = 0;
  EXPECT_FALSE(InterpolateAt(table, (table.x[4] + table.x[5]) / 2));
  table.F[2] = 1e-100;
  EXPECT_FALSE(InterpolateAt(table, 1e-6)) << "extrapolated to infinity";
  EXPECT_EQ(FindRowAbove(table, table.x[7]), 8);
  EXPECT_EQ(FindRowAbove(table, std::nextafter(table.x[7], 0.0)), 7);
  EXPECT_FALSE(FindRowAbove(table, table.x[45]));
  EXPECT_EQ(FormatMomentum(0.005), "5.00E-03");
  EXPECT_EQ(FormatMomentum(-0.0), "0.00E+00");
  EXPECT_EQ(FormatFunctionValue(12.345), "1.2345E+01");
  EXPECT_EQ(FormatFunctionValue(0.000123456), "1.2346E-04");
}

#if defined(__x86_64__)
#include <cpuid.h>

// With the AVX registers' upper halves in use, many CPUs pay a state switch at every log and
// exp; the functions that call them must clear that state first, whatever ran before. One
// 256-bit instruction makes the halves dirty, as Qt's AVX routines can leave them, and nonzero,
// since some CPUs count halves of zeros as clean; bit 2 of XINUSE (XGETBV, ECX = 1) tells.
TEST(Interpolation, LogarithmsStartFromCleanUpperVectorHalves) {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (!__builtin_cpu_supports("avx") || !__get_cpuid_count(0xD, 1, &a, &b, &c, &d) || !(a & 4))
    GTEST_SKIP() << "the CPU does not tell the state";
  const auto inUseAfter = [](auto call) {
    __asm__ volatile("vcmptrueps %%ymm15, %%ymm15, %%ymm15" ::: "xmm15");
    call();
    unsigned low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & 4) != 0;
  };
  ASSERT_TRUE(inUseAfter([] {}));
  const ScatteringTable table = SampleTable();
  EXPECT_FALSE(inUseAfter([&] { InterpolateAt(table, 0.3); }));
  EXPECT_FALSE(inUseAfter([] { GraphCoordinate(2.0); }));
  EXPECT_FALSE(inUseAfter([] { MomentumFromGraph(2.0); }));
}
#endif

TEST(Combination, CompoundAndMixtureWorkedExamples) {
  ElementRows rows;
  const double f[] = {1, 8, 100}, s[] = {0.5, 1.2, 100};
  for (int k = 1; k <= 3; ++k) {
    rows.F[k].fill(f[k - 1]);
    rows.S[k].fill(s[k - 1]);
  }
  ScatteringTable table;
  ASSERT_TRUE(CombineCompound(2.5, rows, {0, 2, 1, 7}, table).ok()) << "2.5 counts as 2";
  EXPECT_EQ(std::tie(table.F[7], table.S[7]), std::make_tuple(std::sqrt(66.0), 2.2));
  rows.S[1].fill(0.2);
  AtomRatio ratio{};
  ASSERT_TRUE(CombineMixture(2, rows, {0, 1, 2}, {0, 50, 50}, ratio, table).ok());
  EXPECT_EQ(std::tie(ratio[2], table.F[7], table.S[7]), std::make_tuple(0.5, std::sqrt(33.0), 0.8));
  ScatteringTable scaled;
  ASSERT_TRUE(CombineMixture(2, rows, {0, 1, 2}, {0, 3, 7}, ratio, scaled).ok());
  ASSERT_TRUE(CombineMixture(2, rows, {0, 1, 2}, {0, 30, 70}, ratio, table).ok());
  EXPECT_EQ(scaled.F, table.F);
  // Division by zero twice, a negative sum under the root, more than ten elements.
  const ElementNumbers ones{0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  const std::tuple<double, ElementNumbers, ElementNumbers> failures[] = {
      {2, {0, 1, 0}, {0, 50, 50}},
      {2, {0, 1, 2}, {0, 0, 50}},
      {2, {0, 1, 2}, {0, 50, -500}},
      {11, ones, ones}};
  for (const auto& [count, atomic, weights] : failures) {
    SCOPED_TRACE(testing::Message() << atomic[2] << " " << weights[1] << " " << weights[2]);
    AtomRatio kept{9, 9, 9};
    scaled = table;
    EXPECT_FALSE(CombineMixture(count, rows, atomic, weights, kept, scaled).ok());
    EXPECT_EQ(scaled.F, table.F);
    EXPECT_EQ(kept, (AtomRatio{9, 9, 9}));
  }
}

TEST(MaterialFile, CreationWritesTheCombinedRowsOrNothing) {
  Workspace ws({});
  ASSERT_TRUE(WriteTableFile(ws.elementFolder() / "A.xfs", SampleTable()).ok());
  ASSERT_TRUE(WriteTableFile(ws.elementFolder() / "B.xfs", SampleTable(2)).ok());
  MaterialInputs inputs;
  inputs.ElementCount = 2;
  inputs.ElementFiles = {"", "A.xfs", "B.xfs"};
  inputs.ElementWeights = {0, 2, 1};
  ScatteringTable table, read;
  TableLines lines;
  EXPECT_FALSE(CreateCompoundFile(ws.root(), "../w", inputs, {table, lines}).ok());
  inputs.ElementFiles[1] = "../XFS-data/A.xfs";
  EXPECT_FALSE(CreateCompoundFile(ws.root(), "w", inputs, {table, lines}).ok());
  EXPECT_TRUE(std::filesystem::is_empty(ws.materialFolder()));
  inputs.ElementFiles[1] = "A.xfs";
  ASSERT_TRUE(CreateCompoundFile(ws.root(), "w", inputs, {table, lines}).ok());
  ASSERT_TRUE(ReadTableFile(ws.materialFolder() / "w.xfs", read, lines).ok());
  EXPECT_EQ(read.x[2], 0.02);
  for (int row = 1; row <= kTableRows; ++row) {
    EXPECT_NEAR(read.F[row], std::sqrt(6.0) * SampleTable().F[row], 1e-4 * read.F[row]) << row;
    EXPECT_NEAR(read.S[row], 4 * SampleTable().S[row], 1e-4 * read.S[row]) << row;
  }
}
