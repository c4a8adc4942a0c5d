#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <fstream>
#include <iterator>
#include <tuple>

#include "Workspace.h"
#include "xscatter/AtomicFile.h"
#include "xscatter/Combination.h"
#include "xscatter/Interpolation.h"
#include "xscatter/Material.h"
#include "xscatter/TableStore.h"

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
}

// The contents are on disk before they get the target's name, and the name before the write
// reports success, with unnamed files and without. If XScatter is killed while it replaces a
// file, a file named `.xscatter-` and six letters or digits, with the new contents, can stay
// beside it (on a file system without unnamed files, also while it writes a new one).
// XScatter never removes a file it did not make itself.
TEST(AtomicFile, SyncsBeforeNamingAndRemovesNoFileItDidNotMake) {
  Workspace ws({});
  const auto folder = ws.materialFolder();
  const auto target = folder / "t.xfs";
  std::string calls;
  AtomicWriteSeam seam;
  seam.fsync = [&](int fd) {
    struct stat status {};
    fstat(fd, &status);
    calls += S_ISDIR(status.st_mode) ? "sync folder" : "sync file, ";
    return ::fsync(fd);
  };
  seam.linkat = [&](int f, const char* from, int t, const char* to, int flags) {
    calls += "link, ";
    return ::linkat(f, from, t, to, flags);
  };
  seam.renameat = [&](int f, const char* from, int t, const char* to) {
    calls += "rename, ";
    return ::renameat(f, from, t, to);
  };
  const auto write = [&](const char* contents) {
    calls.clear();
    return WriteFileAtomically(target, {std::vector<std::string>{contents}}, seam).ok();
  };
  EXPECT_TRUE(write("1"));
  EXPECT_EQ(calls, "sync file, link, sync folder");
  EXPECT_TRUE(write("2"));
  EXPECT_EQ(calls, "sync file, link, rename, sync folder");
  const auto withoutUnnamedFiles = [](int f, const char* name, int flags, mode_t mode) {
    errno = EOPNOTSUPP;
    return flags & O_TMPFILE ? -1 : ::openat(f, name, flags, mode);
  };
  seam.openat = withoutUnnamedFiles;
  fs::remove(target);
  EXPECT_TRUE(write("3"));
  EXPECT_EQ(calls, "sync file, rename, sync folder");
  EXPECT_TRUE(write("4"));
  EXPECT_EQ(calls, "sync file, rename, sync folder");
  const auto failing = [](auto&&...) {
    errno = EIO;
    return -1;
  };
  seam.fsync = failing;
  EXPECT_FALSE(write("5"));
  seam.openat = nullptr;
  EXPECT_FALSE(write("5"));
  seam.fsync = nullptr;
  seam.linkat = failing;
  EXPECT_FALSE(write("5"));
  EXPECT_EQ(FileBytes(target), "4");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);

  // Files of a user's that look like temporary ones, old enough to be a dead writer's.
  for (const char* name : {".xscatter-AbCd12", ".xscatter-cd.xfs"}) {
    std::ofstream(folder / name) << "mine";
    fs::last_write_time(folder / name, fs::file_time_type::clock::now() - std::chrono::hours(1));
  }
  // Killed before its file has a name, a writer leaves nothing; killed between naming its
  // file and the rename over the target, it leaves that file, which without unnamed files is
  // named from the start.
  seam.linkat = nullptr;
  const auto killedAt = [&](auto& call) {
    if (fork() == 0) {
      call = [](auto&&...) { return raise(SIGKILL); };
      write("killed");
      _exit(1);
    }
    wait(nullptr);
  };
  killedAt(seam.beforePiece);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 3);
  killedAt(seam.renameat);
  seam.openat = withoutUnnamedFiles;
  killedAt(seam.beforePiece);
  seam = {};
  EXPECT_TRUE(write("6"));
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder)) left.push_back(FileBytes(entry));
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"", "6", "killed", "mine", "mine"}));
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
  ASSERT_TRUE(CombineMixture(10, rows, ones, ones, ratio, table).ok()) << "ten is the limit";
  EXPECT_EQ(std::tie(ratio[10], table.S[7]), std::make_tuple(1.0, 0.2 + 1.2 + 100));
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

