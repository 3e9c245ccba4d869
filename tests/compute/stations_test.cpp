#include "compute/stations.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/tolerance.h"
#include "wing/cell_number.h"

namespace velarix {
namespace {

using testing::near;

TWing makeNewWing() {
  TWing wing;
  resetToNewWing(wing);
  return wing;
}

void setKinkRow(TWing& w, int row, const char* y, const char* x, const char* chord,
                const char* twist, const char* airfoil, const char* alpha0, const char* cm0) {
  CellTable& t = w.kinkTable;
  t.setCell(kColKinkY, row, y);
  t.setCell(kColKinkX, row, x);
  t.setCell(kColKinkZ, row, "0");
  t.setCell(kColKinkChord, row, chord);
  t.setCell(kColKinkChordAngle, row, twist);
  t.setCell(kColKinkPivotPercent, row, "75");
  t.setCell(kColKinkAirfoil, row, airfoil);
  t.setCell(kColKinkAlpha0, row, alpha0);
  t.setCell(kColKinkCm0, row, cm0);
}

void setFlapRow(TWing& w, int row, const char* yl, const char* cl, const char* yr,
                const char* cr, const char* group, const char* beta) {
  CellTable& t = w.flapTable;
  const char* cells[kFlapColumns] = {nullptr, yl, cl, yr, cr, group, beta};
  t.setCell(kColFlapNumber, row, std::to_string(row));
  for (int c = 1; c < kFlapColumns; ++c) t.setCell(c, row, cells[c]);
}

// Swept, tapered wing of 2 m span: root chord 0,3, tip chord 0,15, leading
// edge 0,25 aft at the tips, washout 3 degrees, two blended kinks on the
// right wing between the root airfoil and the tip airfoil, elevons on the
// outer panels, and a kink on the right wing exactly at station 2 of m = 7.
TWing makeSweptWing() {
  TWing w = makeNewWing();
  w.kinkTable.setRowCount(7);
  setKinkRow(w, 1, "-1", "0,25", "0,15", "-3", "tip.dat", "-1", "0,01");
  setKinkRow(w, 2, "-0,5", "0,125", "0,225", "-1,5", "mid.dat", "-1,5", "0,005");
  setKinkRow(w, 3, "0", "0", "0,3", "0", "root.dat", "-2", "-0,01");
  setKinkRow(w, 4, "0,3", "0,075", "0,255", "-0,9", "strak", "", "");
  const std::string yAtStation2 = formatCellNumber(std::cos(2 * kPi / 8));  // 0,707106
  setKinkRow(w, 5, yAtStation2.c_str(), "0,176776", "0,193934", "-2,12132", "strak", "", "");
  setKinkRow(w, 6, "0,9", "0,225", "0,165", "-2,7", "strak", "", "");
  w.kinkTable.setRowCount(8);
  setKinkRow(w, 7, "1", "0,25", "0,15", "-3", "tip.dat", "-1", "0,01");
  w.flapTable.setRowCount(8);
  setFlapRow(w, 1, "-1", "25", "-0,5", "20", "1", "5");
  setFlapRow(w, 2, "-0,5", "0", "0", "0", "0", "7");  // deflection without chord
  setFlapRow(w, 3, "0", "10", "0,3", "0", "0", "0");
  setFlapRow(w, 4, "0,3", "0", "0,707106", "0", "0", "0");
  setFlapRow(w, 5, "0,707106", "0", "0,9", "0", "0", "0");
  setFlapRow(w, 6, "0,9", "20", "1", "25", "1", "5");
  w.flapTable.setRowCount(7);
  w.stationCount = 7;
  return w;
}

TEST(Stations, ThreeStationsOnTheNewWing) {
  TWing wing = makeNewWing();
  wing.stationCount = 3;
  validateWingForComputation(wing);
  TSpanDistribution d;
  computeStations(wing, d);
  EXPECT_EQ(d.stationCount, 3);
  EXPECT_TRUE(near(d.eta[1], 0.5L * std::cos(kPi / 4), 1e-18L));
  EXPECT_EQ(d.eta[2], 0.0L) << "the centre station is exactly 0";
  EXPECT_TRUE(near(d.eta[3], 0.5L * std::cos(3 * kPi / 4), 1e-18L));
  for (int j = 1; j <= 3; ++j) {
    EXPECT_EQ(d.chord[j], parseCellNumber("0,2"));
    EXPECT_EQ(d.xQuarterChord[j], 0.25L * parseCellNumber("0,2"));
    EXPECT_EQ(d.angleFromZeroLift[j], 0);
    EXPECT_EQ(d.cm0[j], 0);
  }
  EXPECT_EQ(d.chord[0], parseCellNumber("0,2"));
  EXPECT_EQ(d.chord[4], parseCellNumber("0,2"));
}

TEST(Stations, PositionsAreCosineSpacedAndSymmetricForEveryOfferedCount) {
  for (int m : {7, 15, 31, 63, 127}) {
    TWing wing = makeNewWing();
    wing.stationCount = m;
    TSpanDistribution d;
    computeStations(wing, d);
    EXPECT_EQ(d.eta[(m + 1) / 2], 0.0L) << m;
    for (int j = 1; j <= m; ++j) {
      EXPECT_TRUE(near(d.eta[j], 0.5L * std::cos(j * kPi / (m + 1)), 0, 1e-18L)) << m << " " << j;
      EXPECT_TRUE(near(d.eta[j], -d.eta[m + 1 - j], 0, 1e-18L)) << m << " " << j;
      EXPECT_LT(std::fabs(d.eta[j]), 0.5L);
    }
  }
}

TEST(Stations, InterpolatesTheTrailingEdgeAndTheTwistOfTheSweptWing) {
  TWing wing = makeSweptWing();
  wing.stationCount = 15;
  validateWingForComputation(wing);
  TSpanDistribution d;
  computeStations(wing, d);
  for (int j = 1; j <= 15; ++j) {
    // Linear leading edge 0.25*|eta|, linear trailing edge 0.3 + 0.1*|eta|.
    const Real y = std::fabs(d.eta[j]);
    EXPECT_TRUE(near(d.xLeadingEdge[j], 0.25L * y, 0, 2e-6L)) << j;
    EXPECT_TRUE(near(d.xTrailingEdge[j], 0.3L + 0.1L * y, 0, 2e-6L)) << j;
    EXPECT_TRUE(near(d.chord[j], d.xTrailingEdge[j] - d.xLeadingEdge[j], 0, 1e-18L));
    EXPECT_TRUE(near(d.chordAngle[j], -3.0L * y, 0, 5e-6L)) << j;
  }
  EXPECT_EQ(d.chord[0], parseCellNumber("0,15"));
  EXPECT_EQ(d.chord[16], parseCellNumber("0,15"));
}

TEST(Stations, StationAtAKinkTakesThatKinksValues) {
  TWing wing = makeSweptWing();  // kink 5 at the position of station 2 (m = 7)
  TSpanDistribution d;
  computeStations(wing, d);
  ASSERT_EQ(formatCellNumber(d.eta[2]), wing.kinkTable.cell(kColKinkY, 5));
  // Interpolated in the panel to the left with weight 1 (up to the
  // truncated kink y), so it carries kink 5's chord angle and edges.
  EXPECT_TRUE(near(d.chordAngle[2], parseCellNumber("-2,12132"), 0, 1e-5L));
  EXPECT_TRUE(near(d.xLeadingEdge[2], parseCellNumber("0,176776"), 0, 1e-6L));
}

TEST(Stations, BlendedRunsInterpolateZeroLiftValuesBetweenRealAirfoils) {
  TWing wing = makeSweptWing();
  wing.stationCount = 31;
  TSpanDistribution d;
  computeStations(wing, d);
  for (int j = 1; j <= 31; ++j) {
    const Real y = d.eta[j];
    if (y <= 0) continue;
    // Root (y 0: -2 deg, -0,01) to tip (y 1: -1 deg, 0,01) across the strak run.
    EXPECT_TRUE(near(d.alpha0[j], -2.0L + y, 0, 1e-15L)) << j;
    EXPECT_TRUE(near(d.cm0[j] - (d.cm0[j] - (-0.01L + 0.02L * y)), -0.01L + 0.02L * y, 0, 1e-15L));
  }
}

TEST(Stations, FlapEffectsFollowTheFlapFormulas) {
  TWing wing = makeSweptWing();
  wing.stationCount = 31;
  TSpanDistribution d;
  computeStations(wing, d);
  for (int j = 1; j <= 31; ++j) {
    const Real y = d.eta[j];
    if (y <= 0.9L) continue;  // the right elevon, 20 % to 25 %, 5 degrees
    const Real percent = 20 + 5 * (y - 0.9L) / 0.1L;
    EXPECT_TRUE(near(d.flapChordPercent[j], percent, 0, 1e-12L)) << j;
    const Real lambda = percent / 100;
    const Real beta = 5;
    const Real betaRad = beta / 57.3L;
    const Real rotation =
        57.3L * std::atan(percent * std::sin(betaRad) / ((100 - percent) + percent * std::cos(betaRad)));
    const Real alpha0 = -2.0L + y;
    const Real twist = d.chordAngle[j];
    EXPECT_TRUE(near(d.flapChordLineRotation[j], rotation, 1e-15L)) << j;
    EXPECT_TRUE(near(d.angleFromZeroLift[j],
                     twist - alpha0 + beta * (1 - std::pow(1 - lambda, 3.0L)) + rotation, 0,
                     1e-15L))
        << j;
    EXPECT_TRUE(near(d.cm0[j], -0.01L + 0.02L * y - 1.5L * std::sqrt(lambda * std::pow(1 - lambda, 3.0L)) * betaRad,
                     0, 1e-15L))
        << j;
  }
}

TEST(Stations, DeflectionWithoutFlapChordHasNoEffectExceptAtTheCentre) {
  TWing wing = makeSweptWing();
  wing.stationCount = 15;
  TSpanDistribution d;
  computeStations(wing, d);
  for (int j = 1; j <= 15; ++j) {
    if (d.eta[j] < -0.5L || d.eta[j] >= 0) continue;  // panel 2: 7 degrees, no chord
    EXPECT_EQ(d.localFlapDeflection[j], 7) << j;
    EXPECT_EQ(d.flapChordPercent[j], 0) << j;
    EXPECT_EQ(d.flapChordLineRotation[j], 0) << j;
    EXPECT_TRUE(near(d.angleFromZeroLift[j], d.chordAngle[j] - d.alpha0[j], 0, 1e-18L)) << j;
  }
  // Centre: mean deflection of rows 2 and 3, mean of t-L(3) = 10 and t-R(2) = 0.
  EXPECT_EQ(d.localFlapDeflection[8], 3.5L);
  EXPECT_EQ(d.flapChordPercent[8], 5);
  EXPECT_TRUE(near(d.flapChordRatio[8], 0.05L, 1e-18L));
  EXPECT_GT(d.angleFromZeroLift[8], d.chordAngle[8] - d.alpha0[8]);
}

TEST(DrawingScale, FitsThePlanformIntoTheArea) {
  TWing wing = makeNewWing();
  DrawingMapping mapping;
  const Real scale = computeDrawingScale(wing, 880, 311, mapping);
  // span 1 m: (880-60)/1 = 820; depth 0,2 m: (311-60)/0,2 = 1255.
  EXPECT_TRUE(near(scale, 820, 1e-18L));
  EXPECT_EQ(mapping.drawOriginX, 440);
  // round((311 - 0,2*820)/2) + round(0) = round(73.5), halves to even.
  EXPECT_EQ(mapping.drawOriginY, 74);
}

TEST(DrawingScale, NarrowAreaAndDegenerateWing) {
  TWing wing = makeNewWing();
  DrawingMapping mapping{1, 5, 6};
  EXPECT_LT(computeDrawingScale(wing, 40, 311, mapping), 0) << "no clamping";
  wing.kinkTable.setCell(kColKinkChord, 1, "0");
  wing.kinkTable.setCell(kColKinkChord, 2, "0");
  wing.kinkTable.setCell(kColKinkChord, 3, "0");
  DrawingMapping kept{1, 5, 6};
  EXPECT_EQ(computeDrawingScale(wing, 880, 311, kept), 1);
  EXPECT_EQ(kept.drawOriginX, 5);
  EXPECT_EQ(kept.drawOriginY, 6);
}

TEST(WingValidation, RefusesWhatTheComputationCannotUse) {
  struct Case {
    const char* name;
    void (*spoil)(TWing&);
    const char* expected;
  };
  const Case cases[] = {
      {"one row", [](TWing& w) { w.kinkTable.setRowCount(2); }, "weniger als zwei"},
      {"unsorted", [](TWing& w) { w.kinkTable.setCell(kColKinkY, 2, "0,7"); }, "Zeile 3"},
      {"same y", [](TWing& w) { w.kinkTable.setCell(kColKinkY, 2, "0,5"); }, "Zeile 3"},
      {"strak tip", [](TWing& w) { w.kinkTable.setCell(kColKinkAirfoil, 3, "strak"); }, "Strak"},
      {"no number", [](TWing& w) { w.kinkTable.setCell(kColKinkX, 2, "0,1x"); }, "'0,1x'"},
      {"empty chord", [](TWing& w) { w.kinkTable.setCell(kColKinkChord, 1, ""); }, "Spalte 3"},
      {"zero chord", [](TWing& w) { w.kinkTable.setCell(kColKinkChord, 1, "0"); }, "tiefe"},
      {"flap rows", [](TWing& w) { w.flapTable.setRowCount(2); }, "Klappentabelle"},
      {"flap cell", [](TWing& w) { w.flapTable.setCell(kColFlapDeflection, 2, "?"); }, "Zeile 2"},
      {"even m", [](TWing& w) { w.stationCount = 8; }, "Wirbelzahl"},
      {"m too big", [](TWing& w) { w.stationCount = 129; }, "Wirbelzahl"},
  };
  for (const Case& c : cases) {
    TWing wing = makeNewWing();
    c.spoil(wing);
    try {
      validateWingForComputation(wing);
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const WingDataError& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos)
          << c.name << ": " << e.what();
    }
  }
  EXPECT_NO_THROW(validateWingForComputation(makeSweptWing()));
}

}  // namespace
}  // namespace velarix
