#include "BenchData.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace bench {
namespace {

// A power of two, so that Cycle can wrap with a mask.
constexpr std::size_t kMomentumCount = 4096;
constexpr unsigned kSeed = 20240611;

}  // namespace

std::filesystem::path ShippedDataFolder() {
  return XSCATTER_DATA_DIR;
}

std::filesystem::path ShippedElement(std::string_view symbol) {
  return ShippedDataFolder() / xscatter::kElementFolder / (std::string(symbol) + ".xfs");
}

ElementFile LoadElement(std::string_view symbol) {
  ElementFile file;
  if (const xscatter::Status status =
          xscatter::ReadTableFile(ShippedElement(symbol), file.table, file.lines);
      !status.ok()) {
    Abort(status.error);
  }
  return file;
}

const std::vector<double>& RandomMomenta() {
  static const std::vector<double> momenta = [] {
    std::mt19937_64 generator(kSeed);
    std::uniform_real_distribution<double> exponent(std::log(0.005), std::log(1000.0));
    std::vector<double> values(kMomentumCount);
    for (double& value : values) value = std::exp(exponent(generator));
    return values;
  }();
  return momenta;
}

void Abort(std::string_view what) {
  std::fprintf(stderr, "benchmark set-up failed: %.*s\n", static_cast<int>(what.size()),
               what.data());
  std::exit(EXIT_FAILURE);
}

}  // namespace bench
