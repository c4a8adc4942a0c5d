// The table, interpolation and combination cases, with xraylib's look-ups of the same functions
// at the same momentum transfers as the anchor for the interpolation.
#include <benchmark/benchmark.h>
#include <xraylib.h>

#include <array>
#include <string>

#include "BenchData.h"
#include "Combination.h"
#include "Interpolation.h"
#include "MaterialFile.h"

namespace {

using xscatter::ScatteringTable;

constexpr std::string_view kElement = "Fe";
constexpr int kElementZ = 26;

// One look-up in the element table at each of the random momentum transfers in turn.
template <auto Lookup>
void AtRandomMomenta(benchmark::State& state) {
  const ScatteringTable table = bench::LoadElement(kElement).table;
  bench::Cycle momenta(bench::RandomMomenta());
  for (auto _ : state) benchmark::DoNotOptimize(Lookup(table, momenta.next()));
}
BENCHMARK(AtRandomMomenta<xscatter::InterpolateAt>)->Name("InterpolateAt");

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
BENCHMARK(XraylibFormFactorAndScattering);

BENCHMARK(AtRandomMomenta<xscatter::FindRowAbove>)->Name("FindRowAbove");

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
