#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cmath>
#include <csignal>
#include <fstream>
#include <iterator>
#include <tuple>

#include "Workspace.h"
#include "xscatter/AtomicFile.h"
#include "xscatter/Combination.h"
#include "xscatter/Interpolation.h"

using namespace xscatter;
namespace fs = std::filesystem;

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
  EXPECT_EQ(bytes.substr(0, 36), "  .123E-01  .20250E+02  .31000E+00\r\n");
  TableLines lines;
  ASSERT_TRUE(ReadTableFile(path, read, lines).ok());
  EXPECT_EQ(read.x[1], 0.0123);
  EXPECT_EQ(lines[1], bytes.substr(0, 34));
  // A write broken off or refused keeps the earlier file, a failed read the table and lines;
  // what else may break, and LF line ends or more lines, are the fault run's and the fuzz
  // targets' to try.
  table.S[45] = -1;
  EXPECT_FALSE(WriteTableFile(path, table).ok());
  EXPECT_FALSE(WriteTableFile(path, SampleTable(), [](int row) { return row < 20; }).ok());
  EXPECT_EQ(FileBytes(path), bytes);
  std::ofstream(ws.root() / "short") << std::string(44, '\n');
  lines[1] = "kept";
  EXPECT_EQ(ReadTableFile(ws.root() / "short", read, lines).error,
            (ws.root() / "short").string() + ": only 44 lines");
  EXPECT_EQ(ReadTableFile(ws.root() / "no", read, lines).error,
            (ws.root() / "no").string() + ": cannot be opened: No such file or directory");
  EXPECT_EQ(std::tie(read.x[1], lines[1]), std::make_tuple(0.0123, "kept"));
}

// Whatever a name in a data folder stands for, a read ends at once and in bounded memory. An
// unreadable file fails too; a child process without privileges tries it, as root reads any.
TEST(TableFile, ReadsOnlyRegularReadableFilesAndOnlyTheirFirstMiB) {
  alarm(20);  // a read that blocks or runs on fails here instead of hanging the suite
  Workspace ws({"Fe"});
  const auto folder = ws.elementFolder();
  ScatteringTable fe, read;
  TableLines lines;
  ASSERT_TRUE(ReadTableFile(folder / "Fe.xfs", fe, lines).ok());
  mkfifo((folder / "fifo.xfs").c_str(), 0644);
  fs::create_symlink("/dev/zero", folder / "zero.xfs");
  std::string tailed;  // 900 kB: long tails after the fields are no fault
  for (int row = 1; row <= kTableRows; ++row) tailed += lines[row] + std::string(20000, 'x') + "\n";
  std::ofstream(folder / "tailed.xfs") << tailed;
  std::ofstream(folder / "endless.xfs") << std::string(3 << 20, ' ');
  for (const auto& [name, error] : {std::pair{"fifo.xfs", "is not a regular file"},
                                    {"zero.xfs", "is not a regular file"},
                                    {"endless.xfs", "has no 45 lines within its first 1 MiB"}})
    EXPECT_EQ(ReadTableFile(folder / name, read, lines).error,
              (folder / name).string() + ": " + error);
  ASSERT_TRUE(ReadTableFile(folder / "tailed.xfs", read, lines).ok());
  EXPECT_EQ(std::tie(read.x, read.F, read.S), std::tie(fe.x, fe.F, fe.S));
  EXPECT_EQ(lines[45].size(), 34u);
  alarm(0);
  fs::permissions(ws.root(), fs::perms::others_exec, fs::perm_options::add);
  fs::permissions(folder / "Fe.xfs", fs::perms::none);
  if (fork() == 0) {
    const bool dropped =
        getuid() != 0 || (setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0);
    const Status status = ReadTableFile(folder / "Fe.xfs", read, lines);
    _exit(dropped && status.error ==
                         (folder / "Fe.xfs").string() + ": cannot be opened: Permission denied"
              ? 0
              : 1);
  }
  int status = 0;
  wait(&status);
  EXPECT_EQ(status, 0);
}

TEST(AtomicFile, AnyLegalNameNewAndKeptModesAndNothingLeftBehind) {
  Workspace ws({});
  const auto folder = ws.materialFolder();
  const auto count = [&] { return std::distance(fs::directory_iterator(folder), {}); };
  const auto mode = [&](const char* name) { return int(fs::status(folder / name).permissions()); };
  const std::string longest = std::string(251, 'a') + ".xfs";  // 255 bytes
  EXPECT_TRUE(WriteFileAtomically(folder / longest, "new").ok());
  EXPECT_FALSE(WriteFileAtomically(folder / (std::string(252, 'a') + ".xfs"), "new").ok());
  EXPECT_EQ(count(), 1);
  const mode_t saved = umask(027);  // a new file takes the umask off 0666, a replaced one its mode
  fs::rename(folder / longest, folder / "kept.xfs");
  chmod((folder / "kept.xfs").c_str(), 0604);
  EXPECT_TRUE(WriteFileAtomically(folder / "new.xfs", "new").ok());
  EXPECT_TRUE(WriteFileAtomically(folder / "kept.xfs", "kept").ok());
  umask(saved);
  EXPECT_EQ(std::make_pair(mode("new.xfs"), mode("kept.xfs")), std::make_pair(0640, 0604));
  // A material that is a link becomes a file of its own; the file it pointed to stays.
  fs::create_symlink("new.xfs", folder / "link.xfs");
  EXPECT_TRUE(WriteFileAtomically(folder / "link.xfs", "via link").ok());
  EXPECT_FALSE(fs::is_symlink(folder / "link.xfs"));
  EXPECT_EQ(FileBytes(folder / "new.xfs") + FileBytes(folder / "link.xfs"), "newvia link");

  // A writer killed part way leaves nothing, or a temporary file of ours that a later write
  // removes once it is a minute old; a younger one may still belong to a running writer.
  const auto before = count();
  if (fork() == 0) {
    WriteFileAtomically(folder / "new.xfs", {std::vector<std::string>(2, "new")},
                        [](std::size_t piece) { return piece == 0 || raise(SIGKILL); });
    _exit(1);
  }
  wait(nullptr);
  std::ofstream(folder / ".xscatter-AbCd12") << "stale";
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().starts_with(".xscatter-"))
      fs::last_write_time(entry, fs::file_time_type::clock::now() - std::chrono::minutes(2));
  std::ofstream(folder / ".xscatter-young1") << "being written";
  EXPECT_TRUE(WriteFileAtomically(folder / "new.xfs", "new").ok());
  EXPECT_TRUE(count() == before + 1 && fs::exists(folder / ".xscatter-young1"));
}

