#include "compute/wing_computation.h"

#include <array>
#include <cmath>
#include <string>

#include "wing/cell_number.h"

namespace velarix {

namespace {

constexpr std::string_view kProgressLabel = "Flügel wird berechnet!";
// Kinematic viscosity of air as 1/nu [s/m^2], the same at every altitude.
constexpr Real kInverseKinematicViscosity = 70000;
// Step of the elliptic neutral-point sum [m].
constexpr Real kEllipticStep = 0.001L;

// Standard atmosphere, density [kg/m^3] at 0, 1000, ..., 25000 m.
constexpr std::array<Real, 26> kDensityTable = {
    1.225L, 1.112L, 1.007L, 0.909L, 0.819L, 0.736L, 0.66L,  0.59L,  0.526L,
    0.467L, 0.414L, 0.365L, 0.312L, 0.267L, 0.228L, 0.195L, 0.166L, 0.142L,
    0.122L, 0.104L, 0.089L, 0.076L, 0.065L, 0.055L, 0.047L, 0.04L};

[[noreturn]] void refuse(const std::string& text) {
  throw WingComputationError("Der Flügel kann nicht berechnet werden: " + text);
}

// Shows the progress label and bar for the lifetime of the computation and
// hides them again however it ends.
class ProgressDisplay {
 public:
  explicit ProgressDisplay(Platform& platform) : platform_(platform) {
    platform_.showProgress(kProgressLabel, 1);
    platform_.setProgressPosition(0);
  }
  ~ProgressDisplay() { platform_.hideProgress(); }
  ProgressDisplay(const ProgressDisplay&) = delete;
  ProgressDisplay& operator=(const ProgressDisplay&) = delete;

