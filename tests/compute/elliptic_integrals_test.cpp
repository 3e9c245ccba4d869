#include "compute/elliptic_integrals.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/tolerance.h"

namespace velarix {
namespace {

using testing::near;

// Reference values to 22 digits (mpmath, 30 digits), at binary-exact
// arguments so that the rounding of the input does not count. The C++17
// long double special functions of libstdc++ miss these by up to 2e-15, so
// they serve only as a second, looser check.
struct CompleteCase {
  long double k, firstKind, secondKind;
};
TEST(EllipticIntegrals, CompleteIntegralsToExtendedPrecision) {
  const CompleteCase cases[] = {
      {0.125L, 1.576986771215813142124L, 1.564642309262556894433L},
      {0.5L, 1.685750354812596042871L, 1.46746220933942715546L},
      {0.9375L, 2.488400491401035160956L, 1.121593170232373842114L},
      {0.9990234375L, 4.507413597899042266637L, 1.003912355556817636667L}};
  for (const CompleteCase& c : cases) {
    SCOPED_TRACE(c.k);
    const CompleteEllipticIntegrals ke =
        completeEllipticIntegrals(c.k * c.k, (1 - c.k) * (1 + c.k));
    EXPECT_TRUE(near(ke.firstKind, c.firstKind, 5e-19L));
    EXPECT_TRUE(near(ke.secondKind, c.secondKind, 5e-19L));
    EXPECT_TRUE(near(ke.firstKind, std::comp_ellint_1(c.k), 1e-14L));
    EXPECT_TRUE(near(ke.secondKind, std::comp_ellint_2(c.k), 1e-14L));
  }
  const CompleteEllipticIntegrals circle = completeEllipticIntegrals(0, 1);
  EXPECT_EQ(circle.firstKind, kPi / 2);
  EXPECT_EQ(circle.secondKind, kPi / 2);
}

struct IncompleteCase {
  long double k, phi, firstKind, secondKind;
};
TEST(EllipticIntegrals, IncompleteIntegralsForBothSignsOfTheAmplitude) {
  const IncompleteCase cases[] = {
      {0.25L, -1.5L, -1.523128157499646809992L, -1.477405193991778096426L},
      {0.75L, -0.375L, -0.3799790556455391934573L, -0.3701369497996363691141L},
      {0.9990234375L, 1, 1.225384439488979676144L, 0.8418462937493409720958L},
      {0.9990234375L, -1.5L, -3.256645689302106673224L, -0.9997404795008352179113L}};
  for (const IncompleteCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "k " << c.k << " phi " << c.phi);
    const IncompleteEllipticIntegrals fe =
        incompleteEllipticIntegrals(std::sin(c.phi), std::cos(c.phi), c.k * c.k);
    EXPECT_TRUE(near(fe.firstKind, c.firstKind, 5e-19L));
    EXPECT_TRUE(near(fe.secondKind, c.secondKind, 5e-19L));
    EXPECT_TRUE(near(fe.firstKind, std::ellint_1(c.k, c.phi), 1e-14L));
  }
}

// Heuman's Lambda, Lambda0(psi, k) = (2/pi)[E F(psi,k') + K E(psi,k') - K F(psi,k')],
// and its limits Lambda0(psi, 0) = sin psi, Lambda0(psi, 1) = 2 psi/pi,
// Lambda0(pi/2, k) = 1 (Byrd & Friedman 150.03).
TEST(EllipticIntegrals, HeumanLambdaValuesAndLimits) {
  const CompleteCase cases[] = {{0.0625L, -1.25L, -0.9480652599174167986879L},
                                {0.5L, 0.75L, 0.6390337912324055616571L},
                                {0.9375L, -0.25L, -0.1777412913527589463285L},
                                {0.9990234375L, 1.375L, 0.8758276947596445569861L}};
  for (const CompleteCase& c : cases) {
    const long double psi = c.firstKind;
    SCOPED_TRACE(::testing::Message() << "k " << c.k << " psi " << psi);
    const long double kc2 = (1 - c.k) * (1 + c.k);
    const CompleteEllipticIntegrals ke = completeEllipticIntegrals(c.k * c.k, kc2);
    EXPECT_TRUE(near(heumanLambda(std::sin(psi), std::cos(psi), kc2, ke), c.secondKind, 1e-18L));
    EXPECT_TRUE(near(heumanLambda(1, 0, kc2, ke), 1, 1e-18L));
  }
  const CompleteEllipticIntegrals zero = completeEllipticIntegrals(0, 1);
  EXPECT_TRUE(near(heumanLambda(std::sin(0.6L), std::cos(0.6L), 1, zero), std::sin(0.6L), 1e-18L));
  // k' = 1e-12: Lambda0 = 2 psi/pi up to terms of order k'^2 ln k'.
  const CompleteEllipticIntegrals one = completeEllipticIntegrals(1 - 1e-24L, 1e-24L);
  EXPECT_TRUE(
      near(heumanLambda(std::sin(0.6L), std::cos(0.6L), 1e-24L, one), 2 * 0.6L / kPi, 1e-18L));
}

}  // namespace
}  // namespace velarix
