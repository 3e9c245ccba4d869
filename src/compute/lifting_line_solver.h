// Extended Multhopp lifting-line method: circulation and local pitching
// moment at the Multhopp stations, and the whole-wing lift, moment, neutral
// point, design angle, induced drag and rolling/yawing moments.
//
// Glossary (symbols as in the method's literature and in the code):
//   m        number of stations (odd, 3..127); stations v, n = 1..m
//   theta_v  v*pi/(m+1); station v lies at y = s*cos(theta_v), v = 1 at the
//            right tip (positive y), v = m at the left tip
//   s, b     half span and span [m]; Lambda aspect ratio b^2/F
//   lu       reference chord (mean aerodynamic chord) [m]
//   XC       geometric neutral point (area-weighted quarter point) [m]
//   c, x25   local chord and quarter-chord position [m]
//   gamma    circulation normalised as gamma = ca*c/(2b)
//   mue      local moment normalised as mu = cm*c/(2b)
//   ai       induced angle [rad]; cwi = ai*gamma (normalised induced drag)
//   B        Multhopp matrix; Bn = B/B_vv; d = 1/B_vv
//   P,Q,R,S  chordwise influence functions F1, F2 at the trailing edge (P, Q)
//            and the quarter chord (R, S) of station v seen from station n
//   A1, A2   sweep and induction terms of a station; C1..C4 the station
//            coefficients; G1..G4 the coupling matrices of the sweeps
//   dCA      lift slope dCA/dalpha [1/rad]; dCM moment slope about XC [1/rad]
//   XN       aerodynamic neutral point [m]; XD centre of pressure [m]
//   A0       zero-lift angle [deg]; CM0 zero-lift moment about XC
//   SM       stability margin (XN - XD)/lu [%]
//   CL       rolling moment; CWI induced drag; CNI induced yawing moment
//
// Angles are converted with 57.3 (kDegPerRadRounded) except where the
// design-angle formulas use 360/(2 pi) and the sweep angles 180/pi.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "compute/span_distribution.h"
#include "compute/stations.h"
#include "wing/platform.h"
#include "wing/real.h"

namespace velarix {

// A wing or design condition that the computation refuses: the message says
// what is wrong and what is allowed (German, shown to the user).
class WingComputationError : public WingDataError {
 public:
  using WingDataError::WingDataError;
};

// Which quantity prescribes the design point. The speed design arrives as
// LiftCoefficient with the lift coefficient of that speed.
enum class SolverMode { WingAngle = 1, LiftCoefficient = 2, StabilityMargin = 3, CgPosition = 4 };

struct LiftingLineInput {
  int stationCount = 0;              // m
  Distribution xLeadingEdge{};       // [m], 1..m
  Distribution xTrailingEdge{};      // [m], 1..m
  Distribution angleFromZeroLift{};  // [deg], 1..m
  Distribution cm0{};                // 1..m
  Real span = 0;                     // b [m]
  Real aspectRatio = 0;              // Lambda
  Real referenceChord = 0;           // lu [m]
  Real geometricNeutralPoint = 0;    // XC [m]
  SolverMode mode = SolverMode::WingAngle;
  // The prescribed quantity: alpha [deg], CA, SM [% of lu] or XD [m].
  Real designValue = 0;
  // The sweeps read the coupling coefficients rounded to double unless this
  // is set (products, sums and the solution stay in extended precision
  // either way; the results differ by about 2e-16 relative, the default is
  // a third faster).
  bool extendedCouplings = false;
};

struct LiftingLineSolution {
  // In: start values of the sweeps (the previous solution, or zero).
  // Out: the solution of the design point.
  Distribution gamma{};
  Distribution mue{};
  Distribution ai{};  // [rad]
  Distribution cwi{};
  Distribution ca{};

