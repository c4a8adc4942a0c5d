#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cmath>
#include <fstream>
#include <numbers>

#include "Numbers.h"
#include "Workspace.h"
#include "xscatter/DataFolders.h"

using namespace xscatter;
using namespace xscatter::cli;
namespace fs = std::filesystem;

namespace {

struct ProgramRun {
  int status;
  std::string out, err;
};

// Runs xscatter-table on the workspace's folders with exactly these words, the given standard
// input, and standard output into the workspace (or into stdoutPath).
ProgramRun RunWords(const Workspace& workspace, const std::vector<std::string>& words,
                    const std::string& input = {}, std::string stdoutPath = {}) {
  // A program that ran away (a grid of 10^9 points) would fill the disk: it dies at 64 MiB.
  static const bool limited = [] {
    const rlimit limit{64 << 20, 64 << 20};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }();
  EXPECT_TRUE(limited);
  const std::string root = workspace.root().string();
  std::ofstream(root + "/in") << input;
  if (stdoutPath.empty()) stdoutPath = root + "/out";
  std::vector<std::string> all = {XSCATTER_TABLE_PROGRAM, "--data", root};
  all.insert(all.end(), words.begin(), words.end());
  std::vector<char*> argv;
  for (std::string& word : all) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t streams;
  posix_spawn_file_actions_init(&streams);
  posix_spawn_file_actions_addopen(&streams, 0, (root + "/in").c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&streams, 1, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&streams, 2, (root + "/err").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t child = 0;
  EXPECT_EQ(posix_spawn(&child, argv[0], &streams, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&streams);
  int status = 0;
  waitpid(child, &status, 0);
  return {WEXITSTATUS(status), FileBytes(root + "/out"), FileBytes(root + "/err")};
}

// The same with the words of a line split at blanks.
ProgramRun RunTable(const Workspace& workspace, const std::string& arguments,
                    const std::string& input = {}) {
  std::vector<std::string> words;
  std::istringstream split(arguments);
  for (std::string word; split >> word;) words.push_back(word);
  return RunWords(workspace, words, input);
}

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

Invocation Parsed(std::vector<std::string_view> words) {
  Invocation invocation;
  EXPECT_TRUE(ParseArguments(words, invocation).ok());
  return invocation;
}

std::vector<double> GridPoints(const Grid& grid) {
  std::vector<double> points;
  for (std::size_t k = 0; k < grid.size(); ++k) points.push_back(grid[k]);
  return points;
}

// Log-log interpolation between two rows of a table, worked out here on its own.
double LogLog(double x, double x1, double x2, double y1, double y2) {
  return y1 * std::pow(y2 / y1, std::log(x / x1) / std::log(x2 / x1));
}

std::size_t Count(const std::string& text, const std::string& piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) {
    ++count;
  }
  return count;
}

}  // namespace

// Options stand anywhere, in both spellings; numbers are whole from_chars texts. Grids begin at
// START and end at STOP exactly, give the decimals they are written in, and are refused at
// once beyond 10^8 points.
TEST(CliArguments, ReadsOptionsGridsAndStrictNumbers) {
  const Invocation at = Parsed({"at", "--format=tsv", "Fe", "--data", "d", "0.5", "2.5e-1"});
  EXPECT_TRUE(at.format == Format::Tsv && at.dataFolder == "d");
  EXPECT_EQ(at.momenta, (std::vector<double>{0.5, 0.25}));
  for (const char* text : {"", " 1", "1 ", "+1", "0x1", "1,5", "inf", "nan", "1e999", "1e"}) {
    EXPECT_FALSE(StrictNumber(text)) << text;
  }
  const auto grid = [](const char* option, const char* text) {
    return GridPoints(*Parsed({"at", "Fe", option, text}).grid);
  };
  EXPECT_EQ(grid("--grid", "0.005:0.05:0.005"),
            (std::vector{0.005, 0.01, 0.015, 0.02, 0.025, 0.03, 0.035, 0.04, 0.045, 0.05}));
  const auto tenths = grid("--grid", "0.1:1000:0.1");
  EXPECT_EQ(std::make_tuple(tenths.size(), tenths[2], tenths[7], tenths.back()),
            std::make_tuple(std::size_t{10000}, 0.3, 0.8, 1000.0));
  EXPECT_EQ(grid("--grid", "-1.5:2e0:1.75"), (std::vector{-1.5, 0.25, 2.0}));
  EXPECT_EQ(grid("--grid", "0:1:0.3").back(), 0.9);          // STOP off the grid
  EXPECT_EQ(grid("--grid", "0:1e-30:1e-31").back(), 1e-30);  // too fine for whole units
  EXPECT_EQ(grid("--log-grid", "0.01:10:4"), (std::vector{0.01, 0.1, 1.0, 10.0}));
  const auto logarithmic = grid("--log-grid", "0.005:1000:200");
  EXPECT_EQ(std::tie(logarithmic.front(), logarithmic.back()), std::make_tuple(0.005, 1000.0));
  EXPECT_EQ(Parsed({"at", "Fe", "--log-grid", "1:2:100000000"}).grid->size(), 100'000'000u);
  for (const char* text : {"0:1:1e-8", "0.005:1000:1e-6", "0:1e300:1"}) {
    Invocation refused;
    EXPECT_FALSE(
        ParseArguments(std::vector<std::string_view>{"at", "Fe", "--grid", text}, refused).ok())
        << text;
  }
  for (const char* text : {"1:2:100000001", "1:2:99999999999999999999999"}) {
    Invocation refused;
    EXPECT_FALSE(
        ParseArguments(std::vector<std::string_view>{"at", "Fe", "--log-grid", text}, refused).ok())
        << text;
  }
}

// Each format tells a value outside the range its own way, after the values before it; CSV and
// TSV begin with their header. Names are escaped where they appear.
TEST(CliProgram, WritesEveryFormat) {
  Workspace workspace;
  const std::string pad17(17, ' '), pad23(23, ' ');
  const std::pair<const char*, std::string> expected[] = {
      {"text", "# Fe, per atom of Fe (55.845 g/mol): x = sin(θ/2)/λ in 1/Å\nx (1/Å)" + pad17 + "F" +
                   pad23 + "S\n" +
                   "0.1                     23.666                  2.891\n"
                   "2000                    out of range            out of range\n"},
      {"csv", "x (1/Å),F,S\n0.1,23.666,2.891\n2000,,\n"},
      {"tsv", "x (1/Å)\tF\tS\n0.1\t23.666\t2.891\n2000\t\t\n"},
      {"json",
       "{\"table\": \"Fe\", \"unit\": \"per atom of Fe (55.845 g/mol)\", \"molar_mass\": 55.845, "
       "\"rows\": [\n  {\"x\": 0.1, \"F\": 23.666, \"S\": 2.891},\n"
       "  {\"x\": 2000, \"F\": null, \"S\": null}\n]}\n"}};
  for (const auto& [format, text] : expected) {
    const ProgramRun run = RunTable(workspace, std::string("at Fe 0.1 2000 --format ") + format);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, text);
  }
  const std::string shown = RunTable(workspace, "show Fe --format csv").out;
  EXPECT_EQ(Count(shown, "\n"), 46u);
  EXPECT_TRUE(shown.starts_with("x (1/Å),F,S\n0,26,0\n0.005,25.983,0.012\n")) << shown;
  EXPECT_TRUE(shown.ends_with("\n1e+09,5.4722e-26,26\n")) << shown;