 private:
  Platform& platform_;
};

// The stations cover -s..s only when the left tip lies at -s.
void checkSpan(const TWing& wing) {
  const Real halfSpan = kinkY(wing, wing.kinkCount());
  const Real leftTip = kinkY(wing, 1);
  if (!(halfSpan > 0)) {
    refuse("die Halbspannweite (y der letzten Knickstelle) ist " + formatCellNumber(halfSpan) +
           " m; sie muss größer als 0 sein.");
  }
  if (std::fabs(leftTip + halfSpan) > 1e-6L) {
    refuse("die linke Flügelspitze liegt bei y = " + formatCellNumber(leftTip) +
           " m, die rechte bei y = " + formatCellNumber(halfSpan) +
           " m; die Knickstellentabelle muss von -s bis s reichen.");
  }
}

void checkMass(const TWing& wing) {
  if (!(wing.wingMass > 0) || !std::isfinite(wing.wingMass)) {
    refuse("die Masse " + formatCellNumber(wing.wingMass) + " kg ist nicht größer als 0.");
  }
}

// Solver mode and prescribed value of the design condition; the speed
// design becomes the lift coefficient of that speed.
void designCondition(const TWing& wing, Real density, Real area, LiftingLineInput& in) {
  switch (wing.designMode) {
    case DesignMode::WingAngle:
      in.mode = SolverMode::WingAngle;
      in.designValue = wing.wingAngleOfAttack;
      break;
    case DesignMode::LiftCoefficient:
      in.mode = SolverMode::LiftCoefficient;
      in.designValue = wing.designCA;
      break;
    case DesignMode::StabilityMargin:
      in.mode = SolverMode::StabilityMargin;
      in.designValue = wing.designStabilityMargin;
      break;
    case DesignMode::CgPosition:
      in.mode = SolverMode::CgPosition;
      in.designValue = wing.designCgPosition;
      break;
    case DesignMode::Speed: {
      const Real v = wing.designSpeed;
      if (!(v > 0) || !std::isfinite(v)) {
        refuse("die Geschwindigkeit " + formatCellNumber(v) + " m/s ist nicht größer als 0.");
      }
      in.mode = SolverMode::LiftCoefficient;
      in.designValue = 2.0L * wing.wingMass * kGravity / (density * v * v * area);
      break;
    }
  }
}

void copySolution(const LiftingLineSolution& sol, TSpanDistribution& d, TWingCoefficients& c) {
  const int m = d.stationCount;
  for (int j = 0; j < kDistributionSize; ++j) {
    const bool station = j >= 1 && j <= m;
    d.gamma[j] = station ? sol.gamma[j] : 0;
    d.mue[j] = station ? sol.mue[j] : 0;
    d.ai[j] = station ? sol.ai[j] : 0;
    d.cwi[j] = station ? sol.cwi[j] : 0;
    d.ca[j] = station ? sol.ca[j] : 0;
  }
  c.liftSlope = sol.liftSlope;
  c.momentSlope = sol.momentSlope;
  c.aerodynamicNeutralPoint = sol.aerodynamicNeutralPoint;
  c.zeroLiftAngle = sol.zeroLiftAngle;
  c.zeroLiftMoment = sol.zeroLiftMoment;
  c.liftCoefficient = sol.liftCoefficient;
  c.momentCoefficient = sol.momentCoefficient;
  c.pressurePoint = sol.pressurePoint;
  c.stabilityMargin = sol.stabilityMargin;
  c.rollingMoment = sol.rollingMoment;
  c.inducedDrag = sol.inducedDrag;
  c.inducedDragQuality = sol.inducedDragQuality;
  c.inducedYawingMoment = sol.inducedYawingMoment;
}

// Last line of defence: no value that the report, the drawing or the entries
// show may be NaN or infinite.
void checkFiniteResults(const WingResults& r) {
  const TWingCoefficients& c = r.coefficients;
  const Real values[] = {c.wingArea,
                         c.aspectRatio,
                         c.referenceChord,
                         c.wingLoading,
                         c.airDensity,
                         c.geometricNeutralPoint,
                         c.ellipticNeutralPoint,
                         c.flightSpeed,
                         c.frictionDragEstimated,
                         c.totalDragEstimated,
                         c.glideRatioEstimated,
                         c.climbFactorEstimated,
                         c.sinkSpeedEstimated,
                         c.glideAngleEstimated};
  for (Real value : values) {
    if (!std::isfinite(value)) refuse("ein Ergebniswert ist nicht bestimmt (nicht endlich).");
  }
  const TSpanDistribution& d = r.distribution;
  for (int j = 1; j <= d.stationCount; ++j) {
    for (Real value : {d.xd[j], d.re[j], d.cwrEstimated[j], d.cwgEstimated[j], d.ca[j]}) {
      if (!std::isfinite(value)) {
        refuse("ein Ergebniswert an Wirbelstelle " + std::to_string(j) +
               " ist nicht bestimmt (nicht endlich).");
      }
    }
  }
}

}  // namespace

// Local centre of pressure xd = x25 - mue c / gamma (mue/gamma = cm/ca).
// A station without circulation has no centre of pressure; it is given the
// quarter-chord point, where a section's lift acts, so that the drawing and
// the report show a finite value there.
void computeLocalCentresOfPressure(TSpanDistribution& d) {
  for (int j = 1; j <= d.stationCount; ++j) {
    const Real xd = d.xQuarterChord[j] - d.mue[j] * d.chord[j] / d.gamma[j];
    d.xd[j] = d.gamma[j] != 0 && std::isfinite(xd) ? xd : d.xQuarterChord[j];
  }
}

Real airDensity(Real altitude) {
  if (!(altitude >= 0 && altitude <= kMaxFlightAltitude)) {
    refuse("die Flughöhe " + formatCellNumber(altitude) +
           " m liegt außerhalb der Dichtetabelle; erlaubt sind 0 bis 25000 m.");
  }
  if (altitude == kMaxFlightAltitude) return kDensityTable.back();
  for (std::size_t i = 0; i + 1 < kDensityTable.size(); ++i) {
    const Real h0 = 1000.0L * static_cast<Real>(i);
    const Real h1 = h0 + 1000.0L;
    if (h0 <= altitude && altitude < h1) {
      return kDensityTable[i] +
             (kDensityTable[i + 1] - kDensityTable[i]) * (altitude - h0) / (h1 - h0);
    }
  }
  return kDensityTable.back();  // not reached
}

PlanformIntegrals integratePlanform(const TWing& wing) {
  const CellTable& k = wing.kinkTable;
  Real area = 0;
  Real chordMoment = 0;
  Real pointMoment = 0;
  for (int i = 1; i < wing.kinkCount(); ++i) {
    const Real y1 = k.number(kColKinkY, i);
    const Real y2 = k.number(kColKinkY, i + 1);
    const Real x1 = k.number(kColKinkX, i);
    const Real x2 = k.number(kColKinkX, i + 1);
    const Real t1 = k.number(kColKinkChord, i);
    const Real t2 = k.number(kColKinkChord, i + 1);
    // Leading and trailing edge at the spanwise station of the panel's mean chord.
    const Real q = (2 * t1 + t2) / (t1 + 2 * t2);
    const Real xl = x2 - (x2 - x1) * q / (q + 1);
    const Real xt = q * ((t1 + x1) - (t2 + x2)) / (q + 1) + t2 + x2;
    const Real meanChord = xt - xl;
    const Real quarterPoint = xl + 0.25L * meanChord;
    const Real panelArea = std::fabs((y2 - y1) * (t1 + t2) * 0.5L);
    area += panelArea;
    chordMoment += panelArea * meanChord;
    pointMoment += panelArea * quarterPoint;
  }
  if (!(area > 0)) refuse("die Flügelfläche ist 0.");
  return {area, chordMoment / area, pointMoment / area};
}

Real ellipticNeutralPoint(const TWing& wing, Real s) {
  const CellTable& k = wing.kinkTable;
  Real sum = 0;
  Real y = -s;
  for (int i = 1; i < wing.kinkCount(); ++i) {
    const Real y1 = k.number(kColKinkY, i);
    const Real y2 = k.number(kColKinkY, i + 1);
    const Real xl1 = k.number(kColKinkX, i);
    const Real xl2 = k.number(kColKinkX, i + 1);
    const Real xt1 = xl1 + k.number(kColKinkChord, i);
    const Real xt2 = xl2 + k.number(kColKinkChord, i + 1);
    while (y <= y2) {
      const Real t = (y - y1) / (y2 - y1);
      const Real xl = xl1 + (xl2 - xl1) * t;
      const Real xt = xt1 + (xt2 - xt1) * t;
      const Real x25 = xl + 0.25L * (xt - xl);
      const Real weight = (y <= -s || y >= s) ? 0.5L * kEllipticStep : kEllipticStep;
      sum += weight * x25 * std::sqrt(std::fmax(s * s - y * y, 0.0L));
      y += kEllipticStep;
    }
  }
  return sum * 2.0L / (kPi * s * s);
}

void estimateDrag(Real span, Real wingMass, TSpanDistribution& d, TWingCoefficients& c) {
  const int m = d.stationCount;
  const Real v = c.flightSpeed;
  for (int j = 0; j <= m + 1; ++j) {
    d.re[j] = std::nearbyint(v * d.chord[j] * kInverseKinematicViscosity);
  }
  Real sum = 0;
  for (int j = 1; j <= m; ++j) {
    if (!(d.re[j] > 1)) {
      refuse("die Reynoldszahl an Wirbelstelle " + std::to_string(j) + " ist " +
             formatCellNumber(d.re[j]) + "; die Reibungsabschätzung braucht Re > 1.");
    }
    // Prandtl-Schlichting turbulent flat plate: cf = 0.455 / (log10 Re)^2.58.
    d.cwrEstimated[j] = 0.455L / std::pow(std::log10(d.re[j]), 2.58L);
    d.cwgEstimated[j] = d.cwrEstimated[j] + d.cwi[j];
    const Real theta = j * kPi / (m + 1);
    sum += (d.chord[j] * d.cwrEstimated[j] * 0.5L / span) * std::sin(theta);
  }
  const Real ca = c.liftCoefficient;
  const Real absCa = std::fabs(ca);
  c.frictionDragEstimated = kPi * c.aspectRatio * sum / (m + 1);
  c.totalDragEstimated = c.frictionDragEstimated + c.inducedDrag;
  c.glideRatioEstimated = ca / c.totalDragEstimated;
  c.climbFactorEstimated = std::pow(absCa, 1.5L) / c.totalDragEstimated;
  c.sinkSpeedEstimated = c.totalDragEstimated *
                         std::sqrt(2.0L * kGravity * wingMass / c.airDensity / c.wingArea / absCa) /
                         absCa;
  c.glideAngleEstimated = std::atan(c.totalDragEstimated / ca);
}

DesignValueTexts designValueTexts(const TWing& wing) {
  DesignValueTexts t;
  t.wingAngleOfAttack = formatCellNumber(roundToDecimals(wing.wingAngleOfAttack, 6));
  t.liftCoefficient = formatCellNumber(roundToDecimals(wing.designCA, 3));
  t.stabilityMargin = formatCellNumber(roundToDecimals(wing.designStabilityMargin, 2));
  t.cgPosition = formatCellNumber(roundToDecimals(wing.designCgPosition, 4));
  t.speed = formatCellNumber(roundToDecimals(wing.designSpeed, 3));
  return t;
}

void computeWing(TWing& wing, WingResults& results, Platform& platform) {
  if (!wing.wingPresent) return;
  validateWingForComputation(wing);
  ProgressDisplay progress(platform);

  // Everything is computed into a copy; the wing and the results change only
  // when the whole computation succeeds. gamma and mue of the last solution
  // are the start values of the sweeps.
  WingResults next;
  next.mapping = results.mapping;
  next.distribution.gamma = results.distribution.gamma;
  next.distribution.mue = results.distribution.mue;
  TSpanDistribution& d = next.distribution;
  TWingCoefficients& c = next.coefficients;

  computeDrawingScale(wing, kDrawingAreaWidth, kDrawingAreaHeight, next.mapping);
  checkSpan(wing);
  checkMass(wing);
  const Real halfSpan = kinkY(wing, wing.kinkCount());
  const Real span = 2 * halfSpan;

  c.airDensity = airDensity(wing.flightAltitude);
  const PlanformIntegrals planform = integratePlanform(wing);
  c.wingArea = planform.wingArea;
  c.referenceChord = planform.referenceChord;
  c.geometricNeutralPoint = planform.geometricNeutralPoint;
  c.aspectRatio = span * span / c.wingArea;
  c.wingLoading = wing.wingMass / c.wingArea;
  c.ellipticNeutralPoint = ellipticNeutralPoint(wing, halfSpan);

  computeStations(wing, d);

  LiftingLineInput in;
  in.stationCount = d.stationCount;
  in.xLeadingEdge = d.xLeadingEdge;
  in.xTrailingEdge = d.xTrailingEdge;
  in.angleFromZeroLift = d.angleFromZeroLift;
  in.cm0 = d.cm0;
  in.span = span;
  in.aspectRatio = c.aspectRatio;
  in.referenceChord = c.referenceChord;
  in.geometricNeutralPoint = c.geometricNeutralPoint;
  designCondition(wing, c.airDensity, c.wingArea, in);
  if (!std::isfinite(in.designValue)) refuse("der Auslegungswert ist nicht bestimmt.");

  LiftingLineSolution solution;
  solution.gamma = d.gamma;
  solution.mue = d.mue;
  solveLiftingLine(in, solution, platform);
  copySolution(solution, d, c);

  computeLocalCentresOfPressure(d);
  // |CA| > 0 is guaranteed by the solver.
  c.flightSpeed = std::sqrt(2.0L * wing.wingMass * kGravity /
                            (c.wingArea * c.airDensity * std::fabs(c.liftCoefficient)));
  estimateDrag(span, wing.wingMass, d, c);
  checkFiniteResults(next);
  next.computed = true;

  // Commit: the design values that were not prescribed follow the solution.
  wing.halfSpan = halfSpan;
  wing.span = span;
  wing.wingAngleOfAttack = solution.alpha;
  wing.designCA = c.liftCoefficient;
  wing.designStabilityMargin = c.stabilityMargin;
  wing.designCgPosition = c.pressurePoint;
  wing.designSpeed = c.flightSpeed;
  next.designTexts = designValueTexts(wing);
  results = next;
  platform.enableComputedWingControls();
  platform.showDesignValues(results.designTexts);

  // The computed-values report is filled here, before CN takes CNI.
  results.coefficients.yawingMoment = results.coefficients.inducedYawingMoment;
}

}  // namespace velarix