// Two stores on different folders in one process each read their own tables, by the order path,
// element, material, reference material, formula; only a material's saving writes, into its own
// store's folder.
TEST(TableStore, ResolvesTableTextsInItsOwnFolders) {
  Workspace first({"Fe"}), second({"Cu"});
  fs::copy_file(second.elementFolder() / "Cu.xfs", second.elementFolder() / "Fe.xfs");
  const TableStore one(FoldersIn(first.root())), other(FoldersIn(second.root()));
  ScatteringTable iron, copper;
  TableLines lines;
  ASSERT_TRUE(ReadTableFile(Workspace::shippedElement("Fe.xfs"), iron, lines).ok());
  ASSERT_TRUE(ReadTableFile(Workspace::shippedElement("Cu.xfs"), copper, lines).ok());
  const NamedTable fe = one.Find("Fe").value();
  EXPECT_EQ(
      std::tie(fe.name, fe.per, fe.file),
      std::make_tuple("Fe", "per atom of Fe (55.845 g/mol)", first.elementFolder() / "Fe.xfs"));
  EXPECT_TRUE(fe.reading == Reading::Element && fe.molarMass == 55.845 && fe.table.F == iron.F);
  EXPECT_EQ(other.Find("Fe")->table.F, copper.F);

  ASSERT_TRUE(one.SaveMaterial("Fe", copper).ok());
  ASSERT_TRUE(one.SaveMaterial("brass", copper).ok());
  EXPECT_EQ(one.Find("Fe")->table.F, iron.F) << "an element comes before a material";
  const NamedTable brass = one.Find("brass").value();
  EXPECT_TRUE(brass.reading == Reading::Material && brass.table.F == copper.F);
  EXPECT_EQ(one.Find("Fe", Reading::Material)->table.F, copper.F);
  EXPECT_TRUE(other.Find("brass").error().starts_with(
      "unknown table \"brass\": no brass.xfs in " + second.elementFolder().string() + " or " +
      second.materialFolder().string() + ", no reference material"));
  EXPECT_FALSE(fs::exists(second.materialFolder() / "brass.xfs"));
  EXPECT_EQ(other.Find((first.materialFolder() / "brass.xfs").string())->reading, Reading::Path);
  EXPECT_EQ(one.OpenElement("Zn.xfs").error(), "no Zn.xfs in " + first.elementFolder().string());
  for (Reading unknown : {Reading::ReferenceMaterial, Reading::Formula})
    EXPECT_FALSE(one.Find("water", unknown));

  // Iron(III) oxide from the shipped tables: F² and S add up over the five atoms.
  const TableStore shipped(FoldersIn(XSCATTER_DATA_DIR));
  const NamedTable rust = shipped.Find("Fe2O3").value();
  EXPECT_EQ(rust.reading, Reading::Formula);
  EXPECT_EQ(rust.per, "per formula unit of Fe2O3 (159.69 g/mol)");
  EXPECT_NEAR(rust.table.F[1], std::sqrt(2 * 26.0 * 26 + 3 * 8.0 * 8), 1e-12);
  EXPECT_EQ(shipped.Find("water-liquid")->reading, Reading::ReferenceMaterial);
  EXPECT_NEAR(*shipped.Find("Water, Liquid")->molarMass, 18.015 / 3, 1e-3);
}

