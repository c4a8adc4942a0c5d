#pragma once

// Physical constants: CODATA 2018, E. Tiesinga, P. J. Mohr, D. B. Newell and B. N. Taylor,
// "CODATA recommended values of the fundamental physical constants: 2018", Rev. Mod. Phys. 93,
// 025010 (2021). h, c, e and N_A are exact since the SI of 2019, and so is hc.
namespace xscatter {

// hc in keV·Å: a photon of energy E (keV) has the wavelength hc / E (Å).
inline constexpr double kPlanckSpeedOfLight = 12.398419843320026;

// The electron's rest energy mₑc² in keV.
inline constexpr double kElectronRestEnergy = 510.99895000;

// The classical electron radius rₑ in m.
inline constexpr double kClassicalElectronRadius = 2.8179403262e-15;

// The Avogadro constant N_A in 1/mol.
inline constexpr double kAvogadro = 6.02214076e23;

// One barn in m² and in cm².
inline constexpr double kBarn = 1e-28;
inline constexpr double kBarnInSquareCentimetres = 1e-24;

// rₑ² in barn, the scale of the Thomson and Klein–Nishina cross sections per electron.
inline constexpr double kElectronRadiusSquared =
    kClassicalElectronRadius * kClassicalElectronRadius / kBarn;

}  // namespace xscatter
