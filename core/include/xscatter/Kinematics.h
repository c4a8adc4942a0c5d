#pragma once

#include <optional>

namespace xscatter {

// Photon energies are in keV, wavelengths in Å, scattering angles θ in degrees (0 forward,
// 180 back) and the momentum transfer x = sin(θ/2)/λ in 1/Å, the variable of the tables
// (q = 4π·x is the other convention in use).

// λ = hc/E and E = hc/λ.
double WavelengthOfEnergy(double energy);
double EnergyOfWavelength(double wavelength);

// x = sin(θ/2)/λ, from the wavelength or from the photon energy.
double MomentumTransfer(double wavelength, double angle);
double MomentumTransferAtEnergy(double energy, double angle);

// The angle θ at which photons of this energy transfer x: 2·asin(x·λ). None for x < 0 or
// x > 1/λ, which no angle reaches.
std::optional<double> ScatteringAngle(double x, double energy);

// The energy of a photon Compton-scattered by a free electron at rest:
// E′ = E / (1 + (E/mₑc²)(1 − cos θ)).
double ComptonEnergy(double energy, double angle);

// dσ/dΩ of an unpolarised photon on a free electron in units of rₑ²: Thomson's (1 + cos²θ)/2,
// and Klein and Nishina's P²(P + 1/P − sin²θ)/2 with P = E′/E, which tends to Thomson's as
// E → 0.
double ThomsonFactor(double angle);
double KleinNishinaFactor(double energy, double angle);

// The same cross sections in barn/sr: rₑ² times the factors.
double ThomsonCrossSection(double angle);
double KleinNishinaCrossSection(double energy, double angle);

}  // namespace xscatter
