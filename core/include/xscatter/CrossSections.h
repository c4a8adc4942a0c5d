#pragma once

#include <array>
#include <span>

#include "xscatter/Interpolation.h"
#include "xscatter/ScatteringTable.h"
#include "xscatter/Status.h"

namespace xscatter {

// F(x) and S(x) of a table at every momentum transfer from 0 up to its last row, for cross
// sections. From row 2 on: the log-log interpolation of InterpolateAt. Below row 2, where row 1
// at x = 0 has no logarithm (the typed read-out's range rule does not apply here): F and S
// quadratic in x between rows 1 and 2, g(x) = g₁ + (g₂ − g₁)(x/x₂)². It follows the leading
// terms at small x, F(x) = F(0) − c·x² and S(x) ∝ x² (S(0) = 0), and meets row 2 exactly.
class ScatteringCurve {
 public:
  // Takes a table whose row 1 lies at x = 0 with F and S finite and not negative, whose x rises
  // from row to row, and whose F and S are positive and finite from row 2 on, as the element
  // tables and every compound of them are; the reason names the first row that is not.
  static Result<ScatteringCurve> Make(const ScatteringTable& table);

  // F and S at x; both NaN for x < 0, x NaN or x beyond the last row.
  FunctionValues At(double x) const;

  const ScatteringTable& table() const { return rows_; }

 private:
  explicit ScatteringCurve(const ScatteringTable& table);
  friend struct CurveIntegrals;

  ScatteringTable rows_;
  LogLogTable logLog_;
  // From row i − 1 to row i, i >= 3, the interpolation is a power law in u = x²:
  // F² ∝ u^formSquaredExponent_[i] and S ∝ u^scatteringExponent_[i].
  std::array<double, kTableSlots> formSquaredExponent_{};
  std::array<double, kTableSlots> scatteringExponent_{};
};

// Everything at one scattering angle, per unit of the table; unpolarised photons.
struct AngleValues {
  double x = 0;  // 1/Å
  double F = 0;
  double S = 0;
  double coherent = 0;       // dσ/dΩ = rₑ² (1 + cos²θ)/2 · F², barn/sr
  double incoherent = 0;     // dσ/dΩ = Klein–Nishina dσ/dΩ · S, barn/sr
  double comptonEnergy = 0;  // E′, keV
};

// At photon energy E (keV) and angle θ (degrees, 0 to 180); all NaN outside these.
AngleValues ScatteringAtAngle(const ScatteringCurve& curve, double energy, double angle);

// Columns to fill, each empty (not wanted) or as long as the angles.
struct AngleColumns {
  std::span<double> x{};
  std::span<double> F{};
  std::span<double> S{};
  std::span<double> coherent{};
  std::span<double> incoherent{};
  std::span<double> comptonEnergy{};
};

// ScatteringAtAngle for many angles at one energy. Fails, writing nothing, on an energy that is
// not positive, an angle outside 0 to 180 or a column of another length.
Status ScatteringAtAngles(const ScatteringCurve& curve, double energy,
                          std::span<const double> angles, const AngleColumns& columns);

// σ = ∫ dσ/dΩ dΩ over the sphere, per unit of the table, in barn.
struct CrossSections {
  double coherent = 0;
  double incoherent = 0;
};

// At photon energy E (keV); NaN when E is not positive or 1/λ lies beyond the last row. The
// integral runs over u = x² from 0 to 1/λ², dcos θ = −2λ² du. The coherent one is exact for
// the curve: between rows F² is a power law in u, or quadratic in u below row 2, and
// (1 + cos²θ)/2 is a polynomial in u. The incoherent one is a Gauss–Legendre quadrature on each
// interval between rows, in ln u above row 2, within 1e-12 of the exact integral of the curve
// (docs/physics.md).
CrossSections TotalCrossSections(const ScatteringCurve& curve, double energy);

// TotalCrossSections for many energies. Fails, writing nothing, on an energy that is not
// positive or a column of another length than the energies.
Status TotalCrossSections(const ScatteringCurve& curve, std::span<const double> energies,
                          std::span<double> coherent, std::span<double> incoherent);

// The factor from barn per unit to cm²/g for units of this molar mass (g/mol): N_A·10⁻²⁴/M.
double PerGram(double molarMass);

}  // namespace xscatter
