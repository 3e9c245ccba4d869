#include "compute/bar_readout.h"

#include <algorithm>
#include <cmath>

#include "wing/cell_number.h"

namespace velarix {

namespace {
// Kinematic viscosity of air, reciprocal [s/m^2], the same at every altitude.
constexpr Real kReciprocalKinematicViscosity = 70000.0L;
}  // namespace

Real distributionAtBar(const Distribution& values, int m, Real halfSpan, Real y) {
  if (m < 1 || m > kMaxStations || !(halfSpan > 0)) return 0;
  const Real u = std::clamp(y / halfSpan, -1.0L, 1.0L);
  int i = 0;
  if (u == 1) {
    i = 0;
  } else if (u == -1) {
    i = m;
  } else {
    const Real arcsinDeg = std::atan(u / std::sqrt(1 - u * u)) * 180.0L / kPi;
    i = (m + 1) / 2 - static_cast<int>(roundHalfEven(arcsinDeg * (m + 1) / 180.0L + 0.5L));
    i = std::clamp(i, 0, m);
  }
  const Real step = kPi / (m + 1);
  if (i == 0) return values[1] * (u - 1) / (std::cos(step) - 1);
  const Real ci = std::cos(i * step);
  const Real cNext = std::cos((i + 1) * step);
  return values[i] + (values[i + 1] - values[i]) * (u - ci) / (cNext - ci);
}

Real reynoldsAtBar(const TWing& wing, Real speed, Real y) {
  const CellTable& k = wing.kinkTable;
  const int n = wing.kinkCount();
  for (int r = 1; r < n; ++r) {
    const Real y1 = k.number(kColKinkY, r);
    const Real y2 = k.number(kColKinkY, r + 1);
    if (y < y1 || y > y2 || y2 == y1) continue;
    const Real t = (y - y1) / (y2 - y1);
    const Real x1 = k.number(kColKinkX, r);
    const Real x2 = k.number(kColKinkX, r + 1);
    const Real te1 = x1 + k.number(kColKinkChord, r);
    const Real te2 = x2 + k.number(kColKinkChord, r + 1);
    const Real chord = (te1 + t * (te2 - te1)) - (x1 + t * (x2 - x1));
    return static_cast<Real>(roundHalfEven(speed * chord * kReciprocalKinematicViscosity));
  }
  return 0;
}

BarReadout barReadout(const TWing& wing, const BarReadoutValues& values) {
  BarReadout out;
  if (!wing.wingPresent || values.distribution == nullptr) return out;
  const TSpanDistribution& d = *values.distribution;
  const int m = d.stationCount;
  const Real s = wing.halfSpan;
  const Real y = wing.barPosition;
  const DisplaySwitches& on = wing.switches;
  auto at = [&](const Distribution& v) { return formatCellNumber(distributionAtBar(v, m, s, y)); };
  std::string& line = out.line;
  if (on[DisplaySwitch::Reynolds]) {
    line += "Re=" + formatCellNumber(std::fabs(reynoldsAtBar(wing, values.flightSpeed, y)));
  }
  if (on[DisplaySwitch::Circulation]) line += " /Gamma=" + at(d.gamma);
  if (on[DisplaySwitch::LiftCoefficients]) line += " /ca=" + at(d.ca);
  if (on[DisplaySwitch::InducedDrag]) line += " /cwi=" + at(d.cwi);
  if (on[DisplaySwitch::ProfileDrag]) line += " /cwp=" + at(d.cwp);
  if (on[DisplaySwitch::TotalDrag]) line += " /cwg=" + at(d.cwg);
  if (on[DisplaySwitch::PitchingMoments]) line += " /Mü=" + at(d.mue);
  if (on[DisplaySwitch::InducedAngles]) {
    line += " /ai=" +
            formatCellNumber(kDegPerRadRounded * distributionAtBar(d.ai, m, s, y)) + " Grad";
  }
  if (on[DisplaySwitch::LocalCentresOfPressure]) line += " /xd=" + at(d.xd) + " m";
  if (values.aerodynamicNeutralPoint < values.pressurePoint) line += "   //Instabiler Flug";
  out.span = formatCellNumber(wing.span);
  out.mass = formatCellNumber(wing.wingMass);
  out.altitude = formatCellNumber(wing.flightAltitude);
  return out;
}

BarReadoutState refreshBarReadout(const TWing& wing, const EditingContext& context,
                                  const WingResults& results) {
  BarReadoutState state;
  if (!wing.wingPresent) return state;
  state.controls = controlsAtBar(wing, context);
  const TWingCoefficients& c = results.coefficients;
  state.readout = barReadout(wing, {&results.distribution, c.flightSpeed,
                                    c.aerodynamicNeutralPoint, c.pressurePoint});
  return state;
}

}  // namespace velarix