  EXPECT_TRUE(
      RunTable(workspace, "compound café H:1 --format json")
          .out.starts_with("{\"table\": \"café\", \"unit\": \"per atom of H (1.008 g/mol)\", "
                           "\"molar_mass\": 1.008, \"rows\": [\n"));
  const std::string odd = (workspace.root() / "a\nb\xFF.xfs").string();
  std::filesystem::copy_file(Workspace::shippedElement("Fe.xfs"), odd);
  EXPECT_TRUE(RunWords(workspace, {"show", odd})
                  .out.starts_with("# a\\nb\\xFF, per unit of the table in a\\nb\\xFF.xfs: "
                                   "x = sin(θ/2)/λ in 1/Å\nx (1/Å) "));
  EXPECT_TRUE(
      RunWords(workspace, {"show", odd, "--format", "json"})
          .out.starts_with("{\"table\": \"a\\u000ab\uFFFD\", \"unit\": \"per unit of the "
                           "table in a\\u000ab\uFFFD.xfs\", \"molar_mass\": null, \"rows\": [\n"));
}

// A stream of x, with CR LF: at the limits, beyond them, on table rows and between them, against
// the rows of Fe.xfs and log-log interpolation between them worked out here.
TEST(CliProgram, AtAgreesWithTheTableRowsAndLogLogBetweenThem) {
  Workspace workspace;
  struct Expected {
    double x;
    std::optional<std::pair<double, double>> FS;
  };
  const Expected expected[] = {
      {0.005, {{25.983, 0.012}}},
      {1000, {{4.2027e-08, 26}}},
      {0.00499, {}},
      {1000.01, {}},
      {1e9, {}},
      {0.01, {{25.961, 0.05}}},
      {0.123,
       {{LogLog(0.123, 0.1, 0.125, 23.666, 22.736), LogLog(0.123, 0.1, 0.125, 2.891, 3.6841)}}},
      {7.77, {{LogLog(7.77, 7, 8, 0.6317, 0.5227), LogLog(7.77, 7, 8, 25.755, 25.856)}}},
      {0.0071,
       {{LogLog(0.0071, 0.005, 0.01, 25.983, 25.961), LogLog(0.0071, 0.005, 0.01, 0.012, 0.05)}}}};
  std::string input;
  for (const Expected& e : expected) input += std::to_string(e.x) + "\r\n";
  const ProgramRun run = RunTable(workspace, "at Fe - --format tsv", input);
  EXPECT_EQ(run.status, 1);  // out of range, after every value
  std::istringstream lines(run.out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "x (1/Å)\tF\tS");
  for (const Expected& e : expected) {
    ASSERT_TRUE(std::getline(lines, line));
    SCOPED_TRACE(line);
    char* end = nullptr;
    EXPECT_EQ(std::strtod(line.c_str(), &end), e.x);
    if (!e.FS) {
      EXPECT_EQ(std::string(end), "\t\t");
      continue;
    }
    const double F = std::strtod(end, &end), S = std::strtod(end, &end);
    EXPECT_NEAR(F, e.FS->first, 1e-13 * e.FS->first);
    EXPECT_NEAR(S, e.FS->second, 1e-13 * e.FS->second);
  }
  EXPECT_EQ(RunTable(workspace, "at Fe 0.005 1000").status, 0);
}

