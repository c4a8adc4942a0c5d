// A compound file made end to end, as xscatter-table --save makes it: five element files read,
// combined and written atomically into the material folder.
#include <benchmark/benchmark.h>

#include <array>

#include "BenchData.h"
#include "Workspace.h"
#include "xscatter/Material.h"

namespace {

struct CompoundEntry {
  const char* symbol;
  double atoms;
};
constexpr std::array<CompoundEntry, 5> kCompound{
    {{"Cu", 1}, {"Zn", 1}, {"Fe", 2}, {"O", 4}, {"H", 2}}};

xscatter::Recipe Compound() {
  xscatter::Recipe compound;
  for (const CompoundEntry& entry : kCompound) {
    compound.components.push_back({std::string(entry.symbol) + ".xfs", entry.atoms});
  }
  return compound;
}

void CreateCompoundFile(benchmark::State& state) {
  const Workspace workspace({"Cu", "Zn", "Fe", "O", "H"});
  const xscatter::TableStore store(xscatter::FoldersIn(workspace.root()));
  const xscatter::Recipe compound = Compound();
  for (auto _ : state) {
    const auto made = xscatter::MakeMaterial(store, compound);
    const xscatter::Status status = made ? store.SaveMaterial("bench", *made) : made.status();
    if (!status.ok()) bench::Abort(status.error);
  }
}
BENCHMARK(CreateCompoundFile);

}  // namespace