TEST(Interpolation, IsTheRowAtARowAndFollowsTheLogLogLineBetweenAndBelow) {
  const ScatteringTable t = SampleTable();
  for (int i = 2; i <= kTableRows; ++i) {
    const FunctionValues atRow = InterpolateAt(LogLogTable(t), t.x[i]).value();
    EXPECT_EQ(std::tie(atRow.F, atRow.S), std::tie(t.F[i], t.S[i])) << i;
    for (double fraction : {-0.7, 0.1, 0.5, 0.93}) {
      if (fraction < 0 && i > 2) continue;  // below the table only rows 1 and 2 take part
      const double x = t.x[i - 1] * std::pow(t.x[i] / t.x[i - 1], fraction);
      const double a = std::log(t.x[i - 1]), b = std::log(t.x[i]);
      const auto line = [&](const auto& g) {  // straight in the (ln x, ln g) plane
        const double g0 = std::log(g[i - 1]), g1 = std::log(g[i]);
        return std::exp(g1 - (g1 - g0) * (b - std::log(x)) / (b - a));
      };
      const FunctionValues v = InterpolateAt(LogLogTable(t), x).value();
      EXPECT_NEAR(v.F, line(t.F), 1e-14 * v.F) << x;
      EXPECT_NEAR(v.S, line(t.S), 1e-14 * v.S) << x;
    }
  }
}

TEST(Interpolation, NoValueCasesFindRowAboveAndScreenFormats) {
  ScatteringTable table = SampleTable();
  EXPECT_FALSE(InterpolateAt(LogLogTable(table), table.x[45] * 1.01));
  EXPECT_FALSE(InterpolateAt(LogLogTable(table), 0));
  table.S[4] = 0;
  EXPECT_FALSE(InterpolateAt(LogLogTable(table), (table.x[4] + table.x[5]) / 2));
  table.F[2] = 1e-100;
  EXPECT_FALSE(InterpolateAt(LogLogTable(table), 1e-6)) << "extrapolated to infinity";
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
  const LogLogTable table(SampleTable());
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
  EXPECT_EQ(FormatTableLine(1, table.F[7], table.S[7]), "  .100E+01  .81240E+01  .22000E+01");
  rows.S[1].fill(0.2);
  AtomRatio ratio{};
  // n_2 = (A_1 / A_2) w_2 / w_1 = (1/2) 60/20 = 1.5 (swapped weights would give 1/6).
  ASSERT_TRUE(CombineMixture(2, rows, {0, 1, 2}, {0, 20, 60}, ratio, table).ok());
  EXPECT_EQ(ratio[2], 1.5);
  EXPECT_DOUBLE_EQ(table.F[7], std::sqrt(97.0));
  EXPECT_DOUBLE_EQ(table.S[7], 2.0);
  EXPECT_EQ(FormatTableLine(1, table.F[7], table.S[7]), "  .100E+01  .98489E+01  .20000E+01");
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

// Every element file that ships with XScatter must be in the written form and agree with the
// others on the momentum-transfer grid, since compounds match rows by number alone; row 1 is the
// limit x = 0 with F = Z and S = 0.
TEST(ShippedElements, AreWrittenFormsOnOneGridStartingAtTheZeroLimits) {
  std::istringstream symbols(
      "H He Li Be B C N O F Ne Na Mg Al Si P S Cl Ar K Ca Sc Ti V Cr Mn Fe Co Ni Cu Zn Ga Ge As "
      "Se Br Kr Rb Sr Y Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb Te I Xe Cs Ba La Ce Pr Nd Pm Sm Eu Gd "
      "Tb Dy Ho Er Tm Yb Lu Hf Ta W Re Os Ir Pt Au Hg Tl Pb Bi Po At Rn Fr Ra Ac Th Pa U Np Pu Am "
      "Cm Bk Cf");
  ScatteringTable hydrogen, table;
  TableLines lines;
  ASSERT_TRUE(ReadTableFile(Workspace::shippedElement("H.xfs"), hydrogen, lines).ok());
  for (int row = 2; row <= kTableRows; ++row) EXPECT_LT(hydrogen.x[row - 1], hydrogen.x[row]);
  double z = 0;
  for (std::string symbol; symbols >> symbol;) {
    SCOPED_TRACE(symbol);
    const auto path = Workspace::shippedElement(symbol + ".xfs");
    ASSERT_TRUE(ReadTableFile(path, table, lines).ok());
    EXPECT_EQ(FileBytes(path), ExpectedMaterial({{path, 1}}));
    EXPECT_EQ(std::tie(table.x, table.F[1], table.S[1]), std::make_tuple(hydrogen.x, ++z, 0.0));
  }
  EXPECT_EQ(z, 98);
  EXPECT_EQ(std::distance(fs::directory_iterator(XSCATTER_DATA_DIR "/XFS-data"), {}), 98);
}
