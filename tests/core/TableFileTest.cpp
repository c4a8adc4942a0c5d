#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "SampleTables.h"
#include "ScatteringTable.h"
#include "Workspace.h"

using namespace xscatter;

namespace {

const std::string kLine = "1         2           3";

std::string Lines(int count, const std::string& end) {
  std::string text;
  for (int k = 0; k < count; ++k) text += kLine + end;
  return text;
}

std::tuple<double, double, double> Fields(std::string_view line) {
  const TableRow row = ParseTableLine(line);
  return {row.x, row.F, row.S};
}

}  // namespace

TEST(TableLine, WritesFixedColumnsThatReadBack) {
  EXPECT_EQ(FormatTableLine(0.005, 12.345, 0), "  .500E-02  .12345E+02  .00000E+00");
  EXPECT_EQ(FormatTableLine(0.25, 9.99996, 1e-99), "  .250E+00  .10000E+02  .10000E-98");
  EXPECT_EQ(FormatTableLine(1000, 9.9999e98, -0.0), "  .100E+04  .99999E+99  .00000E+00");
  EXPECT_EQ(Fields(*FormatTableLine(0.005, 12.345, 0)), std::make_tuple(0.005, 12.345, 0.0));
  EXPECT_EQ(Fields("0.005     12.345      0.0         trailing 99"),
            std::make_tuple(0.005, 12.345, 0.0));
  EXPECT_EQ(Fields("5.000D-03 1.5"), std::make_tuple(0.005, 1.5, 0.0));
  EXPECT_EQ(ParseTableLine("  1e999   ").x, 0);
}

TEST(TableLine, RefusesValuesThatWouldShiftTheColumns) {
  EXPECT_FALSE(FormatTableLine(-0.005, 1, 1));
  EXPECT_FALSE(FormatTableLine(0.005, std::numeric_limits<double>::infinity(), 1));
  EXPECT_FALSE(FormatTableLine(0.005, 1, std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(FormatTableLine(1e-120, 1, 1));
  EXPECT_FALSE(FormatTableLine(0.005, 9.999996e98, 1));  // rounds up to a three-digit exponent
}

TEST(LenientNumber, ReadsTheLongestLeadingNumber) {
  // clang-format off
  const std::pair<const char*, double> cases[] = {
      {"0.005", 0.005}, {"5.0E-03", 0.005}, {"5.000d-03", 0.005}, {" -1 2\t.5\n", -12.5},
      {".5", 0.5}, {"5.", 5}, {"+3", 3}, {"1.5e", 1.5}, {"2E+", 2}, {"12abc", 12}, {"1,5", 1},
      {"", 0}, {"abc", 0}, {".", 0}, {"e5", 0}, {"1e-999", 0}, {"2.5E+01", 25}, {"1e-2", 0.01}};
  // clang-format on
  for (const auto& [text, value] : cases) EXPECT_EQ(LenientNumber(text), value) << text;
  EXPECT_FALSE(LenientNumber("1e999"));
  EXPECT_FALSE(LenientNumber("-0.0001e99999999999999999999"));
}

TEST(TableFile, RoundTripsWithCrLfAndRounding) {
  Workspace ws({});
  ScatteringTable table = SampleTable();
  table.x[1] = 0.01234;
  const auto path = ws.root() / "t.xfs";
  ASSERT_TRUE(WriteTableFile(path, table).ok());
  const std::string bytes = FileBytes(path);
  EXPECT_EQ(bytes.size(), 45u * 36u);
  EXPECT_EQ(bytes.substr(34, 2), "\r\n");
  ScatteringTable read;
  TableLines lines;
  ASSERT_TRUE(ReadTableFile(path, read, lines).ok());
  EXPECT_EQ(read.x[1], 0.0123);
  EXPECT_EQ(lines[1], bytes.substr(0, 34));
  for (int row = 2; row <= kTableRows; ++row) EXPECT_NEAR(read.F[row], table.F[row], 1e-4);
}

TEST(TableFile, ReadsLfLinesAndIgnoresWhatFollowsRow45) {
  Workspace ws({});
  const auto path = ws.root() / "lf.xfs";
  WriteBytes(path, Lines(6, "\n") + "\n" + Lines(38, "\n") + "bad line 46\n");
  ScatteringTable table;
  TableLines lines;
  ASSERT_TRUE(ReadTableFile(path, table, lines).ok());
  EXPECT_EQ(table.x[6], 1);
  EXPECT_EQ(table.S[6], 3);
  EXPECT_EQ(table.S[7], 0);
  EXPECT_EQ(lines[45], kLine);
}

TEST(TableFile, FailedReadNamesTheFileAndKeepsTheTable) {
  Workspace ws({});
  const auto path = ws.root() / "short.xfs";
  WriteBytes(path, Lines(44, "\r\n"));
  ScatteringTable table = SampleTable();
  TableLines lines;
  lines[1] = "kept";
  const Status shortFile = ReadTableFile(path, table, lines);
  EXPECT_NE(shortFile.error.find("short.xfs"), std::string::npos);
  EXPECT_NE(shortFile.error.find("only 44 lines"), std::string::npos);
  EXPECT_EQ(table.F, SampleTable().F);
  EXPECT_EQ(lines[1], "kept");
  EXPECT_NE(ReadTableFile(ws.root() / "none.xfs", table, lines).error.find("cannot be opened"),
            std::string::npos);
}

TEST(TableFile, FailedWriteLeavesExistingFileAndNoTemporary) {
  Workspace ws({});
  const auto path = ws.root() / "old.xfs";
  WriteBytes(path, "old contents\r\n");
  const auto stopAt20 = [](int row) { return row < 20; };
  EXPECT_FALSE(WriteTableFile(path, SampleTable(), stopAt20).ok());
  ScatteringTable negative = SampleTable();
  negative.S[45] = -1;
  EXPECT_FALSE(WriteTableFile(path, negative).ok());
  EXPECT_EQ(FileBytes(path), "old contents\r\n");
  EXPECT_FALSE(WriteTableFile(ws.elementFolder(), SampleTable()).ok());
  EXPECT_FALSE(WriteTableFile(ws.root() / "missing" / "new.xfs", SampleTable()).ok());
  const std::filesystem::directory_iterator entries(ws.root());
  EXPECT_EQ(std::distance(begin(entries), end(entries)), 3) << "old.xfs and the two data folders";
}

TEST(TableFile, DisplayNameDropsTheExtension) {
  EXPECT_EQ(DisplayName("Fe.xfs"), "Fe");
  EXPECT_EQ(DisplayName("water.mix.xfs"), "water.mix");
  EXPECT_EQ(DisplayName(".xfs"), "");
}