// A material saved with its composition is read back with it, as a saved material or by its
// path, while its table is the one saved with it; the table file is the same either way.
TEST(TableStore, KeepsASavedMaterialsCompositionForItsOwnTableOnly) {
  Workspace workspace, plain;
  const TableStore store(FoldersIn(workspace.root()));
  const fs::path file = workspace.materialFolder() / "water.xfs",
                 kept = workspace.materialFolder() / "water.xfs.composition";
  const NamedTable water = store.Find("H2O", Reading::Formula).value();
  ASSERT_TRUE(store.SaveMaterial("water", water.table, water.composition).ok());
  ASSERT_TRUE(TableStore(FoldersIn(plain.root())).SaveMaterial("water", water.table).ok());
  EXPECT_EQ(FileBytes(file), FileBytes(plain.materialFolder() / "water.xfs"));
  for (const std::string& text : {std::string("water"), file.string()}) {
    const NamedTable read = store.Find(text).value();
    EXPECT_EQ(std::tie(read.name, read.per),
              std::make_tuple("water", "per formula unit of H2O (18.015 g/mol)"));
    EXPECT_EQ(read.molarMass, 2 * 1.008 + 15.999);
    EXPECT_EQ(read.composition->atoms, (std::vector<AtomCount>{{1, 2}, {8, 1}}));
  }

  const auto unknown = [&] {
    const NamedTable read = store.Find("water").value();
    return !read.molarMass && !read.composition &&
           read.per == "per unit of the material in water.xfs";
  };
  ASSERT_TRUE(WriteTableFile(file, SampleTable()).ok());
  EXPECT_TRUE(unknown()) << "a table replaced otherwise";
  ASSERT_TRUE(store.SaveMaterial("water", water.table, water.composition).ok());
  ASSERT_TRUE(WriteFileAtomically(kept, "xscatter-composition 1\nnonsense\n").ok());
  EXPECT_TRUE(unknown()) << "a file that cannot be read";
  ASSERT_TRUE(store.SaveMaterial("water", water.table).ok());
  EXPECT_TRUE(unknown() && !fs::exists(kept)) << "saved without a composition";

  // The editors' recipes: a compound per formula unit, a mixture per atom of its first element,
  // whose molar mass is A₁ (1 + w₂/w₁) for two elements.
  const Recipe compound{MaterialKind::Compound, {{"H.xfs", 2, 0}, {"O.xfs", 1, 0}}};
  const Recipe brass{MaterialKind::Mixture, {{"Cu.xfs", 70, 63.546}, {"Zn.xfs", 30, 65.38}}};
  EXPECT_EQ(CompositionOfRecipe(compound)->name, "H2O");
  EXPECT_NEAR(CompositionOfRecipe(brass)->molarMass, 63.546 * 100 / 70, 1e-12);
  EXPECT_TRUE(CompositionOfRecipe(brass)->unit.starts_with("per atom of Cu, the first element"));
  for (const Recipe& unknowable :
       {Recipe{MaterialKind::Compound, {{"brass.xfs", 1, 0}}},
        Recipe{MaterialKind::Compound, {{"H.xfs", 0, 0}}},
        Recipe{MaterialKind::Mixture, {{"Cu.xfs", 70, 63.546}, {"Zn.xfs", -30, 65.38}}},
        Recipe{MaterialKind::Mixture, {}}})
    EXPECT_FALSE(CompositionOfRecipe(unknowable));
}

// Finding the folders makes nothing: a given folder must hold XFS-data; then the current folder,
// the user's folder, and the installed tables with the user's material folder, made by a save.
TEST(DataFolders, AreFoundWithoutMakingAnything) {
  Workspace current({}), elsewhere({"Fe"});
  const fs::path tables = Workspace::shippedElement("Fe.xfs").parent_path();
  const fs::path start = current.root() / "start", user = current.root() / "user";
  fs::create_directory(start);
  const auto found = [&](const fs::path& given, const fs::path& in, const fs::path& own) {
    return FindDataFolders({given, in, own, {current.root() / "missing", tables}});
  };
  EXPECT_EQ(found({}, elsewhere.root(), user).value(), FoldersIn(elsewhere.root()));
  EXPECT_EQ(found({}, start, user).value(), (DataFolders{tables, user / "XFSM-data"}));
  EXPECT_EQ(found({}, start, {}).value(), (DataFolders{tables, start / "XFSM-data"}));
  EXPECT_EQ(found(elsewhere.root(), start, user).value(), FoldersIn(elsewhere.root()));
  EXPECT_EQ(found(start, elsewhere.root(), user).error(),
            "the tables were not found in " + start.string() + ": it has no folder XFS-data");
  EXPECT_TRUE(found(start / "no", start, user).error().ends_with(": there is no such folder"));
  EXPECT_FALSE(FindDataFolders({{}, start, user, {start / "no"}}));
  EXPECT_EQ(std::distance(fs::recursive_directory_iterator(current.root()), {}), 3);

  EXPECT_TRUE(MakeMaterialFolder({tables, user / "XFSM-data"}).ok());
  EXPECT_TRUE(fs::is_directory(user / "XFSM-data"));
  fs::create_directory(user / "XFS-data");  // the user's own tables come before the installed
  EXPECT_EQ(found({}, start, user).value(), FoldersIn(user));
  EXPECT_EQ(
      MakeMaterialFolder(FoldersIn(tables / "Fe.xfs")).error,
      "cannot make the folder " + (tables / "Fe.xfs/XFSM-data").string() + ": Not a directory");
}
