#include "xscatter/CrossSections.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "ScatteringGeometry.h"
#include "xscatter/Kinematics.h"

namespace xscatter {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Gauss–Legendre points per panel, and the widest panel in ln u: between the tables' rows ln u
// grows by at most 2 ln 2.5 = 1.8 up to x = 80, the largest 1000 keV reaches.
constexpr int kGaussPoints = 8;
constexpr double kWidestPanel = 1;

bool IsPositive(double v) {
  return v > 0 && std::isfinite(v);
}

// Nodes on [0, 1] with their weights, by Newton's method on the Legendre polynomial.
struct GaussLegendre {
  std::array<double, kGaussPoints> node{};
  std::array<double, kGaussPoints> weight{};

  GaussLegendre() {
    constexpr int n = kGaussPoints;
    for (int i = 0; i < n; ++i) {
      double z = std::cos(std::numbers::pi * (i + 0.75) / (n + 0.5));
      double derivative = 0;
      for (int iteration = 0; iteration < 100; ++iteration) {
        double p0 = 1, p1 = 0;
        for (int j = 1; j <= n; ++j) {
          const double p2 = p1;
          p1 = p0;
          p0 = ((2 * j - 1) * z * p1 - (j - 1) * p2) / j;
        }
        derivative = n * (z * p0 - p1) / (z * z - 1);
        const double step = p0 / derivative;
        z -= step;
        if (std::fabs(step) < 1e-16) break;
      }
      node[i] = 0.5 * (1 - z);
      weight[i] = 1 / ((1 - z * z) * derivative * derivative);
    }
  }
};

const GaussLegendre& Gauss() {
  static const GaussLegendre rule;
  return rule;
}

// ∫₀ᴸ e^{q t} dt, also where q L is near 0.
double ExponentialIntegral(double q, double L) {
  const double y = q * L;
  return y == 0 ? L : L * (std::expm1(y) / y);
}

// ∫₀ᵁ Σ a_m u^m du for a polynomial of degree 4.
double PolynomialIntegral(const std::array<double, 5>& a, double U) {
  double sum = 0;
  for (int m = 4; m >= 0; --m) sum = sum * U + a[m] / (m + 1);
  return sum * U;
}

}  // namespace

// The integrals over u = x² that make the totals, for one energy.
struct CurveIntegrals {
  const ScatteringCurve& curve;
  double beta;  // λ², so that sin²(θ/2) = β u
  double k;     // E / mₑc²

  double Thomson(double u) const { return geometry::Thomson(beta * u); }
  double KleinNishina(double u) const { return geometry::KleinNishina(k, beta * u); }

  // ∫₀ᵁ (1 + cos²θ)/2 F² du and ∫₀ᵁ KN S du below row 2, U <= x₂², where F and S are linear in
  // u; the first exactly, its integrand a polynomial of degree 4.
  CrossSections BelowRowTwo(double U) const {
    const ScatteringTable& rows = curve.rows_;
    const double u2 = rows.x[2] * rows.x[2];
    const double a = rows.F[1], b = (rows.F[2] - rows.F[1]) / u2;
    const std::array<double, 3> squared{a * a, 2 * a * b, b * b};
    const std::array<double, 3> thomson{1, -2 * beta, 2 * beta * beta};
    std::array<double, 5> product{};
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) product[i + j] += squared[i] * thomson[j];
    }
    const double S1 = rows.S[1], slope = (rows.S[2] - rows.S[1]) / u2;
    double incoherent = 0;
    const GaussLegendre& gauss = Gauss();
    for (int j = 0; j < kGaussPoints; ++j) {
      const double u = U * gauss.node[j];
      incoherent += gauss.weight[j] * KleinNishina(u) * (S1 + slope * u);
    }
    return {PolynomialIntegral(product, U), incoherent * U};
  }

  // The same from row i − 1 to u_b <= x_i², i >= 3, where g = g_{i−1} (u/u_{i−1})^p. With
  // u = u_{i−1} e^t, ∫ u^m (u/u_{i−1})^p du = u_{i−1}^{m+1} ∫₀ᴸ e^{(p+m+1)t} dt.
  CrossSections Interval(int i, double ub) const {
    const ScatteringTable& rows = curve.rows_;
    const double ua = rows.x[i - 1] * rows.x[i - 1];
    const double L = std::log(ub / ua);
    const double p = curve.formSquaredExponent_[i];
    const double coherent =
        rows.F[i - 1] * rows.F[i - 1] * ua *
        (ExponentialIntegral(p + 1, L) - 2 * beta * ua * ExponentialIntegral(p + 2, L) +
         2 * beta * beta * ua * ua * ExponentialIntegral(p + 3, L));

    const double q = curve.scatteringExponent_[i] + 1;
    const int panels = std::max(1, static_cast<int>(std::ceil(L / kWidestPanel)));
    const double width = L / panels;
    const GaussLegendre& gauss = Gauss();
    double incoherent = 0;
    for (int panel = 0; panel < panels; ++panel) {
      for (int j = 0; j < kGaussPoints; ++j) {
        const double t = (panel + gauss.node[j]) * width;
        incoherent += gauss.weight[j] * KleinNishina(ua * std::exp(t)) * std::exp(q * t);
      }
    }
    return {coherent, incoherent * width * rows.S[i - 1] * ua};
  }
};

ScatteringCurve::ScatteringCurve(const ScatteringTable& table) : rows_(table), logLog_(table) {
  for (int i = 3; i <= kTableRows; ++i) {
    const double lnU = 2 * std::log(table.x[i] / table.x[i - 1]);
    formSquaredExponent_[i] = 2 * std::log(table.F[i] / table.F[i - 1]) / lnU;
    scatteringExponent_[i] = std::log(table.S[i] / table.S[i - 1]) / lnU;
  }
}

