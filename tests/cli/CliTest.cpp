#include <gtest/gtest.h>

#include <fstream>

#include "Numbers.h"
#include "Workspace.h"
#include "xscatter/DataFolders.h"
#include "xscatter/Interpolation.h"
#include "xscatter/TableText.h"

using namespace xscatter;
using namespace xscatter::cli;
namespace fs = std::filesystem;

namespace {

struct ProgramRun {
  int status;
  std::string out, err;
};

// Runs a shell command with the given standard input; its streams pass through files in the
// workspace's root.
ProgramRun RunIn(const Workspace& workspace, const std::string& command,
                 const std::string& input = {}) {
  const std::string root = workspace.root().string();
  std::ofstream(root + "/in") << input;
  const std::string redirected = command + " <" + root + "/in >" + root + "/out 2>" + root + "/err";
  ProgramRun run{WEXITSTATUS(std::system(redirected.c_str())), "", ""};
  std::getline(std::ifstream(root + "/out"), run.out, '\0');
  std::getline(std::ifstream(root + "/err"), run.err, '\0');
  return run;
}

// Runs xscatter-table on the workspace's folders.
ProgramRun RunTable(const Workspace& workspace, const std::string& arguments,
                    const std::string& input = {}) {
  return RunIn(workspace,
               XSCATTER_TABLE_PROGRAM " --data " + workspace.root().string() + " " + arguments,
               input);
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

// Materials saved by the program before its tables and materials moved into the library; the
// same entries must save the same bytes.
TEST(CliProgram, SavesMaterialsByteForByteAsBefore) {
  Workspace workspace({"H", "O", "Ca", "Mg", "Si", "Na", "Cu", "Zn", "Fe", "Cr", "Ni", "Mn", "C",
                       "P", "S", "N", "Cl", "K"});
  const std::pair<const char*, const char*> saved[] = {
      {"water", "compound water H:2 O:1"},
      {"tremolite", "compound tremolite Ca:2 Mg:5 Si:8 O:24 H:2"},
      {"soda-glass", "compound soda-glass Na:0.5 Si:1 O:2.25"},
      {"brass", "mixture brass Cu:63.546:70 Zn:65.38:30"},
      {"steel",
       "mixture steel Fe:55.845:68.5 Cr:51.996:18 Ni:58.693:10 Mn:54.938:2 Si:28.085:1 "
       "C:12.011:0.08 P:30.974:0.045 S:32.06:0.03"},
      {"tissue",
       "mixture tissue H:1.008:10.1 C:12.011:11.1 N:14.007:2.6 O:15.999:76.2 Na:22.99:0.1 "
       "P:30.974:0.2 S:32.06:0.3 Cl:35.45:0.1 K:39.098:0.2 Fe:55.845:0.01"}};
  for (const auto& [name, arguments] : saved) {
    EXPECT_EQ(RunTable(workspace, std::string(arguments) + " --save").status, 0) << name;
    const std::string file = std::string(name) + ".xfs";
    EXPECT_EQ(FileBytes(workspace.materialFolder() / file),
              FileBytes(fs::path(XSCATTER_TEST_DATA_DIR) / "materials" / file))
        << name;
  }
}

// Installed, the program finds the tables beside itself. A query makes nothing, neither in an
// empty home nor where the user's folder cannot be made; a save there says why it cannot, and
// a folder given without tables is named with the way to point at them.
TEST(CliProgram, FindsTheInstalledTablesAndMakesNothingForAQuery) {
  Workspace workspace({});
  const fs::path bin = workspace.root() / "usr/bin", home = workspace.root() / "home";
  fs::create_directories(bin);
  fs::create_directory(home);
  fs::copy_file(XSCATTER_TABLE_PROGRAM, bin / "xscatter-table");
  const fs::path tables = InstalledTablesBeside(bin);
  fs::create_directories(tables.parent_path());
  fs::create_directory_symlink(fs::path(XSCATTER_DATA_DIR) / "XFS-data", tables);
  std::ofstream(workspace.root() / "file") << "not a folder";
  const auto run = [&](const std::string& xdgDataHome, const std::string& arguments) {
    return RunIn(workspace, "cd " + workspace.materialFolder().string() +
                                " && HOME=" + home.string() + " XDG_DATA_HOME=" + xdgDataHome +
                                " " + (bin / "xscatter-table").string() + " " + arguments);
  };
  const ProgramRun query = run("", "at Fe 0.25");
  EXPECT_EQ(query.status, 0) << query.err;
  EXPECT_TRUE(query.out.ends_with("0.25                    18.34                   7.1381\n"));
  const fs::path unmakeable = workspace.root() / "file/data";
  EXPECT_EQ(run(unmakeable.string(), "show Fe").status, 0);
  const ProgramRun save = run(unmakeable.string(), "compound water H:2 O:1 --save");
  EXPECT_EQ(save.err, "xscatter-table: cannot make the folder " +
                          (unmakeable / "xscatter/XFSM-data").string() + ": Not a directory\n");
  EXPECT_TRUE(fs::is_empty(home) && fs::is_empty(workspace.materialFolder()));
  for (const fs::path& given : {workspace.root() / "none", home}) {
    const ProgramRun wrong = run("", "--data " + given.string() + " show Fe");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(wrong.err.starts_with("xscatter-table: the tables were not found in " +
                                      given.string() + ": "));
    EXPECT_TRUE(wrong.err.ends_with(" (--data DIR names a folder that holds XFS-data)\n"));
  }
}
