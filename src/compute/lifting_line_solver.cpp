#include "compute/lifting_line_solver.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "compute/elliptic_integrals.h"
#include "wing/cell_number.h"

namespace velarix {

namespace lifting_line {

bool agree(double x, double y) {
  const auto lambda = [](double t) { return std::copysign(std::log1p(std::fabs(t)), t); };
  return std::fabs(lambda(x) - lambda(y)) <= 1e-6;
}

namespace {

constexpr double kPiD = 3.141592653589793;

void noteConvergence(const RombergResult& r, IntegrationLog& log) {
  if (!r.converged) log.convergenceProblem = true;
}

}  // namespace

double rombergFirstKind(double k, double upper, IntegrationLog& log) {
  if (agree(k, 1.0) && agree(upper, kPiD / 2)) return 999.0;
  const double k2 = k * k;
  const RombergResult r = integrateRomberg(
      [k2](double x) {
        const double s = std::sin(x);
        return 1.0 / std::sqrt(1.0 - k2 * s * s);
      },
      upper);
  noteConvergence(r, log);
  return r.value;
}

double rombergSecondKind(double k, double upper, IntegrationLog& log) {
  const double k2 = k * k;
  const RombergResult r = integrateRomberg(
      [k2](double x) {
        const double s = std::sin(x);
        return std::sqrt(1.0 - k2 * s * s);
      },
      upper);
  noteConvergence(r, log);
  return r.value;
}

Real sweepFunction(Real phiDeg, IntegrationLog& log) {
  // N = 4 K(cos(pi/4)) / (3 pi); a = pi/4 - phi/2; k_phi = sqrt(4 cos a / (1 + cos a)^2);
  // h = -(8/(3 pi)) (t1 + t2) with the integrals E_u, F_u from 0 to
  // u = -(2 phi + 3 pi)/8;  g = h / (N |cos phi|^1.5), or 0 when h agrees with 0.
  const Real phi = degToRad(phiDeg);
  const Real norm = 4.0L * rombergFirstKind(std::cos(kPiD / 4), kPiD / 2, log) / (3.0L * kPi);
  const Real a = kPi / 4 - phi / 2;
  const Real ca = std::cos(a);
  const Real kPhi = std::sqrt(4.0L * ca / ((1.0L + ca) * (1.0L + ca)));
  const Real upper = -(2.0L * phi + 3.0L * kPi) / 8.0L;
  const Real eu = rombergSecondKind(static_cast<double>(kPhi), static_cast<double>(upper), log);
  const Real fu = rombergFirstKind(static_cast<double>(kPhi), static_cast<double>(upper), log);
  const Real sinPhi = std::sin(phi);
  const Real t1 = (1.0L - sinPhi * ca * ca) * fu / (1.0L + ca);
  const Real t2 = sinPhi * ((1.0L + ca) * eu + ca);
  const Real h = -(8.0L / (3.0L * kPi)) * (t1 + t2);
  if (agree(static_cast<double>(h), 0.0)) return 0;
  return h / (norm * std::pow(std::fabs(std::cos(phi)), 1.5L));
}

InfluenceValues influenceFunctions(Real x, Real y) {
  // r0, r1: distances from the leading and trailing edge of the inducing
  // chord. Modulus k^2 = (1 - (r1 - r0)^2) / (4 r0 r1); its complement
  // k'^2 = (r0 + r1 - 1)(r0 + r1 + 1) / (4 r0 r1) is formed without
  // cancellation, because k -> 1 for nearby stations is where accuracy counts.
  const Real y2 = y * y;
  const Real r0 = std::sqrt(x * x + y2);
  const Real r1 = std::sqrt((1.0L - x) * (1.0L - x) + y2);
  const Real outside = x < 0 ? -2.0L * x : (x > 1 ? 2.0L * (x - 1.0L) : 0.0L);
  const Real sumMinusOne = y2 / (r0 + std::fabs(x)) + y2 / (r1 + std::fabs(1.0L - x)) + outside;
  const Real kc2 = std::clamp(sumMinusOne * (r0 + r1 + 1.0L) / (4.0L * r0 * r1), 0.0L, 1.0L);
  const Real k2 = 1.0L - kc2;
  const CompleteEllipticIntegrals ke = completeEllipticIntegrals(k2, kc2);

  // psi = arcsin(r1 - r0), |psi| <= pi/2; L = Heuman's Lambda0(psi, k).
  const Real sinPsi = std::clamp(r1 - r0, -1.0L, 1.0L);
  const Real cosPsi = std::sqrt((1.0L - sinPsi) * (1.0L + sinPsi));
  const Real lambda = heumanLambda(sinPsi, cosPsi, kc2, ke);

  const Real root = std::sqrt(r0 * r1);
  const Real ek = ke.secondKind - ke.firstKind * kc2;
  const Real f1 = 1.0L - lambda + (4.0L / kPi) * ek * root;
  const Real f2 =
      (16.0L / kPi) * (2.0L * (1.0L - x) * ek * root -
                       (ke.firstKind * (1.0L - 2.0L * x) - kPi * lambda * root) * y2 / root);
  return {f1, f2};
}

SweepTerms computeSweepTerms(int m, Real span, const Distribution& xTrailingEdge,
                             IntegrationLog& log) {
  const std::size_t size = static_cast<std::size_t>(m) + 2;
  std::vector<Real> cosForced(size);
  std::vector<Real> sinSquared(size);
  for (int n = 1; n <= m; ++n) {
    const Real theta = n * kPi / (m + 1);
    cosForced[n] = n == (m + 1) / 2 ? 0.0L : std::cos(theta);
    const Real s = std::sin(theta);
    sinSquared[n] = s * s;
  }

  const Real norm = m + 1;
  const Real sqrt2 = std::sqrt(2.0L);
  const Real f =
      rombergFirstKind(1.0 / std::sqrt(2.0), kPiD / 2, log) * 16.0L / (3.0L * kPi * norm);
  const Real h = -16.0L / (std::sqrt(3.0L) * kPi * norm);

  SweepTerms terms{std::vector<Real>(size), std::vector<Real>(size)};
  std::vector<Real> aTerm(size);
  std::vector<Real> bTerm(size);
  for (int v = 1; v <= m; ++v) {
    const Real cv = cosForced[v];
    const double k1 = static_cast<double>(std::sqrt((1.0L + cv) / 2));
    const double k2 = static_cast<double>(std::sqrt((1.0L - cv) / 2));
    const Real e1 = rombergSecondKind(k1, kPiD / 2, log);
    const Real kk1 = rombergFirstKind(k1, kPiD / 2, log);
    const Real e2 = rombergSecondKind(k2, kPiD / 2, log);
    const Real kk2 = rombergFirstKind(k2, kPiD / 2, log);
    const Real p1 = (4.0L * sqrt2 / 3.0L) * (cv * e1 + 0.5L * (1.0L - cv) * kk1);
    const Real p2 = (4.0L * sqrt2 / 3.0L) * (-cv * e2 + 0.5L * (1.0L + cv) * kk2);
    const Real p3 = cv * cv - std::log(2.0L) - 0.5L;

    // Sums over the stations n with v - n odd (negative differences included).
    Real sigma1 = 0;
    Real sigma2 = 0;
    Real sigma3 = 0;
    for (int n = 1; n <= m; ++n) {
      if ((v - n) % 2 == 0) continue;
      const Real distance = std::fabs(cv - cosForced[n]);
      const Real term = sinSquared[n] / std::sqrt(distance);
      if (n <= v) sigma1 += term;
      if (n >= v) sigma2 += term;
      sigma3 += sinSquared[n] * std::log(distance);
    }
    sigma1 /= norm;
    sigma2 /= norm;
    sigma3 *= 4.0L / norm;

    aTerm[v] = (p2 / (2.0L * kPi) - sigma1) * f;
    bTerm[v] = (p1 / (2.0L * kPi) - sigma2) * f;
    terms.a2[v] = (p3 - sigma3) * h;
  }

  // Local sweep of the trailing edge on either side of a station:
  // phi1 towards station v-1, phi2 (with the minus sign) towards v+1.
  const Real s = span / 2;
  const auto eta = [&](int v) { return s * cosForced[v]; };
  const auto phiDeg = [&](int from, int to) {
    return radToDeg(std::atan((xTrailingEdge[from] - xTrailingEdge[to]) / (eta(from) - eta(to))));
  };
  for (int v = 1; v <= m; ++v) {
    const int w = std::clamp(v, 2, m - 1);
    const Real phi1 = phiDeg(w - 1, w);
    const Real phi2 = -phiDeg(w, w + 1);
    terms.a1[v] = aTerm[v] * sweepFunction(phi1, log) + bTerm[v] * sweepFunction(phi2, log);
  }
  return terms;
}

}  // namespace lifting_line

int sweepCount(int stationCount) { return static_cast<int>(std::nearbyint(3.3 * stationCount)); }

namespace {

using namespace lifting_line;

// An extended-precision value held as two doubles, x = hi + lo exactly:
// hi is x rounded to double, lo the remainder, which has at most 12
// significant bits. Loading two doubles and adding them costs far less on
// x87 hardware than loading one 80-bit value, and the sum restores x bit for
// bit (for |x| > 1e-290, far below any value of the method).
struct SplitReal {
  double hi = 0;
  double lo = 0;
  SplitReal() = default;
  explicit SplitReal(Real x)
      : hi(static_cast<double>(x)), lo(static_cast<double>(x - static_cast<Real>(hi))) {}
  Real value() const { return static_cast<Real>(hi) + static_cast<Real>(lo); }
};

// The coupling coefficient as the sweeps read it: by default its double part
// (products and sums stay in extended precision; the results then differ
// from those of the full coefficients by about 2e-16 relative, measured on
// m = 15..127, and the sweeps run a third faster), or exactly.
template <bool kExtendedCouplings>
Real couplingValue(const SplitReal& g) {
  if constexpr (kExtendedCouplings) {
    return g.value();
  } else {
    return static_cast<Real>(g.hi);
  }
}

// Coupling of station v with station n (v - n odd), in the order the sweeps
// read them.
struct Coupling {
  SplitReal g1;  // gamma_n -> gamma_v
  SplitReal g3;  // mue_n   -> gamma_v
  SplitReal g4;  // gamma_n -> mue_v
  SplitReal g2;  // mue_n   -> mue_v
};

// gamma_n and mue_n as the sweeps read them.
struct SplitState {
  SplitReal gamma;
  SplitReal mue;
};

// The assembled linear system. Only stations of opposite parity couple
// (B_vn = 0 for even v - n), so row v stores the entries n = first(v),
// first(v) + 2, ..., m contiguously: first(v) = 1 for even v, 2 for odd v.
struct System {
  int m = 0;
  std::vector<std::size_t> rowStart;  // index of row v's first entry
  std::vector<Coupling> coupling;
  std::vector<Real> multhopp;        // B_vn in the same layout
  std::vector<Real> diagonal;        // B_vv
  std::vector<Real> c1, c2, c3, c4;  // station coefficients
  std::vector<Real> chord, x25, sinTheta;

