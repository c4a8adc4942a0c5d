// A compound file made end to end, as the compound editor's OK makes it: five element files
// read, combined and written atomically into the working folder's XFSM-data.
#include <benchmark/benchmark.h>

#include <array>

#include "BenchData.h"
#include "Workspace.h"
#include "xscatter/MaterialFile.h"

namespace {

struct CompoundEntry {
  const char* symbol;
  double atoms;
};
constexpr std::array<CompoundEntry, 5> kCompound{
    {{"Cu", 1}, {"Zn", 1}, {"Fe", 2}, {"O", 4}, {"H", 2}}};

xscatter::MaterialInputs CompoundInputs() {
  xscatter::MaterialInputs inputs;
  inputs.ElementCount = kCompound.size();
  for (std::size_t k = 0; k < kCompound.size(); ++k) {
    inputs.ElementFiles[k + 1] = std::string(kCompound[k].symbol) + ".xfs";
    inputs.ElementWeights[k + 1] = kCompound[k].atoms;
  }
  return inputs;
}

void CreateCompoundFile(benchmark::State& state) {
  const Workspace workspace({"Cu", "Zn", "Fe", "O", "H"});
  xscatter::MaterialInputs inputs = CompoundInputs();
  xscatter::ScatteringTable table;
  xscatter::TableLines lines;
  for (auto _ : state) {
    const xscatter::Status status =
        xscatter::CreateCompoundFile(workspace.root(), "bench", inputs, {table, lines});
    if (!status.ok()) bench::Abort(status.error);
  }
}
BENCHMARK(CreateCompoundFile);

}  // namespace
