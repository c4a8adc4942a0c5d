// The table, interpolation and combination cases, with xraylib's look-ups of the same functions
// at the same momentum transfers as the anchor for the interpolation.
#include <benchmark/benchmark.h>
#include <xraylib.h>

#include <array>
#include <string>

#include "BenchData.h"
#include "MainWindow.h"
#include "xscatter/Combination.h"
#include "xscatter/Interpolation.h"

namespace {

using xscatter::ScatteringTable;

constexpr std::string_view kElement = "Fe";
constexpr int kElementZ = 26;

// One look-up in the element table, made into a `Table`, at each of the random momentum
// transfers in turn, with `Prepare` the last thing before them.
template <typename Table, auto Lookup, auto Prepare = [] {}>
void AtRandomMomenta(benchmark::State& state) {
  const Table table(bench::LoadElement(kElement).table);
  bench::Cycle momenta(bench::RandomMomenta());
  Prepare();
  for (auto _ : state) benchmark::DoNotOptimize(Lookup(table, momenta.next()));
}

// log and exp are slow on many CPUs while the upper halves of the AVX registers are in use,
// a state that Qt's AVX routines can leave behind (see VectorState.h). So the interpolation
// and its anchor run with the main window shown and painted, in the state it leaves, as in the
// program.
template <auto Lookups>
void BesideTheMainWindow(benchmark::State& state) {
  const bench::MainWindow window;
  Lookups(state);
}
using xscatter::LogLogTable;
BENCHMARK(BesideTheMainWindow<AtRandomMomenta<LogLogTable, xscatter::InterpolateAt>>)
    ->Name("InterpolateAt");

// The interpolation again with the upper halves in use before the first call, as a window
// leaves them on machines whose Qt does so: one 256-bit instruction, with a nonzero result
// because some CPUs count halves of zeros as clean. Without a guard every call pays.
void MakeUpperHalvesDirty() {
#if defined(__x86_64__)
  if (__builtin_cpu_supports("avx"))
    __asm__ volatile("vcmptrueps %%ymm15, %%ymm15, %%ymm15" ::: "xmm15");
#endif
}
BENCHMARK(AtRandomMomenta<LogLogTable, xscatter::InterpolateAt, MakeUpperHalvesDirty>)
    ->Name("InterpolateAt/DirtyUpperHalves");

// xraylib reads its tables when the library loads, so this measures only the look-up, as the
// case above does. A null error pointer makes xraylib skip its error reporting.
void XraylibFormFactorAndScattering(benchmark::State& state) {
  bench::Cycle momenta(bench::RandomMomenta());
  for (auto _ : state) {
    const double x = momenta.next();
    benchmark::DoNotOptimize(FF_Rayl(kElementZ, x, nullptr));
    benchmark::DoNotOptimize(SF_Compt(kElementZ, x, nullptr));
  }
}
BENCHMARK(BesideTheMainWindow<XraylibFormFactorAndScattering>)
    ->Name("XraylibFormFactorAndScattering");

BENCHMARK(AtRandomMomenta<ScatteringTable, xscatter::FindRowAbove>)->Name("FindRowAbove");

void ParseTableLine(benchmark::State& state) {
  const xscatter::TableLines lines = bench::LoadElement(kElement).lines;
  int row = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(xscatter::ParseTableLine(lines[row]));
    row = row % xscatter::kTableRows + 1;
  }
}
BENCHMARK(ParseTableLine);

void ReadTableFile(benchmark::State& state) {
  const std::filesystem::path path = bench::ShippedElement(kElement);
  xscatter::ScatteringTable table;
  xscatter::TableLines lines;
  for (auto _ : state) {
    if (!xscatter::ReadTableFile(path, table, lines).ok())
      bench::Abort("cannot read " + path.string());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(ReadTableFile);

// Ten elements with their atomic weights and weight per cent, as a user would enter them.
struct MixtureEntry {
  std::string_view symbol;
  double atomicWeight;
  double weight;
};
constexpr std::array<MixtureEntry, xscatter::kElementSlots> kMixture{{{"H", 1.008, 2},
                                                                      {"C", 12.011, 15},
                                                                      {"N", 14.007, 5},
                                                                      {"O", 15.999, 40},
                                                                      {"Na", 22.990, 3},
                                                                      {"Mg", 24.305, 5},
                                                                      {"Si", 28.086, 20},
                                                                      {"Ca", 40.078, 6},
                                                                      {"Fe", 55.845, 3},
                                                                      {"Pb", 207.2, 1}}};

void CombineMixture(benchmark::State& state) {
  xscatter::ElementRows rows;
  xscatter::ElementNumbers atomicWeights{};
  xscatter::ElementNumbers weights{};
  for (int slot = 1; slot <= xscatter::kElementSlots; ++slot) {
    const MixtureEntry& entry = kMixture[slot - 1];
    const ScatteringTable element = bench::LoadElement(entry.symbol).table;
    rows.F[slot] = element.F;
    rows.S[slot] = element.S;
    atomicWeights[slot] = entry.atomicWeight;
    weights[slot] = entry.weight;
  }
  xscatter::AtomRatio ratio{};
  ScatteringTable table;
  for (auto _ : state) {
    if (!xscatter::CombineMixture(xscatter::kElementSlots, rows, atomicWeights, weights, ratio,
                                  table)
             .ok()) {
      bench::Abort("the mixture does not combine");
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(CombineMixture);

}  // namespace
