// The physics at the sizes the command line and the Python module ask for: a formula, an
// angle sweep of 180,001 rows and 10,000 total cross sections, each counted in items per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "BenchData.h"
#include "xscatter/Composition.h"
#include "xscatter/CrossSections.h"
#include "xscatter/Elements.h"
#include "xscatter/Formula.h"

namespace {

constexpr double kMoKalpha = 17.48;  // keV

xscatter::ScatteringCurve Curve(const xscatter::Result<xscatter::ScatteringTable>& table) {
  if (!table) bench::Abort(table.error());
  auto curve = xscatter::ScatteringCurve::Make(*table);
  if (!curve) bench::Abort(curve.error());
  return *curve;
}

// One call of a batch per iteration, counted as its items.
template <typename Batch>
void CountedBatches(benchmark::State& state, std::size_t items, Batch batch) {
  for (auto _ : state) {
    if (const xscatter::Status status = batch(); !status.ok()) bench::Abort(status.error);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(items));
}

void ParseFormula(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(xscatter::ParseFormula("Ca5(PO4)3OH"));
}
BENCHMARK(ParseFormula)->Name("ParseFormula/Ca5(PO4)3OH");

// Water at Mo Kα from 0 to 180 degrees in steps of 0.001, every column.
void ScatteringAtAngles(benchmark::State& state) {
  const auto water = xscatter::CompositionOfFormula("H2O");
  const xscatter::ScatteringCurve curve = Curve(xscatter::CombineComposition(
      *water, [](int Z) -> xscatter::Result<xscatter::ScatteringTable> {
        return bench::LoadElement(xscatter::ElementOf(Z)->symbol).table;
      }));
  std::vector<double> angles(180001);
  for (std::size_t n = 0; n < angles.size(); ++n) angles[n] = 0.001 * n;
  std::vector<std::vector<double>> columns(6, std::vector<double>(angles.size()));
  const xscatter::AngleColumns out{columns[0], columns[1], columns[2],
                                   columns[3], columns[4], columns[5]};
  CountedBatches(state, angles.size(),
                 [&] { return xscatter::ScatteringAtAngles(curve, kMoKalpha, angles, out); });
}
BENCHMARK(ScatteringAtAngles)->Name("ScatteringAtAngles/H2O/180001")->Unit(benchmark::kMillisecond);

// Iron from 1 to 1000 keV, 10,000 energies spaced evenly in log E.
void TotalCrossSections(benchmark::State& state) {
  const xscatter::ScatteringCurve curve = Curve(bench::LoadElement("Fe").table);
  std::vector<double> energies(10000);
  for (std::size_t n = 0; n < energies.size(); ++n) {
    energies[n] = std::pow(1000.0, static_cast<double>(n) / (energies.size() - 1));
  }
  std::vector<double> coherent(energies.size()), incoherent(energies.size());
  CountedBatches(state, energies.size(), [&] {
    return xscatter::TotalCrossSections(curve, energies, coherent, incoherent);
  });
}
BENCHMARK(TotalCrossSections)->Name("TotalCrossSections/Fe/10000")->Unit(benchmark::kMillisecond);

}  // namespace
