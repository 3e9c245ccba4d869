#include "compute/lifting_line_solver.h"

#include <gtest/gtest.h>

#include <cmath>

#include "compute/wing_builders.h"
#include "compute/wing_computation.h"
#include "support/fake_platform.h"
#include "support/tolerance.h"

namespace velarix {
namespace {

using namespace lifting_line;
using testing::FakePlatform;
using testing::near;

TEST(Romberg, IntegratesTowardsANegativeUpperLimit) {
  IntegrationLog log;
  const RombergResult r = integrateRomberg([](double x) { return std::exp(x); }, -2.0);
  EXPECT_TRUE(r.converged);
  // The newer diagonal value is returned: it is far closer than the 1e-6
  // agreement of the two.
  EXPECT_NEAR(r.value, std::exp(-2.0) - 1.0, 1e-9);
  EXPECT_FALSE(log.convergenceProblem);
}

TEST(Romberg, ReportsNonConvergenceInsteadOfHanging) {
  const RombergResult oscillating =
      integrateRomberg([](double x) { return std::sin(1000.0 * x); }, 3.0, 6);
  EXPECT_FALSE(oscillating.converged);
  EXPECT_TRUE(std::isfinite(oscillating.value));
  // A non-finite integrand ends at once (the full 50 levels would take 2^49
  // evaluations).
  const RombergResult singular = integrateRomberg([](double x) { return 1.0 / x; }, 1.0);
  EXPECT_FALSE(singular.converged);
}

TEST(Romberg, CompleteIntegralsAndTheSingularityOfK1) {
  IntegrationLog log;
  EXPECT_NEAR(rombergFirstKind(0.5, kPi / 2, log), 1.6857503548125960, 1e-8);
  EXPECT_NEAR(rombergSecondKind(0.5, kPi / 2, log), 1.4674622093394272, 1e-8);
  EXPECT_EQ(rombergFirstKind(1.0, 1.5707963267948966, log), 999.0);
  EXPECT_FALSE(log.convergenceProblem);
}

TEST(LiftingLine, SweepCountIsRoundedHalfToEven) {
  const std::pair<int, int> cases[] = {{7, 23}, {15, 50}, {31, 102}, {63, 208}, {127, 419}};
  for (const auto& [m, nit] : cases) EXPECT_EQ(sweepCount(m), nit) << "m = " << m;
}

// The truncated series in k^2 and k'^2 that the exact functions replace:
// accurate where k^2 is small, i.e. for points far from the inducing chord.
InfluenceValues seriesInfluence(long double x, long double y) {
  const long double r0 = std::sqrt(x * x + y * y);
  const long double r1 = std::sqrt((1 - x) * (1 - x) + y * y);
  const long double k2 = (1 - (r1 - r0) * (r1 - r0)) / (4 * r1 * r0);
  const long double kc2 = 1 - k2;
  long double t = 1;
  long double u = k2 / 4;
  long double sumT = 0;
  long double sumU = 0;
  for (int n = 2; n <= 10; n += 2) {
    t *= k2 * ((n - 1.0L) / n) * ((n - 1.0L) / n);
    u *= (n - 1.0L) * (n + 1.0L) * k2 / ((n + 2.0L) * (n + 2.0L));
    sumT += t;
    sumU += u;
  }
  const long double kk = kPi / 2 * (1 + sumT);
  const long double ee = kPi / 2 * (1 - k2 / 4 - sumU);
  const long double psi = std::asin(r1 - r0);
  const long double a[] = {0.5L, 0.125L, 0.0625L};
  long double integral = psi;
  long double lsum = 0;
  long double kcPower = 1;
  for (int i = 1; i <= 3; ++i) {
    integral =
        ((2 * i - 1) * integral - std::pow(std::sin(psi), 2 * i - 1) * std::cos(psi)) / (2 * i);
    kcPower *= kc2;
    lsum += a[i - 1] * kcPower * (2 * i * kk - (2 * i - 1) * ee) * integral;
  }
  const long double l = 2 / kPi * (ee * psi - lsum);
  const long double root = std::sqrt(r0 * r1);
  const long double ek = ee - kk * kc2;
  return {
      1 - l + 4 / kPi * ek * root,
      16 / kPi * (2 * (1 - x) * ek * root - (kk * (1 - 2 * x) - kPi * l * root) * y * y / root)};
}

// Reference values from the exact integrals (mpmath, 30 digits): ahead of,
// behind, beside and right next to the chord, on both sides (sign of psi).
TEST(LiftingLine, InfluenceFunctionsMatchReferenceValues) {
  struct Case {
    long double x, y, f1, f2;
  };
  const Case cases[] = {{-3, 0.5L, 0.01181140604681379344L, 0.006439915517866864946L},
                        {4, -0.5L, 1.991101771586153679L, 0.005212795014003025092L},
                        {0.25L, 5, 1.000061805542035126L, 0.1992569436510402584L},
                        {1, -6, 1.123755414449129370L, 0.1636893041625962991L},
                        {-2, 3, 0.4024794946959986425L, 0.1613696339228794487L},
                        {0.25L, 0.001L, 1.217976998677699238L, 3.307858504006338106L},
                        {1, 0.001L, 1.999975126475438683L, 0.0002828099087080417201L}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "X " << c.x << " Y " << c.y);
    const InfluenceValues exact = influenceFunctions(c.x, c.y);
    EXPECT_TRUE(near(exact.f1, c.f1, 1e-16L, 1e-18L));
    EXPECT_TRUE(near(exact.f2, c.f2, 1e-15L, 1e-18L));
  }
}

// Beside the chord, where k^2 and psi are both small, the exact functions
// and the truncated series agree; the series is their expansion.
TEST(LiftingLine, InfluenceFunctionsAgreeWithTheSeriesWhereItHolds) {
  const std::pair<long double, long double> points[] = {{0.25L, 5}, {1, -6}, {0.5L, 10}};
  for (const auto& [x, y] : points) {
    SCOPED_TRACE(::testing::Message() << "X " << x << " Y " << y);
    const InfluenceValues exact = influenceFunctions(x, y);
    const InfluenceValues series = seriesInfluence(x, y);
    EXPECT_TRUE(near(exact.f1, series.f1, 1e-8L, 1e-10L));
    EXPECT_TRUE(near(exact.f2, series.f2, 1e-8L, 1e-10L));
  }
}

TEST(LiftingLine, InfluenceFunctionsStaySmoothCloseToTheChord) {
  // Where the series fail (k -> 1), the exact functions must stay finite
  // and continuous in Y.
  for (long double x : {0.25L, 1.0L, 0.75L}) {
    const InfluenceValues a = influenceFunctions(x, 1e-3L);
    const InfluenceValues b = influenceFunctions(x, 1.001e-3L);
    EXPECT_TRUE(std::isfinite(a.f1) && std::isfinite(a.f2));
    EXPECT_TRUE(near(a.f1, b.f1, 1e-3L, 1e-5L)) << "X " << x;
    EXPECT_TRUE(near(a.f2, b.f2, 1e-3L, 1e-5L)) << "X " << x;
  }
}

// Solver input of a wing from the wing computation's own steps.
LiftingLineInput inputOf(const TWing& wing, SolverMode mode, Real value) {
  TSpanDistribution d;
  computeStations(wing, d);
  const PlanformIntegrals p = integratePlanform(wing);
  LiftingLineInput in;
  in.stationCount = d.stationCount;
  in.xLeadingEdge = d.xLeadingEdge;
  in.xTrailingEdge = d.xTrailingEdge;
  in.angleFromZeroLift = d.angleFromZeroLift;
  in.cm0 = d.cm0;
  const Real span = 2 * kinkY(wing, wing.kinkCount());
  in.span = span;
  in.aspectRatio = span * span / p.wingArea;
  in.referenceChord = p.referenceChord;
  in.geometricNeutralPoint = p.geometricNeutralPoint;
  in.mode = mode;
  in.designValue = value;
  return in;
}

LiftingLineSolution solve(const LiftingLineInput& in) {
  FakePlatform platform;
  LiftingLineSolution solution;
  solveLiftingLine(in, solution, platform);
  EXPECT_TRUE(platform.errors.empty());
  return solution;
}

TEST(LiftingLine, RectangularWingHasNoZeroLiftAngleMomentOrRoll) {
  const LiftingLineSolution s =
      solve(inputOf(testing::rectangularWing(0.5L, 0.2L), SolverMode::WingAngle, 5));
  EXPECT_NEAR(s.zeroLiftAngle, 0, 1e-9);
  EXPECT_NEAR(s.zeroLiftMoment, 0, 1e-12);
  EXPECT_NEAR(s.rollingMoment, 0, 1e-12);
  EXPECT_NEAR(s.inducedYawingMoment, 0, 1e-12);
  EXPECT_EQ(s.alpha, 5);
  for (int v = 1; v <= 15; ++v) {
    EXPECT_TRUE(near(s.gamma[v], s.gamma[16 - v], 1e-10L)) << "station " << v;
    EXPECT_GT(s.gamma[v], 0);
  }
  // Unswept straight wing: the neutral point lies just ahead of the quarter chord.
  EXPECT_GT(s.aerodynamicNeutralPoint, 0.2L * 0.2L);
  EXPECT_LT(s.aerodynamicNeutralPoint, 0.25L * 0.2L);
  // Lift of the design point: dCA (alpha + A0)/57.3 up to the iteration.
  EXPECT_TRUE(near(s.liftCoefficient, s.liftSlope * 5 / 57.3L, 1e-10L));
  EXPECT_GT(s.inducedDragQuality, 1);
  EXPECT_LT(s.inducedDragQuality, 1.05L);
}

TEST(LiftingLine, SymmetricWingHasMirrorEqualCirculation) {
  const LiftingLineSolution s =
      solve(inputOf(testing::sweptWing(true, 31), SolverMode::WingAngle, 4));
  for (int v = 1; v <= 31; ++v) {
    EXPECT_TRUE(near(s.gamma[v], s.gamma[32 - v], 1e-11L, 1e-15L)) << "station " << v;
    EXPECT_TRUE(near(s.mue[v], s.mue[32 - v], 1e-11L, 1e-15L)) << "station " << v;
  }
  EXPECT_NEAR(s.rollingMoment, 0, 1e-12);
  EXPECT_NEAR(s.inducedYawingMoment, 0, 1e-12);
  // Washout and reflex: positive zero-lift moment; sweep moves XN aft of XC.
  EXPECT_GT(s.zeroLiftMoment, 0);
}

TEST(LiftingLine, AsymmetricTwistOrFlapRolls) {
  TWing twisted =
      testing::buildWing({{-1, 0, 0.2L, 0, 0, 0}, {0, 0, 0.2L, 0, 0, 0}, {1, 0, 0.2L, 2, 0, 0}});
  TWing flapped =
      testing::buildWing({{-1, 0, 0.2L, 0, 0, 0}, {0, 0, 0.2L, 0, 0, 0}, {1, 0, 0.2L, 0, 0, 0}},
                         {{0, 0, 0}, {20, 20, 5}});
  for (TWing* w : {&twisted, &flapped}) {
    const LiftingLineSolution s = solve(inputOf(*w, SolverMode::WingAngle, 2));
    // More lift on the right wing (stations 1..7) rolls to the left: CL < 0.
    EXPECT_LT(s.rollingMoment, -1e-3);
    EXPECT_GT(s.gamma[3], s.gamma[13]);
  }
}

TEST(LiftingLine, SecondSolveFromThePreviousSolutionAgrees) {
  const LiftingLineInput in = inputOf(testing::sweptWing(true, 15), SolverMode::WingAngle, 3);
  FakePlatform platform;
  LiftingLineSolution first;
  solveLiftingLine(in, first, platform);
  LiftingLineSolution second = first;
  solveLiftingLine(in, second, platform);
  EXPECT_TRUE(near(second.liftSlope, first.liftSlope, 1e-12L));
  EXPECT_TRUE(near(second.aerodynamicNeutralPoint, first.aerodynamicNeutralPoint, 1e-12L));
  EXPECT_TRUE(near(second.zeroLiftAngle, first.zeroLiftAngle, 1e-9L));
  for (int v = 1; v <= 15; ++v) EXPECT_TRUE(near(second.gamma[v], first.gamma[v], 1e-11L));
}

// The four design modes reproduce the prescribed quantity exactly, and the
// design point of one mode fed to another gives the same angle (up to the
// 57.3 against 180/pi of the design-angle formula).
TEST(LiftingLine, DesignModesKeepThePrescribedValue) {
  const TWing wing = testing::sweptWing(false, 15);
  const LiftingLineSolution byAngle = solve(inputOf(wing, SolverMode::WingAngle, 3));
  const LiftingLineSolution byCa =
      solve(inputOf(wing, SolverMode::LiftCoefficient, byAngle.liftCoefficient));
  const LiftingLineSolution bySm =
      solve(inputOf(wing, SolverMode::StabilityMargin, byAngle.stabilityMargin));
  const LiftingLineSolution byXd =
      solve(inputOf(wing, SolverMode::CgPosition, byAngle.pressurePoint));
  EXPECT_EQ(byCa.liftCoefficient, byAngle.liftCoefficient);
  EXPECT_EQ(bySm.stabilityMargin, byAngle.stabilityMargin);
  EXPECT_EQ(byXd.pressurePoint, byAngle.pressurePoint);
  const Real ratio = (180 / kPi) / 57.3L;
  for (const LiftingLineSolution* s : {&byCa, &bySm, &byXd}) {
    EXPECT_TRUE(near(s->alpha - byAngle.zeroLiftAngle, (3 - byAngle.zeroLiftAngle) * ratio, 1e-9L));
  }
}

// The sweeps read the couplings rounded to double for speed; the results
// must stay those of the full extended-precision coefficients to 1e-15,
// including A0 and CM0, which come from differences of nearly equal lifts.
TEST(LiftingLine, DoubleCouplingsKeepTheExtendedResults) {
  for (int m : {15, 63}) {
    SCOPED_TRACE(m);
    LiftingLineInput in = inputOf(testing::sweptWing(true, m), SolverMode::WingAngle, 3);
    const LiftingLineSolution fast = solve(in);
    in.extendedCouplings = true;
    const LiftingLineSolution exact = solve(in);
    EXPECT_TRUE(near(fast.liftSlope, exact.liftSlope, 1e-15L));
    EXPECT_TRUE(near(fast.aerodynamicNeutralPoint, exact.aerodynamicNeutralPoint, 1e-15L));
    EXPECT_TRUE(near(fast.zeroLiftAngle, exact.zeroLiftAngle, 1e-15L));
    EXPECT_TRUE(near(fast.zeroLiftMoment, exact.zeroLiftMoment, 1e-15L));
    EXPECT_TRUE(near(fast.liftCoefficient, exact.liftCoefficient, 1e-15L));
    EXPECT_TRUE(near(fast.inducedDrag, exact.inducedDrag, 1e-15L));
    for (int v = 1; v <= m; ++v) {
      EXPECT_TRUE(near(fast.gamma[v], exact.gamma[v], 1e-15L)) << v;
      EXPECT_TRUE(near(fast.mue[v], exact.mue[v], 1e-14L, 1e-19L)) << v;
    }
  }
}

TEST(LiftingLine, RefusesDesignPointsWithoutAResult) {
  const TWing wing = testing::sweptWing(false, 7);
  const LiftingLineSolution byAngle = solve(inputOf(wing, SolverMode::WingAngle, 3));
  FakePlatform platform;
  LiftingLineSolution s;
  EXPECT_THROW(
      solveLiftingLine(inputOf(wing, SolverMode::CgPosition, byAngle.aerodynamicNeutralPoint), s,
                       platform),
      WingComputationError);
  EXPECT_THROW(solveLiftingLine(inputOf(wing, SolverMode::StabilityMargin, 0), s, platform),
               WingComputationError);
  // CA = 0 leaves XD, SM and the speed undefined.
  EXPECT_THROW(solveLiftingLine(inputOf(wing, SolverMode::LiftCoefficient, 0), s, platform),
               WingComputationError);
}

TEST(LiftingLine, ZeroDesignAngleBecomesOneThousandth) {
  const LiftingLineSolution s =
      solve(inputOf(testing::rectangularWing(0.5L, 0.2L, 7), SolverMode::WingAngle, 0.0004L));
  EXPECT_EQ(s.alpha, 0.001L);
}

}  // namespace
}  // namespace velarix