  Real alpha = 0;                    // wing angle of attack [deg]
  Real liftSlope = 0;                // dCA [1/rad]
  Real momentSlope = 0;              // dCM [1/rad]
  Real aerodynamicNeutralPoint = 0;  // XN [m]
  Real zeroLiftAngle = 0;            // A0 [deg]
  Real zeroLiftMoment = 0;           // CM0
  Real liftCoefficient = 0;          // CA
  Real momentCoefficient = 0;        // CM about XC
  Real pressurePoint = 0;            // XD [m]
  Real stabilityMargin = 0;          // SM [% of lu]
  Real rollingMoment = 0;            // CL
  Real inducedDrag = 0;              // CWI
  Real inducedDragQuality = 0;       // CWI / (CA^2/(pi Lambda))
  Real inducedYawingMoment = 0;      // CNI
};

// Number of Gauss-Seidel sweeps per solve: 3.3*m rounded half to even
// (50, 102, 208, 419 for m = 15, 31, 63, 127).
int sweepCount(int stationCount);

// Solves the wing for its design point. `solution.gamma` and `.mue` are the
// start values. The platform receives the progress of the sweeps (maximum
// 3*Nit, one step per sweep) and, should an integral of the sweep terms not
// converge, the box "Kovergenzproblem!". Throws WingComputationError for a
// wing or design value without a defined result: zero lift slope, XD = XN
// in mode 4 (within 1e-9 lu), SM = 0 in mode 3, a design point without lift
// (CA = 0) or any result that is not finite. On a throw `solution` may hold
// partial values.
void solveLiftingLine(const LiftingLineInput& input, LiftingLineSolution& solution,
                      Platform& platform);

// The steps of the method, for the solver and its tests.
namespace lifting_line {

// Agreement test of the Romberg integration: |l(x) - l(y)| <= 1e-6 with
// l(x) = sign(x) ln(1 + |x|), relative for large and absolute for small x.
bool agree(double x, double y);

inline constexpr int kRombergMaxLevels = 50;

struct RombergResult {
  double value = 0;
  bool converged = false;
};

// Romberg integration of f from 0 to `upper` (which may be negative), in
// double precision. Level i+1 adds the 2^(i-1) new midpoints; it ends when
// the new diagonal value R[i+1][i+1] agrees with R[i][i] and returns the new
// one. After maxLevels levels without agreement, or as soon as the diagonal
// is not finite, it returns the last diagonal value with converged = false.
template <class Function>
RombergResult integrateRomberg(Function&& f, double upper, int maxLevels = kRombergMaxLevels) {
  constexpr double lower = 0.0;
  const double width = upper - lower;
  std::vector<double> previous(static_cast<std::size_t>(maxLevels) + 1);
  std::vector<double> current(previous.size());
  previous[0] = width * (f(upper) + f(lower)) * 0.5;
  for (int i = 1; i < maxLevels; ++i) {
    const std::int64_t newPoints = std::int64_t{1} << (i - 1);
    const double step = width / static_cast<double>(newPoints * 2);
    double sum = 0;
    for (std::int64_t j = 1; j <= newPoints; ++j) {
      sum += f(lower + static_cast<double>(2 * j - 1) * step);
    }
    current[0] = (width * sum / static_cast<double>(newPoints) + previous[0]) * 0.5;
    double power = 1;
    for (int j = 1; j <= i; ++j) {
      power *= 4;
      const std::size_t uj = static_cast<std::size_t>(j);
      current[uj] = (power * current[uj - 1] - previous[uj - 1]) / (power - 1);
    }
    const double newer = current[static_cast<std::size_t>(i)];
    const double older = previous[static_cast<std::size_t>(i - 1)];
    if (agree(newer, older)) return {newer, true};
    if (!std::isfinite(newer)) return {newer, false};
    previous.swap(current);
  }
  return {previous[static_cast<std::size_t>(maxLevels - 1)], false};
}

// Collects whether any integration of one solve failed to converge.
struct IntegrationLog {
  bool convergenceProblem = false;
};

// Incomplete integrals by Romberg integration from 0 to `upper`:
// first kind int dx/sqrt(1 - k^2 sin^2 x), which returns 999 when k agrees
// with 1 and upper with pi/2 (the logarithmic singularity of K(1)); second
// kind int sqrt(1 - k^2 sin^2 x) dx.
double rombergFirstKind(double k, double upper, IntegrationLog& log);
double rombergSecondKind(double k, double upper, IntegrationLog& log);

// Sweep function g(phi) of a local sweep angle phi [deg].
Real sweepFunction(Real phiDeg, IntegrationLog& log);

// Chordwise influence functions F1 and F2 of the point (X, Y) in chords of
// the inducing station (leading edge at 0, trailing edge at 1):
//   F1 = 1 - L + (4/pi)(E - K k'^2) sqrt(r0 r1),
//   F2 = (16/pi)(2(1 - X)(E - K k'^2) sqrt(r0 r1) - (K(1 - 2X) - pi L sqrt(r0 r1)) Y^2/sqrt(r0
//   r1)),
// with K(k), E(k) the complete integrals and L = Lambda0(psi, k) Heuman's
// Lambda, psi = arcsin(r1 - r0), all evaluated exactly. Truncated series in
// k^2 (for K, E) and k'^2 (for L) are not enough: k -> 1 for stations closer
// than about a quarter chord, which m = 31..127 reach, and the lift slope and
// neutral point then drift with m instead of converging.
struct InfluenceValues {
  Real f1;
  Real f2;
};
InfluenceValues influenceFunctions(Real x, Real y);

// Sweep and induction terms A1, A2 of every station (index 1..m).
struct SweepTerms {
  std::vector<Real> a1;
  std::vector<Real> a2;
};
SweepTerms computeSweepTerms(int stationCount, Real span, const Distribution& xTrailingEdge,
                             IntegrationLog& log);

}  // namespace lifting_line

}  // namespace velarix
