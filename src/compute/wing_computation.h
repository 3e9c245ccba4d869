// The computation of a wing: planform integrals, air density, stations,
// lifting-line solution, local centres of pressure, flight speed, Reynolds
// numbers and the estimated polar, and the design values written back.
#pragma once

#include "compute/lifting_line_solver.h"
#include "compute/span_distribution.h"
#include "compute/stations.h"
#include "compute/wing_coefficients.h"
#include "wing/platform.h"
#include "wing/wing.h"

namespace velarix {

// Everything one computation produces; the report, the drawing and the
// command line read it. gamma and mue are also the start values of the next
// solve.
struct WingResults {
  TSpanDistribution distribution;
  TWingCoefficients coefficients;
  DrawingMapping mapping;
  DesignValueTexts designTexts;   // the texts of the design entries
  bool computed = false;          // a wing has been computed successfully
  bool profileDragValid = false;  // cwp/cwg and the computed polar are current
};

inline constexpr Real kMaxFlightAltitude = 25000;  // [m], end of the density table

// Air density of the standard atmosphere [kg/m^3] at 0 <= altitude <= 25000 m,
// linear between the 1000 m rows of the table. Throws WingComputationError
// for an altitude outside the table.
Real airDensity(Real altitude);

struct PlanformIntegrals {
  Real wingArea = 0;               // F [m^2]
  Real referenceChord = 0;         // lu [m]
  Real geometricNeutralPoint = 0;  // XC [m]
};
// Area, mean aerodynamic chord and quarter point over the panel mean chords.
PlanformIntegrals integratePlanform(const TWing& wing);

// Quarter-chord position weighted with an elliptic lift distribution,
// summed in 1 mm steps from the left tip: XE = sum * 2/(pi s^2).
Real ellipticNeutralPoint(const TWing& wing, Real halfSpan);

// Local centres of pressure xd = x25 - mue c / gamma [m] at the stations. A
// station without circulation (or where the quotient is not finite) gets its
// quarter-chord point.
void computeLocalCentresOfPressure(TSpanDistribution& distribution);

// Reynolds numbers (1/nu = 70000 s/m^2) at the stations and tips and the
// flat-plate friction estimate of the polar; needs gamma/ai (cwi) and the
// flight speed, density, area, aspect ratio, CA and CWI in `coefficients`.
// Throws WingComputationError when a Reynolds number is too small for the
// friction law (Re <= 1).
void estimateDrag(Real span, Real wingMass, TSpanDistribution& distribution,
                  TWingCoefficients& coefficients);

// The texts of the design entries: alpha to 6, CA to 3, SM to 2, XD to 4
// and v to 3 decimals, rounded half to even.
DesignValueTexts designValueTexts(const TWing& wing);

// Computes the wing if wing.wingPresent. On success the results replace
// `results` (the profile drag and its polar are cleared, profileDragValid is
// false, gamma and mue of the previous results were the start values), the
// wing's halfSpan, span and the design values that were not prescribed are
// overwritten (alpha, CA, SM, XD, v), and the platform gets the progress,
// enableComputedWingControls and showDesignValues. A wing that cannot be
// computed throws WingDataError (WingComputationError for refused design
// conditions and values without a result); then neither the wing nor
// `results` change and the progress display is hidden again. Refused:
// a half span <= 0 or a left tip not at -s, a mass <= 0, an altitude outside
// 0..25000 m, a speed <= 0 in the speed design, SM = 0, XD = XN, CA = 0, a
// zero lift slope and a Reynolds number <= 1.
void computeWing(TWing& wing, WingResults& results, Platform& platform);

}  // namespace velarix
