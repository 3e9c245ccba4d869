#include "wing/wing.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "wing/cell_number.h"

namespace velarix {
namespace {

using testing::FakePlatform;

TWing makeNewWing() {
  TWing wing;
  resetToNewWing(wing);
  return wing;
}

TEST(NewWing, HeaderRowHoldsColumnNamesAndTheListedSectionStations) {
  const TWing wing = makeNewWing();
  const char* names[9] = {"y in m",        "x in m",      "z in m", "t in m", "Sehnenw. in °",
                          "Rückl. in %", "Profil", "alpha 0", "cm 0"};
  for (int c = 0; c < 9; ++c) EXPECT_EQ(wing.kinkTable.cell(c, 0), names[c]);
  // The values as listed; computing 0.5(1+cos) rounded to 5 decimals and
  // truncating naively writes 0,997259 for the second one.
  const char* upper[31] = {"1",       "0,99726", "0,98907", "0,97553", "0,95677", "0,93301",
                           "0,90451", "0,87157", "0,83457", "0,79389", "0,75",    "0,70337",
                           "0,65451", "0,60396", "0,55226", "0,5",     "0,44774", "0,39604",
                           "0,34549", "0,29663", "0,25",    "0,20611", "0,16543", "0,12843",
                           "0,09549", "0,06699", "0,04323", "0,02447", "0,01093", "0,00274",
                           "0"};
  for (int i = 0; i <= 30; ++i) {
    EXPECT_EQ(wing.kinkTable.cell(kColKinkSection + i, 0), upper[i]) << i;
    EXPECT_EQ(formatCellNumber(sectionX(i)), upper[i]) << i;
  }
  for (int i = 31; i <= 60; ++i) {
    EXPECT_EQ(wing.kinkTable.cell(kColKinkSection + i, 0), upper[60 - i]) << i;
  }
}

TEST(NewWing, KinkRowsAreTheRectangularFlatPlateWing) {
  const TWing wing = makeNewWing();
  ASSERT_EQ(wing.kinkCount(), 3);
  const char* ys[3] = {"-0,5", "0", "0,5"};
  for (int r = 1; r <= 3; ++r) {
    const CellTable& t = wing.kinkTable;
    EXPECT_EQ(t.cell(kColKinkY, r), ys[r - 1]);
    EXPECT_EQ(t.cell(kColKinkX, r), "0");
    EXPECT_EQ(t.cell(kColKinkZ, r), "0");
    EXPECT_EQ(t.cell(kColKinkChord, r), "0,2");
    EXPECT_EQ(t.cell(kColKinkChordAngle, r), "0");
    EXPECT_EQ(t.cell(kColKinkPivotPercent, r), "75");
    EXPECT_EQ(t.cell(kColKinkAirfoil, r), "ebene_platte.dat");
    EXPECT_EQ(t.cell(kColKinkAlpha0, r), "0");
    EXPECT_EQ(t.cell(kColKinkCm0, r), "0");
    EXPECT_EQ(t.cell(kColKinkSection + 0, r), "0");
    EXPECT_EQ(t.cell(kColKinkSection + 1, r), "0,00016");
    EXPECT_EQ(t.cell(kColKinkSection + 12, r), "0,0145");
    EXPECT_EQ(t.cell(kColKinkSection + 23, r), "0,01439");
    EXPECT_EQ(t.cell(kColKinkSection + 29, r), "0,0036");
    EXPECT_EQ(t.cell(kColKinkSection + 30, r), "0");
    EXPECT_EQ(t.cell(kColKinkSection + 31, r), "-0,0036");
    EXPECT_EQ(t.cell(kColKinkSection + 59, r), "-0,00016");
    EXPECT_EQ(t.cell(kColKinkSection + 60, r), "0");
  }
  for (int i = 0; i <= 30; ++i) EXPECT_EQ(flatPlateOrdinate(i), -flatPlateOrdinate(60 - i));
}

TEST(NewWing, FlapTableHasTwoEmptyFields) {
  const TWing wing = makeNewWing();
  ASSERT_EQ(wing.flapCount(), 2);
  const std::vector<std::vector<std::string>> rows = {
      {"Nr.", "y-L in m", "t-L in %", "y-R in m", "t-R in %", "Nr. Gruppe", "Beta in Grad"},
      {"1", "-0,5", "0", "0", "0", "0", "0"},
      {"2", "0", "0", "0,5", "0", "0", "0"}};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < kFlapColumns; ++c) EXPECT_EQ(wing.flapTable.cell(c, r), rows[r][c]);
  }
}