Result<ScatteringCurve> ScatteringCurve::Make(const ScatteringTable& table) {
  const auto fault = [](int row, const char* what) {
    return Status::Failed("row " + std::to_string(row) + ": " + what);
  };
  if (table.x[1] != 0) return fault(1, "x is not 0");
  const auto notNegative = [](double v) { return v >= 0 && std::isfinite(v); };
  if (!notNegative(table.F[1]) || !notNegative(table.S[1])) {
    return fault(1, "F or S is negative or not finite");
  }
  for (int row = 2; row <= kTableRows; ++row) {
    if (!(table.x[row] > table.x[row - 1]) || !std::isfinite(table.x[row])) {
      return fault(row, "x does not rise from the row before");
    }
    if (!IsPositive(table.F[row]) || !IsPositive(table.S[row])) {
      return fault(row, "F or S is not positive, which log-log interpolation needs");
    }
  }
  return ScatteringCurve(table);
}

FunctionValues ScatteringCurve::At(double x) const {
  if (!(x >= 0)) return {kNaN, kNaN};
  if (x < rows_.x[2]) {
    const double r = x / rows_.x[2];
    const double r2 = r * r;
    return {rows_.F[1] + (rows_.F[2] - rows_.F[1]) * r2,
            rows_.S[1] + (rows_.S[2] - rows_.S[1]) * r2};
  }
  return InterpolateAt(logLog_, x).value_or(FunctionValues{kNaN, kNaN});
}

AngleValues ScatteringAtAngle(const ScatteringCurve& curve, double energy, double angle) {
  if (!IsPositive(energy) || !(angle >= 0 && angle <= 180)) {
    return {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
  }
  const double s = geometry::HalfAngleSine(angle);
  const double h = s * s;
  const double x = s / WavelengthOfEnergy(energy);
  const double k = geometry::EnergyRatio(energy);
  const FunctionValues values = curve.At(x);
  return {x,
          values.F,
          values.S,
          kElectronRadiusSquared * geometry::Thomson(h) * values.F * values.F,
          kElectronRadiusSquared * geometry::KleinNishina(k, h) * values.S,
          energy * geometry::ComptonRatio(k, h)};
}

Status ScatteringAtAngles(const ScatteringCurve& curve, double energy,
                          std::span<const double> angles, const AngleColumns& columns) {
  const std::array<std::span<double>, 6> all{
      columns.x, columns.F, columns.S, columns.coherent, columns.incoherent, columns.comptonEnergy};
  for (const std::span<double>& column : all) {
    if (!column.empty() && column.size() != angles.size()) {
      return Status::Failed("a column of another length than the angles");
    }
  }
  if (!IsPositive(energy)) return Status::Failed("the energy must be a positive number of keV");
  for (std::size_t n = 0; n < angles.size(); ++n) {
    if (!(angles[n] >= 0 && angles[n] <= 180)) {
      return Status::Failed("angle " + std::to_string(n + 1) + " lies outside 0 to 180 degrees");
    }
  }
  for (std::size_t n = 0; n < angles.size(); ++n) {
    const AngleValues values = ScatteringAtAngle(curve, energy, angles[n]);
    const std::array<double, 6> row{values.x,        values.F,          values.S,
                                    values.coherent, values.incoherent, values.comptonEnergy};
    for (std::size_t c = 0; c < all.size(); ++c) {
      if (!all[c].empty()) all[c][n] = row[c];
    }
  }
  return Status::Ok();
}

CrossSections TotalCrossSections(const ScatteringCurve& curve, double energy) {
  if (!IsPositive(energy)) return {kNaN, kNaN};
  const double lambda = WavelengthOfEnergy(energy);
  const CurveIntegrals integrals{curve, lambda * lambda, geometry::EnergyRatio(energy)};
  const double uMax = 1 / (lambda * lambda);
  const ScatteringTable& rows = curve.table();
  if (rows.x[kTableRows] * rows.x[kTableRows] < uMax) return {kNaN, kNaN};

  CrossSections sum = integrals.BelowRowTwo(std::min(rows.x[2] * rows.x[2], uMax));
  for (int i = 3; i <= kTableRows && rows.x[i - 1] * rows.x[i - 1] < uMax; ++i) {
    const CrossSections part = integrals.Interval(i, std::min(rows.x[i] * rows.x[i], uMax));
    sum.coherent += part.coherent;
    sum.incoherent += part.incoherent;
  }
  // dΩ = 2π dcos θ and dcos θ = −2λ² du.
  const double scale = 2 * std::numbers::pi * kElectronRadiusSquared * 2 * lambda * lambda;
  return {scale * sum.coherent, scale * sum.incoherent};
}

Status TotalCrossSections(const ScatteringCurve& curve, std::span<const double> energies,
                          std::span<double> coherent, std::span<double> incoherent) {
  if (coherent.size() != energies.size() || incoherent.size() != energies.size()) {
    return Status::Failed("a column of another length than the energies");
  }
  for (std::size_t n = 0; n < energies.size(); ++n) {
    if (!IsPositive(energies[n])) {
      return Status::Failed("energy " + std::to_string(n + 1) +
                            " must be a positive number of keV");
    }
  }
  for (std::size_t n = 0; n < energies.size(); ++n) {
    const CrossSections totals = TotalCrossSections(curve, energies[n]);
    coherent[n] = totals.coherent;
    incoherent[n] = totals.incoherent;
  }
  return Status::Ok();
}

double PerGram(double molarMass) {
  return kAvogadro * kBarnInSquareCentimetres / molarMass;
}

}  // namespace xscatter
