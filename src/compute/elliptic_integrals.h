// Elliptic integrals in full extended precision for the chordwise influence
// functions of the lifting-line solver.
//
// Conventions: the modulus k (not the parameter m = k^2) is the argument,
// as in std::comp_ellint_1; k' = sqrt(1 - k^2) is the complementary modulus.
// Callers that know k'^2 more accurately than 1 - k^2 pass it directly.
#pragma once

#include "wing/real.h"

namespace velarix {

// Complete integrals of the first and second kind,
//   K(k) = int_0^{pi/2} dx / sqrt(1 - k^2 sin^2 x),
//   E(k) = int_0^{pi/2} sqrt(1 - k^2 sin^2 x) dx,
// by the arithmetic-geometric mean (Abramowitz & Stegun 17.6); both from one
// iteration. kSquared + kcSquared must be 1; kcSquared > 0.
struct CompleteEllipticIntegrals {
  Real firstKind;   // K
  Real secondKind;  // E
};
CompleteEllipticIntegrals completeEllipticIntegrals(Real kSquared, Real kcSquared);

// Carlson's symmetric integrals R_F(x, y, z) and R_D(x, y, z) for the same
// arguments, from one duplication sequence (Carlson, Numer. Algorithms 10
// (1995) 13-26). x, y >= 0 with at most one of them 0; z > 0.
struct CarlsonIntegrals {
  Real rf;
  Real rd;
};
CarlsonIntegrals carlsonRfRd(Real x, Real y, Real z);

// Incomplete integrals of the first and second kind F(phi, k), E(phi, k)
// (DLMF 19.25.5 and 19.25.9), given sin(phi) and cos(phi) >= 0, so that
// |phi| <= pi/2 and the sign of phi is the sign of sinPhi.
struct IncompleteEllipticIntegrals {
  Real firstKind;   // F(phi, k)
  Real secondKind;  // E(phi, k)
};
IncompleteEllipticIntegrals incompleteEllipticIntegrals(Real sinPhi, Real cosPhi, Real kSquared);

// Heuman's Lambda function (Byrd & Friedman 150.03, DLMF 19.2 notes):
//   Lambda0(psi, k) = (2/pi) [E(k) F(psi, k') + K(k) E(psi, k') - K(k) F(psi, k')],
// for |psi| <= pi/2 given by sin(psi), cos(psi) >= 0; K(k), E(k) are passed
// in because the caller has them already. kcSquared = k'^2.
Real heumanLambda(Real sinPsi, Real cosPsi, Real kcSquared, const CompleteEllipticIntegrals& ke);

}  // namespace velarix
