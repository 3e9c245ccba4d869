#include "compute/wing_computation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "compute/wing_builders.h"
#include "support/fake_platform.h"
#include "support/tolerance.h"
#include "wing/cell_number.h"

namespace velarix {
namespace {

using testing::near;

// Records the user-interface effects of a computation.
class RecordingPlatform : public testing::FakePlatform {
 public:
  int hides = 0;
  int enables = 0;
  int lastPosition = 0;
  int maximum = 0;
  std::vector<DesignValueTexts> designTexts;
  void hideProgress() override { ++hides; }
  void enableComputedWingControls() override { ++enables; }
  void showDesignValues(const DesignValueTexts& t) override { designTexts.push_back(t); }
  void setProgressMaximum(int m) override { maximum = m; }
  void setProgressPosition(int p) override { lastPosition = p; }
};

TWing newWing() {
  TWing w;
  resetToNewWing(w);
  return w;
}

TEST(WingComputation, NewWingPlanformAndUserInterface) {
  TWing wing = newWing();
  WingResults results;
  RecordingPlatform platform;
  computeWing(wing, results, platform);
  const TWingCoefficients& c = results.coefficients;
  EXPECT_TRUE(near(c.wingArea, 0.2L, 1e-18L));
  EXPECT_TRUE(near(c.aspectRatio, 5, 1e-18L));
  EXPECT_TRUE(near(c.referenceChord, 0.2L, 1e-18L));
  EXPECT_TRUE(near(c.geometricNeutralPoint, 0.05L, 1e-18L));
  EXPECT_TRUE(near(c.ellipticNeutralPoint, 0.05L, 1e-4L));
  EXPECT_TRUE(near(c.wingLoading, 5, 1e-18L));
  EXPECT_EQ(c.airDensity, 1.225L);
  EXPECT_EQ(wing.halfSpan, 0.5L);
  EXPECT_EQ(wing.span, 1);
  EXPECT_TRUE(results.computed);
  EXPECT_EQ(results.distribution.stationCount, 15);

  EXPECT_EQ(platform.progressLabels, std::vector<std::string>{"Flügel wird berechnet!"});
  EXPECT_EQ(platform.maximum, 3 * 50);
  EXPECT_EQ(platform.lastPosition, 3 * 50);
  EXPECT_EQ(platform.hides, 1);
  EXPECT_EQ(platform.enables, 1);
  ASSERT_EQ(platform.designTexts.size(), 1u);
  EXPECT_EQ(platform.designTexts[0].wingAngleOfAttack, "1");
  EXPECT_EQ(platform.designTexts[0].speed, formatCellNumber(roundToDecimals(wing.designSpeed, 3)));
  EXPECT_TRUE(platform.errors.empty());
  EXPECT_EQ(c.yawingMoment, c.inducedYawingMoment);
}

// The smallest station count has a single inner station for the sweep angles.
TEST(WingComputation, ThreeStations) {
  TWing wing = testing::sweptWing(true, 3);
  WingResults results;
  RecordingPlatform platform;
  computeWing(wing, results, platform);
  EXPECT_GT(results.coefficients.liftSlope, 3);
  EXPECT_LT(results.coefficients.liftSlope, 2 * kPi);
  EXPECT_TRUE(near(results.distribution.gamma[1], results.distribution.gamma[3], 1e-12L));
}

TEST(WingComputation, NothingWithoutAWing) {
  TWing wing;
  WingResults results;
  RecordingPlatform platform;
  computeWing(wing, results, platform);
  EXPECT_FALSE(results.computed);
  EXPECT_TRUE(platform.progressLabels.empty());
}

TEST(WingComputation, AirDensityTable) {
  const std::pair<Real, Real> cases[] = {{0, 1.225L},
                                         {1000, 1.112L},
                                         {1500, 0.5L * (1.112L + 1.007L)},
                                         {24999, 0.040007L},
                                         {25000, 0.04L}};
  for (const auto& [h, rho] : cases) EXPECT_TRUE(near(airDensity(h), rho, 1e-15L)) << h;
  for (Real h : {-1.0L, 25000.001L, std::nanl("")})
    EXPECT_THROW(airDensity(h), WingComputationError) << h;
}

// Panels of different taper: lu and XC are area-weighted over the panels'
// mean aerodynamic chords, (2/3)(t1 + t2 - t1 t2/(t1 + t2)), not the kink chords.
TEST(WingComputation, PlanformIntegralsOverPanelMeanChords) {
  const TWing wing = testing::buildWing({{-1, 0.2L, 0.1L, 0, 0, 0},
                                         {0, 0, 0.3L, 0, 0, 0},
                                         {0.5L, 0.05L, 0.2L, 0, 0, 0},
                                         {1, 0.2L, 0.1L, 0, 0, 0}});
  const auto mac = [](Real t1, Real t2) { return 2.0L / 3 * (t1 + t2 - t1 * t2 / (t1 + t2)); };
  const Real areas[] = {0.2L, 0.125L, 0.075L};
  const Real macs[] = {mac(0.1L, 0.3L), mac(0.3L, 0.2L), mac(0.2L, 0.1L)};
  const Real area = areas[0] + areas[1] + areas[2];
  const Real lu = (areas[0] * macs[0] + areas[1] * macs[1] + areas[2] * macs[2]) / area;
  const PlanformIntegrals p = integratePlanform(wing);
  EXPECT_TRUE(near(p.wingArea, area, 1e-18L));
  EXPECT_TRUE(near(p.referenceChord, lu, 1e-17L));
  // Quarter point of the outer-left panel's mean chord: the leading edge
  // at the mean-chord station is 0.2 - 0.2 q/(q+1), q = (2 t1 + t2)/(t1 + 2 t2).
  const Real q = 0.5L / 0.7L;
  const Real x25Left = 0.2L - 0.2L * q / (q + 1) + 0.25L * macs[0];
  EXPECT_GT(p.geometricNeutralPoint, 0);
  EXPECT_LT(p.geometricNeutralPoint, x25Left);
}

TEST(WingComputation, SpeedDesignReturnsTheSpeed) {
  TWing wing = newWing();
  wing.designMode = DesignMode::Speed;
  wing.designSpeed = 20;
  WingResults results;
  RecordingPlatform platform;
  computeWing(wing, results, platform);
  EXPECT_TRUE(near(wing.designCA, 2 * 9.81L / (1.225L * 400 * 0.2L), 1e-17L));
  EXPECT_TRUE(near(wing.designSpeed, 20, 1e-17L));
  EXPECT_EQ(platform.designTexts.at(0).speed, "20");
  EXPECT_EQ(platform.designTexts.at(0).liftCoefficient, "0,2");
}

TEST(WingComputation, LiftCoefficientDesignKeepsCaExactly) {
  TWing wing = testing::sweptWing(true);
  wing.designMode = DesignMode::LiftCoefficient;
  wing.designCA = 0.35L;
  const TWing before = wing;
  WingResults results;
  RecordingPlatform platform;
  computeWing(wing, results, platform);
  EXPECT_EQ(wing.designCA, 0.35L);
  EXPECT_EQ(results.coefficients.liftCoefficient, 0.35L);
  EXPECT_NE(wing.wingAngleOfAttack, before.wingAngleOfAttack);
  EXPECT_NE(wing.designStabilityMargin, before.designStabilityMargin);
  EXPECT_NE(wing.designCgPosition, before.designCgPosition);
  EXPECT_NE(wing.designSpeed, before.designSpeed);
  EXPECT_EQ(wing.designStabilityMargin, results.coefficients.stabilityMargin);
  EXPECT_EQ(wing.designCgPosition, results.coefficients.pressurePoint);
}

TEST(WingComputation, EstimatedPolarFollowsFromTheReynoldsNumbers) {
  TWing wing = testing::sweptWing(true);
  WingResults results;
  RecordingPlatform platform;
  computeWing(wing, results, platform);
  const TSpanDistribution& d = results.distribution;
  const TWingCoefficients& c = results.coefficients;
  EXPECT_EQ(d.re[0], std::nearbyint(c.flightSpeed * 0.15L * 70000));
  EXPECT_EQ(d.re[8], std::nearbyint(c.flightSpeed * 0.3L * 70000));
  EXPECT_TRUE(near(d.cwrEstimated[8], 0.455L / std::pow(std::log10(d.re[8]), 2.58L), 1e-18L));
  EXPECT_TRUE(near(c.totalDragEstimated, c.frictionDragEstimated + c.inducedDrag, 1e-18L));
  EXPECT_TRUE(near(c.glideRatioEstimated, c.liftCoefficient / c.totalDragEstimated, 1e-18L));
  // Sink speed = flight speed * CWG/CA in a shallow glide.
  EXPECT_TRUE(near(c.sinkSpeedEstimated, c.flightSpeed / c.glideRatioEstimated, 1e-15L));
  // A plate of Re ~ 1e5 has cf of about 0.007; the wing's CWR about that too.
  EXPECT_GT(c.frictionDragEstimated, 0.004);
  EXPECT_LT(c.frictionDragEstimated, 0.012);
}

TEST(WingComputation, ZeroCirculationGivesTheQuarterChordPoint) {
  TSpanDistribution d;
  d.stationCount = 2;
  d.xQuarterChord[1] = 0.05L;
  d.chord[1] = 0.2L;
  d.gamma[1] = 0;
  d.mue[1] = 0.001L;
  d.xQuarterChord[2] = 0.05L;
  d.chord[2] = 0.2L;
  d.gamma[2] = 0.01L;
  d.mue[2] = -0.001L;
  computeLocalCentresOfPressure(d);
  EXPECT_EQ(d.xd[1], 0.05L);
  EXPECT_TRUE(near(d.xd[2], 0.07L, 1e-17L));
}

// Refusals leave wing and results as they were and hide the progress.
TEST(WingComputation, RefusedConditionsChangeNothing) {
  struct Case {
    const char* what;
    void (*edit)(TWing&);
  };
  const Case cases[] = {
      {"altitude above the table", [](TWing& w) { w.flightAltitude = 30000; }},
      {"negative altitude", [](TWing& w) { w.flightAltitude = -10; }},
      {"zero mass", [](TWing& w) { w.wingMass = 0; }},
      {"zero speed",
       [](TWing& w) {
         w.designMode = DesignMode::Speed;
         w.designSpeed = 0;
       }},
      {"zero stability margin",
       [](TWing& w) {
         w.designMode = DesignMode::StabilityMargin;
         w.designStabilityMargin = 0;
       }},
      {"zero lift coefficient",
       [](TWing& w) {
         w.designMode = DesignMode::LiftCoefficient;
         w.designCA = 0;
       }},
      {"left tip not at -s", [](TWing& w) { w.kinkTable.setCell(kColKinkY, 1, "-0,4"); }},
  };
  TWing reference = newWing();
  WingResults computed;
  RecordingPlatform quiet;
  computeWing(reference, computed, quiet);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TWing wing = reference;
    c.edit(wing);
    const TWing edited = wing;
    WingResults results = computed;
    RecordingPlatform platform;
    EXPECT_THROW(computeWing(wing, results, platform), WingComputationError);
    EXPECT_EQ(wing, edited);
    EXPECT_EQ(results.coefficients.liftSlope, computed.coefficients.liftSlope);
    EXPECT_EQ(platform.hides, static_cast<int>(platform.progressLabels.size()));
    EXPECT_EQ(platform.enables, 0);
  }
}

// The second computation's XN differs from the first in the last digits of
// the iteration; it still counts as the neutral point.
TEST(WingComputation, CgAtTheNeutralPointIsRefused) {
  TWing wing = newWing();
  WingResults results;
  RecordingPlatform platform;
  computeWing(wing, results, platform);
  wing.designMode = DesignMode::CgPosition;
  wing.designCgPosition = results.coefficients.aerodynamicNeutralPoint;
  try {
    computeWing(wing, results, platform);
    FAIL() << "no refusal";
  } catch (const WingComputationError& e) {
    EXPECT_NE(std::string(e.what()).find("Neutralpunkt"), std::string::npos) << e.what();
  }
}

// Lift slope and neutral point settle as the stations get denser (the
// series form of the influence functions drifted here by 16 % in dCA and
// 4 % of lu in XN between m = 15 and 127 on the new wing).
TEST(WingComputation, ConvergesWithTheStationCount) {
  for (bool swept : {false, true}) {
    SCOPED_TRACE(swept ? "swept wing with flaps" : "new wing");
    Real slope[2];
    Real neutral[2];
    Real lu = 0;
    for (int i = 0; i < 2; ++i) {
      TWing wing = swept ? testing::sweptWing(true) : newWing();
      wing.stationCount = i == 0 ? 63 : 127;
      WingResults results;
      RecordingPlatform platform;
      computeWing(wing, results, platform);
      slope[i] = results.coefficients.liftSlope;
      neutral[i] = results.coefficients.aerodynamicNeutralPoint;
      lu = results.coefficients.referenceChord;
    }
    EXPECT_TRUE(near(slope[1], slope[0], 0.01L));
    EXPECT_TRUE(near(neutral[1], neutral[0], 0, 0.01L * lu));
  }
}

// Helmbold's 2 pi A/(2 + sqrt(A^2 + 4)) bounds the lift slope of a straight
// rectangular wing from above; lifting-surface values lie a few per cent below.
TEST(WingComputation, RectangularLiftSlopeBelowHelmbold) {
  for (Real aspectRatio : {5.0L, 10.0L}) {
    TWing wing = testing::rectangularWing(0.5L, 1 / aspectRatio, 31);
    WingResults results;
    RecordingPlatform platform;
    computeWing(wing, results, platform);
    const Real helmbold = 2 * kPi * aspectRatio / (2 + std::sqrt(aspectRatio * aspectRatio + 4));
    EXPECT_LT(results.coefficients.liftSlope, helmbold) << aspectRatio;
    EXPECT_GT(results.coefficients.liftSlope, 0.9L * helmbold) << aspectRatio;
  }
}

}  // namespace
}  // namespace velarix
