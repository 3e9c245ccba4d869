#include "compute/elliptic_integrals.h"

#include <algorithm>
#include <cmath>

namespace velarix {

namespace {

// Relative accuracy aimed at: just below the long double epsilon (1.08e-19).
constexpr Real kCarlsonTolerance = 1e-20L;
// The AGM stops when c_n < kAgmTolerance * a_n: the next c is then below
// 1e-22, which changes neither K nor E in extended precision.
constexpr Real kAgmTolerance = 1e-11L;

}  // namespace

CompleteEllipticIntegrals completeEllipticIntegrals(Real kSquared, Real kcSquared) {
  // a_0 = 1, b_0 = k', c_0 = k; K = pi/(2 a_N); E = K (1 - sum 2^(n-1) c_n^2).
  Real a = 1.0L;
  Real b = std::sqrt(kcSquared);
  Real sum = 0.5L * kSquared;
  Real weight = 0.5L;
  for (int n = 0; n < 64; ++n) {
    const Real c = 0.5L * (a - b);
    const Real aNext = 0.5L * (a + b);
    b = std::sqrt(a * b);
    a = aNext;
    weight *= 2;
    sum += weight * c * c;
    if (c <= kAgmTolerance * a) break;
  }
  const Real k = kPi / (2 * a);
  return {k, k * (1.0L - sum)};
}

CarlsonIntegrals carlsonRfRd(Real x, Real y, Real z) {
  // Duplication x <- (x + lambda)/4 (same for y, z) shrinks the spread of
  // the arguments by 4 per step; R_D collects 3 sum 4^-n / (sqrt(z)(z + lambda)).
  const Real af0 = (x + y + z) / 3;
  const Real ad0 = (x + y + 3 * z) / 5;
  const Real qf = std::max({std::fabs(af0 - x), std::fabs(af0 - y), std::fabs(af0 - z)}) /
                  std::pow(3 * kCarlsonTolerance, 1.0L / 6);
  const Real qd = std::max({std::fabs(ad0 - x), std::fabs(ad0 - y), std::fabs(ad0 - z)}) /
                  std::pow(kCarlsonTolerance / 4, 1.0L / 6);
  Real af = af0;
  Real ad = ad0;
  Real scale = 1.0L;  // 4^-n
  Real sum = 0;
  for (int n = 0; n < 100; ++n) {
    if (scale * qf < std::fabs(af) && scale * qd < std::fabs(ad)) break;
    const Real sx = std::sqrt(x);
    const Real sy = std::sqrt(y);
    const Real sz = std::sqrt(z);
    const Real lambda = sx * sy + sy * sz + sz * sx;
    sum += scale / (sz * (z + lambda));
    scale *= 0.25L;
    x = 0.25L * (x + lambda);
    y = 0.25L * (y + lambda);
    z = 0.25L * (z + lambda);
    af = 0.25L * (af + lambda);
    ad = 0.25L * (ad + lambda);
  }

  // R_F: fifth-order series in the deviations from the mean.
  const Real fx = (af - x) / af;
  const Real fy = (af - y) / af;
  const Real fz = -(fx + fy);
  const Real e2 = fx * fy - fz * fz;
  const Real e3 = fx * fy * fz;
  const Real rf = (1.0L - e2 / 10 + e3 / 14 + e2 * e2 / 24 - 3 * e2 * e3 / 44) / std::sqrt(af);

  // R_D: series of Carlson (1995), eq. (2.26)-(2.29).
  const Real dx = (ad - x) / ad;
  const Real dy = (ad - y) / ad;
  const Real dz = -(dx + dy) / 3;
  const Real d2 = dx * dy - 6 * dz * dz;
  const Real d3 = (3 * dx * dy - 8 * dz * dz) * dz;
  const Real d4 = 3 * (dx * dy - dz * dz) * dz * dz;
  const Real d5 = dx * dy * dz * dz * dz;
  const Real series =
      1.0L - 3 * d2 / 14 + d3 / 6 + 9 * d2 * d2 / 88 - 3 * d4 / 22 - 9 * d2 * d3 / 52 + 3 * d5 / 26;
  const Real rd = scale * series / (ad * std::sqrt(ad)) + 3 * sum;
  return {rf, rd};
}

IncompleteEllipticIntegrals incompleteEllipticIntegrals(Real sinPhi, Real cosPhi, Real kSquared) {
  // F = s R_F(c^2, 1 - k^2 s^2, 1);  E = F - (k^2/3) s^3 R_D(c^2, 1 - k^2 s^2, 1).
  const Real s2 = sinPhi * sinPhi;
  const Real delta2 = cosPhi * cosPhi + (1.0L - kSquared) * s2;
  const CarlsonIntegrals r = carlsonRfRd(cosPhi * cosPhi, delta2, 1.0L);
  const Real f = sinPhi * r.rf;
  return {f, f - kSquared / 3 * sinPhi * s2 * r.rd};
}

Real heumanLambda(Real sinPsi, Real cosPsi, Real kcSquared, const CompleteEllipticIntegrals& ke) {
  // With the incomplete integrals of modulus k' in Carlson's form the terms
  // K E(psi,k') - K F(psi,k') reduce to -K (k'^2/3) s^3 R_D:
  //   Lambda0 = (2/pi) [E F(psi,k') - K (k'^2/3) s^3 R_D(c^2, 1 - k'^2 s^2, 1)].
  const Real s2 = sinPsi * sinPsi;
  const Real kSquared = 1.0L - kcSquared;
  const Real delta2 = cosPsi * cosPsi + kSquared * s2;
  const CarlsonIntegrals r = carlsonRfRd(cosPsi * cosPsi, delta2, 1.0L);
  const Real f = sinPsi * r.rf;
  return (2 / kPi) * (ke.secondKind * f - ke.firstKind * (kcSquared / 3) * sinPsi * s2 * r.rd);
}

}  // namespace velarix
