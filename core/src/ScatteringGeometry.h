#pragma once

#include <cmath>
#include <numbers>

#include "xscatter/Constants.h"

// The scattering formulas in the one variable they share, h = sin²(θ/2) = λ²x², so that the
// angle read-out and the integrals over the sphere (where h runs from 0 to 1) use one form.
// With h, 1 − cos θ = 2h takes no difference of nearly equal numbers at small angles.
namespace xscatter::geometry {

inline double HalfAngleSine(double angle) {
  return std::sin(angle * (std::numbers::pi / 360));
}

inline double Cosine(double h) {
  return 1 - 2 * h;
}

// (1 + cos²θ)/2.
inline double Thomson(double h) {
  const double c = Cosine(h);
  return 0.5 * (1 + c * c);
}

// P = E′/E; k = E/mₑc².
inline double ComptonRatio(double k, double h) {
  return 1 / (1 + 2 * k * h);
}

// P²(P + 1/P − sin²θ)/2, with sin²θ = 1 − cos²θ.
inline double KleinNishina(double k, double h) {
  const double P = ComptonRatio(k, h);
  const double c = Cosine(h);
  return 0.5 * P * P * (P + 1 / P - 1 + c * c);
}

inline double EnergyRatio(double energy) {
  return energy / kElectronRestEnergy;
}

}  // namespace xscatter::geometry
