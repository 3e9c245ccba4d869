#include "compute/bar_readout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "compute/stations.h"
#include "support/tolerance.h"
#include "wing/cell_number.h"

namespace velarix {
namespace {

using testing::near;

TSpanDistribution cosineDistribution(int m) {
  TSpanDistribution d;
  d.stationCount = m;
  for (int j = 1; j <= m; ++j) {
    d.gamma[j] = std::sin(j * kPi / (m + 1));  // elliptic: sqrt(1 - u^2)
    d.re[j] = 1000 * j;
  }
  d.re[0] = 500;
  d.re[m + 1] = 700;
  return d;
}

TEST(DistributionAtBar, HitsTheStationValuesAndFallsToZeroAtTheTips) {
  for (int m : {7, 15, 127}) {
    const TSpanDistribution d = cosineDistribution(m);
    for (int j = 1; j <= m; ++j) {
      const Real y = std::cos(j * kPi / (m + 1));  // half span 1
      EXPECT_TRUE(near(distributionAtBar(d.gamma, m, 1, y), d.gamma[j], 1e-12L, 1e-15L))
          << m << " " << j;
    }
    EXPECT_EQ(distributionAtBar(d.gamma, m, 1, 1), 0) << "right tip reads 0";
    EXPECT_EQ(distributionAtBar(d.gamma, m, 1, -1), 0) << "left tip reads index m+1";
    EXPECT_EQ(distributionAtBar(d.re, m, 1, -1), 700) << "Re holds its tip value";
  }
}

TEST(DistributionAtBar, InterpolatesLinearlyInCosineBetweenStations) {
  const int m = 7;
  const TSpanDistribution d = cosineDistribution(m);
  const Real c2 = std::cos(2 * kPi / 8);
  const Real c3 = std::cos(3 * kPi / 8);
  const Real y = 0.5L * (c2 + c3);
  EXPECT_TRUE(near(distributionAtBar(d.gamma, m, 1, y), 0.5L * (d.gamma[2] + d.gamma[3]), 1e-15L));
  // Between the right tip and station 1 the value rises linearly from 0.
  const Real c1 = std::cos(kPi / 8);
  const Real yOuter = 0.5L * (1 + c1);
  EXPECT_TRUE(near(distributionAtBar(d.gamma, m, 1, yOuter), 0.5L * d.gamma[1], 1e-15L));
  // Half span scales the position.
  EXPECT_TRUE(
      near(distributionAtBar(d.gamma, m, 2, 2 * y), 0.5L * (d.gamma[2] + d.gamma[3]), 1e-15L));
}

TEST(DistributionAtBar, NeverReadsOutsideTheArrays) {
  const TSpanDistribution d = cosineDistribution(127);
  for (Real y : {-5.0L, -1.0L, -0.999999L, 0.0L, 0.999999L, 1.0L, 5.0L}) {
    EXPECT_TRUE(std::isfinite(distributionAtBar(d.gamma, 127, 1, y)));
  }
  EXPECT_EQ(distributionAtBar(d.gamma, 127, 0, 0.1L), 0) << "no half span, no value";
}

TWing readoutWing() {
  TWing wing;
  resetToNewWing(wing);
  computeSpan(wing);
  return wing;
}

TEST(BarReadout, ListsTheDownSwitchesInOrderAndWarnsWhenUnstable) {
  TWing wing = readoutWing();
  TSpanDistribution d = cosineDistribution(15);
  BarReadoutValues values{&d, 10, 0.05L, 0.04L};
  EXPECT_EQ(barReadout(wing, values).line, "") << "no switch down, stable";
  values.pressurePoint = 0.06L;
  EXPECT_EQ(barReadout(wing, values).line, "   //Instabiler Flug");

  values.pressurePoint = 0.04L;
  wing.switches[DisplaySwitch::Reynolds] = true;
  wing.switches[DisplaySwitch::Circulation] = true;
  wing.switches[DisplaySwitch::InducedAngles] = true;
  wing.switches[DisplaySwitch::LocalCentresOfPressure] = true;
  d.ai.fill(0.01L);
  d.xd.fill(0.05L);
  const BarReadout r = barReadout(wing, values);
  // Bar at 0: chord 0,2, v 10 -> Re 140000; gamma at the centre station = 1.
  EXPECT_EQ(r.line, "Re=140000 /Gamma=1 /ai=0,573 Grad /xd=0,05 m");
  EXPECT_EQ(r.span, "1");
  EXPECT_EQ(r.mass, "1");
  EXPECT_EQ(r.altitude, "0");
}

TEST(BarReadout, EveryDistributionReadsZeroAtEitherTip) {
  TWing wing = readoutWing();
  for (DisplaySwitch s :
       {DisplaySwitch::Reynolds, DisplaySwitch::Circulation, DisplaySwitch::LiftCoefficients,
        DisplaySwitch::InducedDrag, DisplaySwitch::ProfileDrag, DisplaySwitch::TotalDrag,
        DisplaySwitch::PitchingMoments, DisplaySwitch::InducedAngles,
        DisplaySwitch::LocalCentresOfPressure}) {
    wing.switches[s] = true;
  }
  TSpanDistribution d = cosineDistribution(15);
  for (Distribution* v : {&d.gamma, &d.ca, &d.cwi, &d.cwp, &d.cwg, &d.mue, &d.ai, &d.xd}) {
    for (int j = 1; j <= 15; ++j) (*v)[j] = (j % 2 ? 1 : -1) * 0.1L * j;
  }
  for (Real y : {0.5L, -0.5L}) {
    wing.barPosition = y;
    EXPECT_EQ(barReadout(wing, {&d, 10, 0.05L, 0.06L}).line,
              "Re=140000 /Gamma=0 /ca=0 /cwi=0 /cwp=0 /cwg=0 /Mü=0 /ai=0 Grad /xd=0 m"
              "   //Instabiler Flug")
        << "bar at " << static_cast<double>(y);
  }
}

TEST(BarReadout, EmptyWithoutWing) {
  TWing wing;
  TSpanDistribution d = cosineDistribution(15);
  EXPECT_EQ(barReadout(wing, {&d, 10, 0, 1}).line, "");
}

TEST(ReynoldsAtBar, UsesTheLocalChordOfTheKinkTable) {
  TWing wing = readoutWing();
  wing.kinkTable.setCell(kColKinkChord, 3, "0,1");  // taper to 0,1 at the right tip
  EXPECT_EQ(reynoldsAtBar(wing, 10, 0.25L), std::nearbyint(10 * 0.15L * 70000));
  EXPECT_EQ(reynoldsAtBar(wing, 10, 0.5L), 70000);
  EXPECT_EQ(reynoldsAtBar(wing, 10, -0.5L), 140000);
}

}  // namespace
}  // namespace velarix