TEST(NewWing, SetsTheDocumentStateAndValues) {
  TWing wing;
  wing.switches[DisplaySwitch::XC] = true;
  wing.switches[DisplaySwitch::LocalCentresOfPressure] = true;
  wing.switches[DisplaySwitch::TotalDrag] = true;
  wing.designMode = DesignMode::Speed;
  wing.barPosition = 0.3L;
  wing.stationCount = 63;
  resetToNewWing(wing);
  EXPECT_TRUE(wing.wingPresent);
  EXPECT_TRUE(wing.wingSaved);
  EXPECT_EQ(wing.wingFileName, "noname.flg");
  EXPECT_EQ(wing.barPosition, 0);
  EXPECT_EQ(wing.stationCount, 15);
  EXPECT_EQ(wing.designMode, DesignMode::WingAngle);
  EXPECT_EQ(wing.wingAngleOfAttack, 1.0L);
  EXPECT_EQ(wing.wingMass, 1.0L);
  EXPECT_EQ(wing.flightAltitude, 0);
  EXPECT_EQ(wing.spanCondition, "Varia");
  EXPECT_EQ(wing.kinkDeleteCondition, "beide Kl. löschen");
  EXPECT_TRUE(wing.switches[DisplaySwitch::Wing]);
  EXPECT_FALSE(wing.switches[DisplaySwitch::XC]);
  // Switches the new wing does not name keep their state.
  EXPECT_TRUE(wing.switches[DisplaySwitch::LocalCentresOfPressure]);
  EXPECT_TRUE(wing.switches[DisplaySwitch::TotalDrag]);
}

TEST(NewWing, AsksBeforeReplacingAnUnsavedWing) {
  FakePlatform platform;
  TWing wing = makeNewWing();
  wing.kinkTable.setCell(kColKinkChord, 2, "0,3");
  wing.wingSaved = false;
  wing.wingFileName = "mine.flg";
  const TWing before = wing;

  platform.answers = {Answer::No};
  newWing(wing, platform);
  EXPECT_EQ(platform.messages, std::vector<int>{5});
  EXPECT_EQ(wing, before) << "No keeps the wing untouched";
  EXPECT_EQ(platform.refreshes, std::vector<bool>{true}) << "but still recomputes";

  platform.answers = {Answer::Yes};
  newWing(wing, platform);
  EXPECT_EQ(platform.messages, (std::vector<int>{5, 5}));
  EXPECT_EQ(wing, makeNewWing());
}

TEST(NewWing, DoesNotAskWhenSaved) {
  FakePlatform platform;
  TWing wing;
  newWing(wing, platform);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(wing.wingPresent);
}

TEST(NormaliseX, MovesTheCentreLeadingEdgeToZero) {
  TWing wing = makeNewWing();
  wing.kinkTable.setCell(kColKinkX, 1, "0,45");
  wing.kinkTable.setCell(kColKinkX, 2, "0,3");
  wing.kinkTable.setCell(kColKinkX, 3, "0,1");
  normaliseX(wing);
  EXPECT_EQ(wing.kinkTable.cell(kColKinkX, 1), "0,15");
  EXPECT_EQ(wing.kinkTable.cell(kColKinkX, 2), "0");
  EXPECT_EQ(wing.kinkTable.cell(kColKinkX, 3), "-0,2");
}

TEST(NormaliseX, LeavesAWingWithoutCentreRowUnchanged) {
  TWing wing = makeNewWing();
  wing.kinkTable.setCell(kColKinkY, 2, "0,1");
  wing.kinkTable.setCell(kColKinkX, 2, "0,3");
  const TWing before = wing;
  normaliseX(wing);
  EXPECT_EQ(wing, before);
}

TEST(WingQueries, FindKinksIntervalsAndFlapFieldsStrictly) {
  const TWing wing = makeNewWing();
  EXPECT_EQ(kinkRowAt(wing, 0), 2);
  EXPECT_EQ(kinkRowAt(wing, 0.5L), 3);
  EXPECT_EQ(kinkRowAt(wing, 0.25L), std::nullopt);
  EXPECT_EQ(kinkIntervalAt(wing, 0.25L), 2);
  EXPECT_EQ(kinkIntervalAt(wing, -0.25L), 1);
  EXPECT_EQ(kinkIntervalAt(wing, 0), std::nullopt);
  EXPECT_EQ(kinkIntervalAt(wing, 0.5L), std::nullopt);
  EXPECT_EQ(flapFieldAt(wing, -0.1L), 1);
  EXPECT_EQ(flapFieldAt(wing, 0.1L), 2);
  EXPECT_EQ(flapFieldAt(wing, 0), std::nullopt);
  const TKinkStation k = kinkStation(wing, 3);
  EXPECT_EQ(k.kinkY, 0.5L);
  EXPECT_EQ(k.kinkChord, parseCellNumber("0,2"));
  const TFlap f = flapField(wing, 2);
  EXPECT_EQ(f.flapNumber, 2);
  EXPECT_EQ(f.flapYRight, 0.5L);
}

}  // namespace
}  // namespace velarix