// Grids that start and end on the typed range's limits and hit the table's rows; only whole
// rows, all those before a bad line of input, JSON closed; status 2 with a failed standard
// output leaves no file; long and hostile lines are cut and escaped in the message.
TEST(CliProgram, StreamsWholeRowsAndSavesOnlyAfterTheOutput) {
  Workspace workspace;
  EXPECT_EQ(RunTable(workspace, "at Fe --log-grid 0.005:1000:200").status, 0);
  EXPECT_EQ(RunTable(workspace, "at Fe --grid 999.5:1000:0.1").status, 0);
  const ProgramRun rows = RunTable(workspace, "at Fe --grid 0.005:0.05:0.005 --format csv");
  EXPECT_TRUE(rows.status == 0 && rows.out.find("\n0.03,25.735,0.4233\n") != std::string::npos &&
              rows.out.ends_with("\n0.05,25.302,1.06\n"))
      << rows.out;

  for (int count : {3, 5000}) {  // under and over one 64 KiB block of output
    std::string input;
    for (int k = 0; k < count; ++k) input += "0.1\n";
    input += "0,5\n0.2\n";
    const ProgramRun text = RunTable(workspace, "at Fe -", input);
    const std::string reason = "line " + std::to_string(count + 1) +
                               " of standard input: \"0,5\" is not a number: use a point as the "
                               "decimal separator";
    EXPECT_EQ(text.status, 2);
    EXPECT_EQ(text.err, "xscatter-table: " + reason + "\n");
    EXPECT_EQ(Count(text.out, "23.666                  2.891\n"), static_cast<std::size_t>(count));
    EXPECT_TRUE(text.out.ends_with("2.891\n"));
    const ProgramRun json = RunTable(workspace, "at Fe - --format json", input);
    EXPECT_EQ(Count(json.out, "{\"x\": 0.1, \"F\": 23.666, \"S\": 2.891}"),
              static_cast<std::size_t>(count));
    const std::string quoted = "\\\"0,5\\\"";  // the reason's quotes, escaped in JSON
    EXPECT_TRUE(json.out.ends_with("2.891}\n], \"error\": \"line " + std::to_string(count + 1) +
                                   " of standard input: " + quoted + " is not a number: use a " +
                                   "point as the decimal separator\"}\n"));
  }
  const ProgramRun longLine = RunTable(workspace, "at Fe -", "0.1\n" + std::string(1 << 20, '1'));
  EXPECT_EQ(longLine.err, "xscatter-table: line 2 of standard input is longer than 4096 bytes\n");
  const ProgramRun hostile =
      RunTable(workspace, "at Fe -", "\x1b]0;owned\a" + std::string(4000, 'x') + "\n");
  EXPECT_EQ(hostile.err, "xscatter-table: line 1 of standard input: \"\\x1B]0;owned\\x07" +
                             std::string(30, 'x') + "…\" is not a number\n");

  EXPECT_EQ(RunWords(workspace, {"show", "Fe"}, {}, "/dev/full").status, 2);
  const ProgramRun full =
      RunWords(workspace, {"compound", "devfull", "H:2", "O:1", "--save"}, {}, "/dev/full");
  EXPECT_EQ(full.err, "xscatter-table: cannot write to standard output; nothing saved\n");
  EXPECT_FALSE(std::filesystem::exists(workspace.materialFolder() / "devfull.xfs"));
  std::filesystem::create_directory(workspace.materialFolder() / "taken.xfs");
  const ProgramRun taken = RunTable(workspace, "compound taken H:1 --save");
  EXPECT_TRUE(taken.status == 2 && Count(taken.out, "\n") == 47u) << taken.out;
  EXPECT_TRUE(taken.err.starts_with("xscatter-table: the table above was not saved: " +
                                    (workspace.materialFolder() / "taken.xfs").string() + ": "))
      << taken.err;
}

