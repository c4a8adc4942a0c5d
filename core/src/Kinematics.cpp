#include "xscatter/Kinematics.h"

#include "ScatteringGeometry.h"

namespace xscatter {
namespace {

double HalfAngleSineSquared(double angle) {
  const double s = geometry::HalfAngleSine(angle);
  return s * s;
}

}  // namespace

double WavelengthOfEnergy(double energy) {
  return kPlanckSpeedOfLight / energy;
}

double EnergyOfWavelength(double wavelength) {
  return kPlanckSpeedOfLight / wavelength;
}

double MomentumTransfer(double wavelength, double angle) {
  return geometry::HalfAngleSine(angle) / wavelength;
}

double MomentumTransferAtEnergy(double energy, double angle) {
  return MomentumTransfer(WavelengthOfEnergy(energy), angle);
}

std::optional<double> ScatteringAngle(double x, double energy) {
  const double s = x * WavelengthOfEnergy(energy);
  if (!(s >= 0 && s <= 1)) return std::nullopt;
  return std::asin(s) * (360 / std::numbers::pi);
}

double ComptonEnergy(double energy, double angle) {
  return energy *
         geometry::ComptonRatio(geometry::EnergyRatio(energy), HalfAngleSineSquared(angle));
}

double ThomsonFactor(double angle) {
  return geometry::Thomson(HalfAngleSineSquared(angle));
}

double KleinNishinaFactor(double energy, double angle) {
  return geometry::KleinNishina(geometry::EnergyRatio(energy), HalfAngleSineSquared(angle));
}

double ThomsonCrossSection(double angle) {
  return kElectronRadiusSquared * ThomsonFactor(angle);
}

double KleinNishinaCrossSection(double energy, double angle) {
  return kElectronRadiusSquared * KleinNishinaFactor(energy, angle);
}

}  // namespace xscatter
