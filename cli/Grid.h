#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "xscatter/Status.h"

namespace xscatter::cli {

// A sanity bound on one grid: beyond it a grid is a typing error rather than a measurement
// (10^8 rows of text are some 7 GB), and it is refused before anything is written.
inline constexpr std::size_t kMostGridPoints = 100'000'000;

// Points from START to STOP as an option of the command line gives them, whatever they stand
// for (momentum transfers, angles, energies). The first point is START exactly; the last is
// STOP exactly whenever the grid reaches it.
class Grid {
 public:
  // START:STOP:STEP, the points START + k STEP up to STOP. Written in decimals, the points are
  // those decimals ("0.005:0.05:0.005" gives 0.03, not 0.030000000000000002): they are counted
  // in whole units of the finest decimal place, where the numbers allow it.
  static Result<Grid> Linear(std::string_view text);
  // START:STOP:COUNT, COUNT points evenly spaced in logarithm.
  static Result<Grid> Logarithmic(std::string_view text);

  std::size_t size() const { return count_; }
  double operator[](std::size_t k) const;

 private:
  Grid() = default;

  double start_ = 0;
  double stop_ = 0;
  std::size_t count_ = 0;
  bool endsAtStop_ = false;
  // Linear: START and STEP in units of 1 / unit_ when unit_ > 0, else STEP as a double.
  std::int64_t startUnits_ = 0;
  std::int64_t stepUnits_ = 0;
  double unit_ = 0;
  double step_ = 0;
  // Logarithmic: log10 START and log10 (STOP / START).
  bool logarithmic_ = false;
  double logStart_ = 0;
  double logSpan_ = 0;
};

}  // namespace xscatter::cli
