#include <gtest/gtest.h>

#include <fstream>

#include "Numbers.h"
#include "Workspace.h"
#include "xscatter/Interpolation.h"
#include "xscatter/TableText.h"

using namespace xscatter;
using namespace xscatter::cli;

namespace {

struct ProgramRun {
  int status;
  std::string out, err;
};

// Runs xscatter-table on the workspace's folders with the given standard input.
ProgramRun RunTable(const Workspace& workspace, const std::string& arguments,
                    const std::string& input = {}) {
  const std::string root = workspace.root().string();
  std::ofstream(root + "/in") << input;
  const std::string command = XSCATTER_TABLE_PROGRAM " --data " + root + " " + arguments + " <" +
                              root + "/in >" + root + "/out 2>" + root + "/err";
  ProgramRun run{WEXITSTATUS(std::system(command.c_str())), "", ""};
  std::getline(std::ifstream(root + "/out"), run.out, '\0');
  std::getline(std::ifstream(root + "/err"), run.err, '\0');
  return run;
}

ScatteringTable Iron() {
  ScatteringTable table;
  TableLines lines;
  EXPECT_TRUE(ReadTableFile(Workspace::shippedElement("Fe.xfs"), table, lines).ok());
  return table;
}

Invocation Parsed(std::vector<std::string_view> words) {
  Invocation invocation;
  EXPECT_TRUE(ParseArguments(words, invocation).ok());
  return invocation;
}

}  // namespace

// Options stand anywhere, in both spellings; numbers are whole from_chars texts.
TEST(CliArguments, ReadsOptionsGridsAndStrictNumbers) {
  const Invocation at = Parsed({"at", "--format=tsv", "Fe", "--data", "d", "0.5", "2.5e-1"});
  EXPECT_TRUE(at.format == Format::Tsv && at.dataFolder == "d");
  EXPECT_EQ(at.momenta, (std::vector<double>{0.5, 0.25}));
  EXPECT_EQ(Parsed({"at", "Fe", "--grid", "0.1:1:0.1"}).grid.count, 10u);  // 1 despite rounding
  for (const char* text : {"", " 1", "1 ", "+1", "0x1", "1,5", "inf", "nan", "1e999", "1e"}) {
    EXPECT_FALSE(StrictNumber(text)) << text;
  }
}

// Each format tells a value outside the range its own way, after the values before it.
TEST(CliProgram, WritesEveryFormat) {
  Workspace workspace;
  const std::pair<const char*, const char*> expected[] = {
      {"text",
       "0.1                     23.666                  2.891\n"
       "2000                    out of range\n"},
      {"csv", "x,F(x),S(x)\n0.1,23.666,2.891\n2000,,\n"},
      {"json",
       "{\"table\": \"Fe\", \"rows\": [\n  {\"x\": 0.1, \"F\": 23.666, \"S\": 2.891},\n"
       "  {\"x\": 2000, \"F\": null, \"S\": null}\n]}\n"}};
  for (const auto& [format, text] : expected) {
    const ProgramRun run = RunTable(workspace, std::string("at Fe 0.1 2000 --format ") + format);
    EXPECT_TRUE(run.status == 1 && run.out.ends_with(text)) << run.out;
  }
}

TEST(CliProgram, ShowReadsBackToTheFileRows) {
  Workspace workspace;
  EXPECT_EQ(RunTable(workspace, "show Fe --format csv").out, DelimitedTable("Fe", Iron(), ','));
}

// A stream of x: at the limits, beyond them, on table rows and between them.
TEST(CliProgram, AtAgreesWithInterpolateAt) {
  Workspace workspace;
  const ScatteringTable fe = Iron();
  std::string input, expected = DelimitedHeading("Fe", '\t');
  for (double x : {0.005, 1000.0, 0.00499, 1000.01, fe.x[2], fe.x[45], 0.123, 7.77, 0.0071}) {
    input += ShortestNumber(x) + "\r\n";
    const auto values =
        IsTypedMomentumInRange(x) ? InterpolateAt(LogLogTable(fe), x) : std::nullopt;
    expected += ShortestNumber(x) + "\t" + (values ? ShortestNumber(values->F) : "") + "\t" +
                (values ? ShortestNumber(values->S) : "") + "\n";
  }
  const ProgramRun run = RunTable(workspace, "at Fe - --format tsv", input);
  EXPECT_EQ(run.status, 1);  // out of range, after every value
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(RunTable(workspace, "at Fe 0.005 1000").status, 0);
}

// Usage, input and write errors: status 2, one line on stderr, nothing on stdout or on disk.
TEST(CliProgram, EveryErrorStopsWithStatusTwoAndWritesNothing) {
  Workspace workspace;
  std::filesystem::create_directory(workspace.materialFolder() / "taken.xfs");
  // clang-format off
  const char* const failing[] = {
      "plot Fe", "show", "show Xx", "show Fe --save", "--format xml show Fe", "--bogus", "",
      "at Fe", "at Fe abc", "at Fe 0.1 -", "at Fe --grid 1:0:1", "at Fe --log-grid 1:2:1.5",
      "compound w H2 --save", "compound w H:0 --save", "compound w Xx:1 --save",
      "compound w H:1 H:1 H:1 H:1 H:1 O:1 --save", "compound a/b H:1 --save",
      "compound taken H:1 --save", "mixture m Cu:1:1 Zn:1 --save", "at Fe -"};
  // clang-format on
  for (const char* arguments : failing) {
    const ProgramRun run = RunTable(workspace, arguments, "0.1\nabc\n");
    EXPECT_TRUE(run.status == 2 && run.out.empty()) << arguments;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << arguments;  // one line
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(workspace.materialFolder()), {}),
              1);
  }
  // Output that never reaches its file: the table fits one block, so only the flush can tell.
  const std::string full = XSCATTER_TABLE_PROGRAM " --data " + workspace.root().string() +
                           " show Fe >/dev/full 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(full.c_str())), 2);
}