// Usage, input and write errors: status 2, one line on stderr that says what to type instead,
// nothing on stdout or on disk.
TEST(CliProgram, EveryErrorStopsWithStatusTwoAndWritesNothing) {
  Workspace workspace;
  const std::string root = workspace.root().string();
  // clang-format off
  const std::pair<std::string, std::string> failing[] = {
      {"plot Fe", ""}, {"show", ""}, {"show Xq", "unknown table \"Xq\": no Xq.xfs in " + root + "/XFS-data or " + root + "/XFSM-data, no reference material of that id, and as a formula, column 1: no element Xq"},
      {"show fe", "no table fe; did you mean Fe?"}, {"show Fe --save", ""}, {"--format xml show Fe", ""},
      {"--bogus", ""}, {"", ""}, {"at Fe", ""}, {"at Fe abc", ""}, {"at Fe 0.1 -", ""},
      {"at Fe 0,25", "\"0,25\" is not a number: use a point as the decimal separator"},
      {"at Fe --grid 1:0:1", ""}, {"at Fe --log-grid 1:2:1.5", ""},
      {"at Fe --log-grid 0.005:1000:1000000000", "grid \"0.005:1000:1000000000\" has more than 100000000 points"},
      {"at Fe --grid 0.005:1000:1e-6", ""},
      {"show sub/Fe.xfs", "no Fe.xfs in " + (fs::current_path() / "sub").string()},
      {"--data " + root + "/XFSM-data compound w H:1", "the tables were not found in " + root + "/XFSM-data: it has no folder XFS-data (--data DIR names a folder that holds XFS-data)"},
      {"compound w h2o --save", "column 1: element symbols start with a capital letter: H2O?"},
      {"compound w H2 O --save", ""}, {"compound w H:0 --save", ""}, {"compound w Xx:1 --save", "no element \"Xx\" in " + root + "/XFS-data"},
      {"compound w fe:1 --save", "no element fe; did you mean Fe?"},
      {"compound a/b H:1 --save", ""},
      {"compound H:2 O:1 --save", "\"H:2\" is not a material name: the NAME comes before the elements"},
      {"compound Cu Fe:1 --save", "a material cannot be called \"Cu\": that is an element, which show and at would find instead"},
      {"compound water.xfs H:2 O:1 --save", "give the name \"water.xfs\" without .xfs: \"water\""},
      {"mixture m Cu:1:1 Zn:1 --save", "\"Zn:1\" is not SYMBOL:ATOMIC_WEIGHT:WEIGHT_PERCENT"},
      {"mixture m H2O:99 NaCl --save", "\"NaCl\" is not FORMULA:PERCENT"},
      {"mixture m H2O:99 Xq:1 --save", "\"Xq\": column 1: no element Xq"}, {"mixture m H2O:0 --save", ""},
      {"at H2O --energy 17.48 --angle 180.5", "the angle 180.5 lies outside 0 to 180 degrees"},
      {"at H2O --energy 17.48 --angle 90 -1", "the angle -1 lies outside 0 to 180 degrees"},
      {"at H2O --energy 17.48 --angle-grid 0:190:10", "the angle 190 lies outside 0 to 180 degrees"},
      {"at H2O --energy 0 --angle 90", "the energy 0 keV must be greater than 0"},
      {"at H2O --wavelength -1 --angle 90", "the wavelength -1 Å must be greater than 0"},
      {"at H2O --energy 17,48 --angle 90", "\"17,48\" is not a number: use a point as the decimal separator"},
      {"at H2O --energy 17.48", ""}, {"at H2O --angle 90", ""}, {"at H2O --energy 1 --energy 2 --angle 90", ""},
      {"at H2O --energy 17.48 --wavelength 0.7 --angle 90", ""}, {"at H2O --energy 17.48 --grid 0:1:0.1", ""},
      {"at H2O --energy 17.48 --angle 90 --angle-grid 0:180:1", ""}, {"at H2O --energy 17.48 --angle-grid 0:180:0", ""},
      {"cross-sections Fe", ""}, {"cross-sections Fe --energy 10 -5", "the energy -5 keV must be greater than 0"},
      {"cross-sections Fe --energy-grid 0:10:1", ""}, {"cross-sections Fe --log-energy-grid 1:10:0", ""},
      {"cross-sections Fe --energy 5 --energy-grid 1:10:1", ""}, {"cross-sections Fe --wavelength 1", ""},
      {"cross-sections Fe --energy 10 --grid 0:1:0.1", ""}, {"show Fe --energy 10", ""}, {"show Fe --angle 10", ""},
      {"formula h2o", "column 1: element symbols start with a capital letter: H2O?"}, {"formula", ""},
      {"formula H2O O2", ""}, {"formula H2O0", ""}, {"formula Ca(OH", ""}, {"materials water", ""},
      {"show --material nothing", ""}, {"at --formula H2Q 0.1", ""}, {"show --formula H2O --material w", ""},
      {"formula H2O --formula H2O", ""}};
  // clang-format on
  for (const auto& [arguments, message] : failing) {
    const ProgramRun run = RunTable(workspace, arguments);
    EXPECT_TRUE(run.status == 2 && run.out.empty()) << arguments;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << arguments;  // one line
    if (!message.empty()) {
      EXPECT_EQ(run.err, "xscatter-table: " + message + "\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(workspace.materialFolder()), {}),
              0);
  }
  EXPECT_EQ(RunWords(workspace, {"compound", "a\nb", "H:1"}).err,
            "xscatter-table: the name \"a\\nb\" holds a control character or bytes that are not "
            "UTF-8\n");
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
  EXPECT_EQ(save.err, "xscatter-table: the table above was not saved: cannot make the folder " +
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

// At Mo Kα on water: the columns with their units, what the numbers are per, and the values
// against the formulas worked out here from the printed F and S, the CODATA 2018 constants and
// the standard atomic weights.
TEST(CliPhysics, AnglesAndCrossSectionsSayWhatTheyArePerAndFollowTheirDefinitions) {
  Workspace workspace({"H", "O", "C", "N", "Na", "Cl", "Fe"});
  const ProgramRun run = RunTable(workspace, "at H2O --energy 17.48 --angle 90 0 --format csv");
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  std::string header, line;
  std::getline(lines, header);
  EXPECT_EQ(header,
            "angle (°),x (1/Å),F,S,coherent (barn/sr),incoherent (barn/sr),compton_energy (keV),"
            "coherent_per_gram (cm²/g/sr),incoherent_per_gram (cm²/g/sr)");
  std::getline(lines, line);
  std::vector<double> v;
  std::istringstream fields(line);
  for (std::string field; std::getline(fields, field, ',');) v.push_back(*StrictNumber(field));
  ASSERT_EQ(v.size(), 9u);
  const double energy = 17.48, mc2 = 510.99895, re2 = 2.8179403262e-13 * 2.8179403262e-13 / 1e-24;
  const double perGram = 6.02214076e23 * 1e-24 / (2 * 1.008 + 15.999);
  const double compton = energy / (1 + energy / mc2), P = compton / energy;
  const double expected[] = {90,
                             std::sin(std::numbers::pi / 4) * energy / 12.398419843320026,
                             v[2],
                             v[3],
                             re2 / 2 * v[2] * v[2],
                             re2 / 2 * P * P * (P + 1 / P - 1) * v[3],
                             compton,
                             re2 / 2 * v[2] * v[2] * perGram,
                             re2 / 2 * P * P * (P + 1 / P - 1) * v[3] * perGram};
  for (std::size_t k = 0; k < v.size(); ++k) EXPECT_NEAR(v[k], expected[k], 1e-13 * v[k]) << k;
  std::getline(lines, line);  // θ = 0: F(0) is the sum of the electrons, S(0) nothing
  EXPECT_TRUE(line.starts_with("0,0,")) << line;

  const auto starts = [&](const std::string& arguments, const std::string& start) {
    const ProgramRun out = RunTable(workspace, arguments);
    EXPECT_TRUE(out.status == 0 && out.out.starts_with(start)) << arguments << "\n" << out.out;
    return out.out;
  };
  starts("at H2O --energy 17.48 --angle 90 --format json",
         "{\"table\": \"H2O\", \"unit\": \"per formula unit of H2O (18.015 g/mol)\", "
         "\"molar_mass\": 18.015, \"energy\": 17.48, \"rows\": [\n  {\"angle\": 90, \"x\": ");
  starts("at --material water-liquid --wavelength 0.70930 --angle-grid 0:180:45",
         "# water-liquid at 17.4797");
  const std::string totals = starts("cross-sections --formula H2O --energy 17.48 --format json",
                                    "{\"table\": \"H2O\", \"unit\": \"per formula unit of H2O "
                                    "(18.015 g/mol)\", \"molar_mass\": 18.015, \"rows\": [\n  "
                                    "{\"energy\": 17.48, \"coherent\": ");
  EXPECT_NE(totals.find(", \"incoherent_per_gram\": "), std::string::npos);
  const std::string file = (workspace.elementFolder() / "Fe.xfs").string();
  starts("cross-sections " + file + " --log-energy-grid 1:1000:4 --format tsv",
         "energy (keV)\tcoherent (barn)\tincoherent (barn)\n1\t");
  starts("show Fe", "# Fe, per atom of Fe (55.845 g/mol): x = sin(θ/2)/λ in 1/Å\n");
  starts("mixture saline H2O:99.1 NaCl:0.9",
         "# saline, per mean atom of H2O 99.1 % + NaCl 0.9 % (");
  starts("compound six H:1 C:1 N:1 O:1 Na:1 Cl:1 --format json",
         "{\"table\": \"six\", \"unit\": \"per formula unit of HCNONaCl (");
  starts("formula CuSO4·5H2O --format json", "{\"formula\": \"CuSO9H10\", \"molar_mass\": 249.677");
  starts("materials --format json",
         "[\n  {\"id\": \"a-150-tissue-equivalent-plastic\", \"name\": \"A-150 Tissue-Equivalent "
         "Plastic\", \"density\": 1.127, \"mass_fractions\": {\"H\": 0.1013268");
  const std::string listed = starts("materials --format csv", "id,name,density (g/cm³)\n");
  EXPECT_NE(listed.find("\nwater-liquid,\"Water, Liquid\",1\n"), std::string::npos);

  // A table named by its path needs no data folder.
  const ProgramRun bare = RunIn(workspace, "cd " + workspace.materialFolder().string() +
                                               " && HOME=" + workspace.materialFolder().string() +
                                               " XDG_DATA_HOME= " + XSCATTER_TABLE_PROGRAM +
                                               " at " + file + " --energy 17.48 --angle 90");
  EXPECT_EQ(bare.status, 0) << bare.err;
}