  static int first(int v) { return v % 2 == 0 ? 1 : 2; }
};

// Multhopp matrix: B_vv = (m+1)/(4 sin theta_v); for v - n odd
// B_vn = sin theta_n / ((m+1)(cos theta_n - cos theta_v)^2), else 0.
void buildMulthoppMatrix(System& sys, const std::vector<Real>& cosTheta) {
  const int m = sys.m;
  for (int v = 1; v <= m; ++v) {
    sys.diagonal[v] = (m + 1) / (4.0L * sys.sinTheta[v]);
    std::size_t e = sys.rowStart[v];
    for (int n = System::first(v); n <= m; n += 2, ++e) {
      const Real dc = cosTheta[n] - cosTheta[v];
      sys.multhopp[e] = sys.sinTheta[n] / ((m + 1) * dc * dc);
    }
  }
}

// Station coefficients with q = (s/c)^1.5, r = (s/c)^2:
//   D = 6.616 + 17.924 A1 q + 12 (1 + 1.5 A1 q) A2 r,
//   C1 = (3.308 + 6 A2 r)/D, C2 = 12 A1 q/D, C3 = (A1 q + 2)/D, C4 = (1.218 + A2 r)/D.
void computeStationCoefficients(System& sys, const SweepTerms& terms, Real halfSpan) {
  for (int v = 1; v <= sys.m; ++v) {
    const Real ratio = halfSpan / sys.chord[v];
    const Real q = std::pow(ratio, 1.5L);
    const Real r = ratio * ratio;
    const Real a1q = terms.a1[v] * q;
    const Real a2r = terms.a2[v] * r;
    const Real d = 6.616L + 17.924L * a1q + 12.0L * (1.0L + 1.5L * a1q) * a2r;
    sys.c1[v] = (3.308L + 6.0L * a2r) / d;
    sys.c2[v] = 12.0L * a1q / d;
    sys.c3[v] = (a1q + 2.0L) / d;
    sys.c4[v] = (1.218L + a2r) / d;
  }
}

// Chordwise influence of station n on station v at v's trailing edge (P, Q)
// and quarter chord (R, S), coordinates in chords of station n, combined
// with the row-normalised Multhopp matrix into the coupling matrices
//   G1 = Bn (C1 P + C2 R), G3 = Bn (C1 Q + C2 S),
//   G4 = Bn (C3 R - C4 P), G2 = Bn (C3 S - C4 Q).
void buildCouplingMatrices(System& sys, const LiftingLineInput& in,
                           const std::vector<Real>& cosTheta) {
  const int m = sys.m;
  const Real s = in.span / 2;
  for (int v = 1; v <= m; ++v) {
    std::size_t e = sys.rowStart[v];
    for (int n = System::first(v); n <= m; n += 2, ++e) {
      const Real xl = in.xLeadingEdge[n];
      const Real c = sys.chord[n];
      const Real xt = (in.xTrailingEdge[v] - xl) / c;
      const Real xq = (sys.x25[v] - xl) / c;
      const Real y = (s * cosTheta[v] - s * cosTheta[n]) / c;
      const InfluenceValues te = influenceFunctions(xt, y);
      const InfluenceValues qc = influenceFunctions(xq, y);
      const Real bn = sys.multhopp[e] / sys.diagonal[v];
      Coupling& g = sys.coupling[e];
      g.g1 = SplitReal(bn * (sys.c1[v] * te.f1 + sys.c2[v] * qc.f1));
      g.g3 = SplitReal(bn * (sys.c1[v] * te.f2 + sys.c2[v] * qc.f2));
      g.g4 = SplitReal(bn * (sys.c3[v] * qc.f1 - sys.c4[v] * te.f1));
      g.g2 = SplitReal(bn * (sys.c3[v] * qc.f2 - sys.c4[v] * te.f2));
    }
  }
}

System assembleSystem(const LiftingLineInput& in, IntegrationLog& log) {
  System sys;
  const int m = in.stationCount;
  sys.m = m;
  const std::size_t size = static_cast<std::size_t>(m) + 2;
  sys.rowStart.assign(size, 0);
  std::size_t entries = 0;
  for (int v = 1; v <= m; ++v) {
    sys.rowStart[v] = entries;
    entries += static_cast<std::size_t>((m - System::first(v)) / 2 + 1);
  }
  sys.coupling.resize(entries);
  sys.multhopp.resize(entries);
  for (auto* a :
       {&sys.diagonal, &sys.c1, &sys.c2, &sys.c3, &sys.c4, &sys.chord, &sys.x25, &sys.sinTheta}) {
    a->assign(size, 0.0L);
  }
  std::vector<Real> cosTheta(size);
  for (int v = 1; v <= m; ++v) {
    const Real theta = v * kPi / (m + 1);
    cosTheta[v] = std::cos(theta);
    sys.sinTheta[v] = std::sin(theta);
    sys.chord[v] = in.xTrailingEdge[v] - in.xLeadingEdge[v];
    sys.x25[v] = in.xLeadingEdge[v] + 0.25L * sys.chord[v];
  }
  buildMulthoppMatrix(sys, cosTheta);
  const SweepTerms terms = computeSweepTerms(m, in.span, in.xTrailingEdge, log);
  computeStationCoefficients(sys, terms, in.span / 2);
  buildCouplingMatrices(sys, in, cosTheta);
  return sys;
}

// Progress of the sweeps over the three solves.
struct SweepProgress {
  Platform& platform;
  int position = 0;
};

// One Gauss-Seidel sweep over v = 1..m in order, new values used at once.
// mue_v does not read gamma_v, so both rows share one pass over n; the four
// sums keep the order n = 1..m of the plain double loop.
template <bool kExtendedCouplings>
void sweepOnce(const System& sys, const std::vector<Real>& t1, const std::vector<Real>& t2,
               Distribution& gamma, Distribution& mue, std::vector<SplitState>& state) {
  const int m = sys.m;
  for (int v = 1; v <= m; ++v) {
    const Coupling* g = sys.coupling.data() + sys.rowStart[v];
    const SplitState* sn = state.data() + System::first(v);
    const SplitState* end = state.data() + m + 1;
    Real s1 = 0;
    Real s3 = 0;
    Real s4 = 0;
    Real s2 = 0;
    for (; sn < end; sn += 2, ++g) {
      const Real gn = sn->gamma.value();
      const Real un = sn->mue.value();
      s1 += couplingValue<kExtendedCouplings>(g->g1) * gn;
      s3 += couplingValue<kExtendedCouplings>(g->g3) * un;
      s4 += couplingValue<kExtendedCouplings>(g->g4) * gn;
      s2 += couplingValue<kExtendedCouplings>(g->g2) * un;
    }
    gamma[v] = s1 + s3 + t1[v];
    mue[v] = s4 + s2 + t2[v];
    state[v] = {SplitReal(gamma[v]), SplitReal(mue[v])};
  }
}

// Solves for the right-hand side (X, Y) by a fixed number of Gauss-Seidel
// sweeps without a convergence test, starting from the values gamma and mue
// hold:
//   T1 = d (C1 X + C2 Y), T2 = d (C3 Y - C4 X);
//   gamma_v = sum G1 gamma_n + sum G3 mue_n + T1_v,
//   mue_v   = sum G4 gamma_n + sum G2 mue_n + T2_v.
void solveSystem(const System& sys, const std::vector<Real>& x, const std::vector<Real>& y,
                 bool extendedCouplings, Distribution& gamma, Distribution& mue,
                 SweepProgress& progress) {
  const int m = sys.m;
  std::vector<Real> t1(static_cast<std::size_t>(m) + 2);
  std::vector<Real> t2(t1.size());
  for (int v = 1; v <= m; ++v) {
    const Real d = 1.0L / sys.diagonal[v];
    t1[v] = d * (sys.c1[v] * x[v] + sys.c2[v] * y[v]);
    t2[v] = d * (sys.c3[v] * y[v] - sys.c4[v] * x[v]);
  }
  std::vector<SplitState> state(t1.size());
  for (int n = 1; n <= m; ++n) state[n] = {SplitReal(gamma[n]), SplitReal(mue[n])};
  const int sweeps = sweepCount(m);
  for (int sweep = 0; sweep < sweeps; ++sweep) {
    if (extendedCouplings) {
      sweepOnce<true>(sys, t1, t2, gamma, mue, state);
    } else {
      sweepOnce<false>(sys, t1, t2, gamma, mue, state);
    }
    progress.platform.setProgressPosition(++progress.position);
  }
}

struct Coefficients {
  Real lift;    // pi Lambda sum gamma sin theta / (m+1)
  Real moment;  // -pi Lambda sum (gamma (x25 - XC) - c mue) sin theta / ((m+1) lu)
};

Coefficients integrateCoefficients(const System& sys, const LiftingLineInput& in,
                                   const Distribution& gamma, const Distribution& mue) {
  Real sumLift = 0;
  Real sumMoment = 0;
  for (int v = 1; v <= sys.m; ++v) {
    sumLift += gamma[v] * sys.sinTheta[v];
    sumMoment += (gamma[v] * (sys.x25[v] - in.geometricNeutralPoint) - sys.chord[v] * mue[v]) *
                 sys.sinTheta[v];
  }
  const Real factor = kPi * in.aspectRatio / (sys.m + 1);
  return {factor * sumLift, -factor * sumMoment / in.referenceChord};
}

// Relative to lu, the distance below which a prescribed XD counts as the
// neutral point: far above the iteration error (about 1e-12), far below any
// meaningful centre-of-gravity position.
constexpr Real kNeutralPointTolerance = 1e-9L;

[[noreturn]] void refuse(const std::string& text) {
  throw WingComputationError("Der Flügel kann nicht berechnet werden: " + text);
}

std::string number(Real x) { return formatCellNumber(x); }

// Design angle alpha [deg] of the prescribed quantity (the 360/(2 pi) here
// against the 57.3 of the right-hand side is part of the method).
Real designAngle(const LiftingLineInput& in, const LiftingLineSolution& sol) {
  const Real a0 = sol.zeroLiftAngle;
  const Real slope = sol.liftSlope;
  const Real cm0 = sol.zeroLiftMoment;
  Real alpha = in.designValue;
  switch (in.mode) {
    case SolverMode::WingAngle:
      break;
    case SolverMode::LiftCoefficient:
      alpha = a0 + in.designValue * 360.0L / (2.0L * kPi * slope);
      break;
    case SolverMode::StabilityMargin:
      if (in.designValue == 0) {
        refuse(
            "ein Stabilitätsmaß von 0 % legt keinen Flugzustand fest. Bitte einen Wert "
            "ungleich 0 vorgeben.");
      }
      alpha = a0 + cm0 * 360.0L / (0.01L * in.designValue * slope * 2.0L * kPi);
      break;
    case SolverMode::CgPosition:
      // Within the accuracy of the sweeps XD = XN has no trim point.
      if (std::fabs(in.designValue - sol.aerodynamicNeutralPoint) <=
          kNeutralPointTolerance * in.referenceChord) {
        refuse("die Schwerpunktlage " + number(in.designValue) +
               " m fällt mit dem Neutralpunkt zusammen; dort gibt es keinen Trimmzustand. "
               "Bitte eine Schwerpunktlage vor oder hinter dem Neutralpunkt vorgeben.");
      }
      alpha = a0 + cm0 * in.referenceChord * 360.0L /
                       ((sol.aerodynamicNeutralPoint - in.designValue) * slope * 2.0L * kPi);
      break;
  }
  if (!std::isfinite(alpha)) {
    refuse("der Anstellwinkel des Auslegungspunktes ist nicht bestimmt (Vorgabe " +
           number(in.designValue) + ").");
  }
  if (std::nearbyint(alpha * 1000.0L) * 0.001L == 0) alpha = 0.001L;
  return alpha;
}

void checkFinite(Real value, const char* name) {
  if (!std::isfinite(value)) {
    refuse(std::string("der Wert ") + name + " ist nicht bestimmt (nicht endlich).");
  }
}

}  // namespace

void solveLiftingLine(const LiftingLineInput& in, LiftingLineSolution& sol, Platform& platform) {
  const int m = in.stationCount;
  IntegrationLog log;
  const System sys = assembleSystem(in, log);
  if (log.convergenceProblem) platform.showError("Velarix", "Kovergenzproblem!");

  const std::size_t size = static_cast<std::size_t>(m) + 2;
  std::vector<Real> x(size);
  std::vector<Real> y(size);
  SweepProgress progress{platform};
  platform.setProgressMaximum(3 * sweepCount(m));

  // 1. Unit angle: lift and moment slopes and the neutral point.
  std::fill(x.begin(), x.end(), 1.0L);
  std::fill(y.begin(), y.end(), 1.0L);
  solveSystem(sys, x, y, in.extendedCouplings, sol.gamma, sol.mue, progress);
  const Coefficients unit = integrateCoefficients(sys, in, sol.gamma, sol.mue);
  sol.liftSlope = unit.lift;
  sol.momentSlope = unit.moment;
  if (!(std::isfinite(sol.liftSlope) && sol.liftSlope != 0)) {
    refuse(
        "der Auftriebsanstieg ist 0 oder nicht bestimmt; Neutralpunkt und Anstellwinkel "
        "lassen sich nicht berechnen.");
  }
  sol.aerodynamicNeutralPoint =
      in.geometricNeutralPoint - in.referenceChord * sol.momentSlope / sol.liftSlope;

  // 2. One radian plus twist and camber: zero-lift angle and moment.
  for (int v = 1; v <= m; ++v) {
    const Real angle = degToRadRounded(in.angleFromZeroLift[v]);
    x[v] = 1.0L + angle - (2.0L / kPi) * in.cm0[v];
    y[v] = 1.0L + angle + (4.0L / kPi) * in.cm0[v];
  }
  solveSystem(sys, x, y, in.extendedCouplings, sol.gamma, sol.mue, progress);
  const Coefficients twisted = integrateCoefficients(sys, in, sol.gamma, sol.mue);
  sol.zeroLiftAngle = kDegPerRadRounded * (1.0L - twisted.lift / sol.liftSlope);
  sol.zeroLiftMoment = twisted.moment - twisted.lift * sol.momentSlope / sol.liftSlope;

  // 3. and 4. Design angle and the design solve.
  sol.alpha = designAngle(in, sol);
  for (int v = 1; v <= m; ++v) {
    const Real angle = degToRadRounded(sol.alpha) + degToRadRounded(in.angleFromZeroLift[v]);
    x[v] = angle - (2.0L / kPi) * in.cm0[v];
    y[v] = angle + (4.0L / kPi) * in.cm0[v];
  }
  solveSystem(sys, x, y, in.extendedCouplings, sol.gamma, sol.mue, progress);
  const Coefficients design = integrateCoefficients(sys, in, sol.gamma, sol.mue);

  // 5. Whole-wing values of the design point.
  const Real factor = kPi * in.aspectRatio / (m + 1);
  sol.liftCoefficient = in.mode == SolverMode::LiftCoefficient ? in.designValue : design.lift;
  sol.momentCoefficient = design.moment;
  if (sol.liftCoefficient == 0) {
    refuse(
        "der Auftriebsbeiwert des Auslegungspunktes ist 0; Druckpunkt, Stabilitätsmaß und "
        "Fluggeschwindigkeit sind dann nicht bestimmt. Bitte einen Auftriebsbeiwert "
        "ungleich 0 vorgeben.");
  }
  sol.pressurePoint = in.mode == SolverMode::CgPosition
                          ? in.designValue
                          : in.geometricNeutralPoint -
                                sol.momentCoefficient * in.referenceChord / sol.liftCoefficient;
  sol.stabilityMargin =
      in.mode == SolverMode::StabilityMargin
          ? in.designValue
          : (sol.aerodynamicNeutralPoint - sol.pressurePoint) / in.referenceChord * 100.0L;
  Real rolling = 0;
  for (int v = 1; v <= m; ++v) rolling += sol.gamma[v] * std::sin(2.0L * v * kPi / (m + 1));
  sol.rollingMoment = -factor * 0.25L * rolling;

  // 6. Distributions: ai_v = B_vv gamma_v - sum B_vn gamma_n.
  for (int v = 1; v <= m; ++v) {
    Real sum = 0;
    std::size_t e = sys.rowStart[v];
    for (int n = System::first(v); n <= m; n += 2, ++e) sum += sys.multhopp[e] * sol.gamma[n];
    sol.ai[v] = sys.diagonal[v] * sol.gamma[v] - sum;
    sol.cwi[v] = sol.ai[v] * sol.gamma[v];
    sol.ca[v] = 2.0L * in.span * sol.gamma[v] / sys.chord[v];
  }

  // 7. Induced drag, its quality against the elliptic loading, induced yaw.
  Real drag = 0;
  Real yaw = 0;
  for (int v = 1; v <= m; ++v) {
    drag += sol.ai[v] * sol.gamma[v] * sys.sinTheta[v];
    yaw += sol.gamma[v] * sol.ai[v] * std::sin(2.0L * v * kPi / (m + 1));
  }
  sol.inducedDrag = factor * drag;
  sol.inducedDragQuality =
      sol.inducedDrag / (sol.liftCoefficient * sol.liftCoefficient / (kPi * in.aspectRatio));
  sol.inducedYawingMoment = factor * 0.25L * yaw;

  const std::pair<Real, const char*> results[] = {{sol.alpha, "Anstellwinkel"},
                                                  {sol.liftSlope, "dCA"},
                                                  {sol.momentSlope, "dCM"},
                                                  {sol.aerodynamicNeutralPoint, "XN"},
                                                  {sol.zeroLiftAngle, "A0"},
                                                  {sol.zeroLiftMoment, "CM0"},
                                                  {sol.liftCoefficient, "CA"},
                                                  {sol.momentCoefficient, "CM"},
                                                  {sol.pressurePoint, "XD"},
                                                  {sol.stabilityMargin, "Stabilitätsmaß"},
                                                  {sol.rollingMoment, "CL"},
                                                  {sol.inducedDrag, "CWI"},
                                                  {sol.inducedDragQuality, "CWI/CWI ell."},
                                                  {sol.inducedYawingMoment, "CNI"}};
  for (const auto& [value, name] : results) checkFinite(value, name);
  for (int v = 1; v <= m; ++v) {
    checkFinite(sol.gamma[v], "Zirkulation");
    checkFinite(sol.mue[v], "Momentenverteilung");
    checkFinite(sol.ai[v], "induzierter Anstellwinkel");
  }
}

}  // namespace velarix
