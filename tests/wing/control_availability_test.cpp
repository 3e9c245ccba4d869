#include "wing/control_availability.h"

#include <gtest/gtest.h>

#include "support/editing_platform.h"
#include "wing/planform_editing.h"

namespace velarix {
namespace {

using testing::editableNewWing;
using testing::EditingPlatform;

// New wing with kinks at +-0.25.
TWing fiveKinkWing() {
  TWing wing = editableNewWing(true);
  EditingPlatform platform(wing);
  wing.barPosition = 0.25L;
  setKink(wing, platform);
  return wing;
}

struct KinkButtonsCase {
  Real bar;
  bool setKink;
  bool deleteKink;
  bool onKink;
  bool sweepRight;
  bool sweepLeft;
};

TEST(ControlsAtBar, KinkButtonsAndEntriesFollowTheBar) {
  const KinkButtonsCase cases[] = {
      {-0.5L, false, false, true, true, false},  // left tip
      {-0.3L, true, false, false, false, false},
      {-0.25L, true, true, true, true, true},  // inner kink
      {0, false, false, true, true, true},     // centre
      {0.1L, true, false, false, false, false},
      {0.5L, false, false, true, false, true},  // right tip
  };
  const TWing base = fiveKinkWing();
  for (const KinkButtonsCase& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.bar));
    TWing wing = base;
    wing.barPosition = c.bar;
    const ControlAvailability a = controlsAtBar(wing, EditingContext{});
    EXPECT_EQ(a.setKinkEnabled, c.setKink);
    EXPECT_EQ(a.deleteKinkEnabled, c.deleteKink);
    EXPECT_EQ(a.kinkRow.has_value(), c.onKink);
    EXPECT_EQ(a.chord.enabled, c.onKink);
    EXPECT_EQ(a.chordReferenceEnabled, c.onKink);
    EXPECT_EQ(a.chordAngle.enabled, c.onKink);
    EXPECT_EQ(a.pivot.enabled, c.onKink);
    EXPECT_EQ(a.leadingEdgeX.enabled, c.onKink);
    EXPECT_EQ(a.airfoil.enabled, c.onKink);
    EXPECT_EQ(a.sweepReferenceEnabled, c.onKink);
    EXPECT_EQ(a.sweepRight.enabled, c.sweepRight);
    EXPECT_EQ(a.sweepLeft.enabled, c.sweepLeft);
    EXPECT_EQ(a.offKinkButtonsEnabled, !c.onKink);
    EXPECT_EQ(a.chord.text, c.onKink ? "0,2" : "");
    EXPECT_EQ(a.airfoil.text, c.onKink ? (c.setKink ? "strak" : "ebene_platte.dat") : "");
    EXPECT_EQ(a.sweepRight.text, c.sweepRight ? "0" : "");
    EXPECT_TRUE(a.barPosition.enabled);
  }
}

TEST(ControlsAtBar, ShowsRoundedPositionsAndTheSweepAtTheReference) {
  TWing wing = fiveKinkWing();
  CellTable& k = wing.kinkTable;
  // Right tip 0.12345 aft with chord 0.1, kink at 0.25 with chord 0.2: the
  // leading edge runs back at atan(0.12345/0.25) = 26.3 deg (57.3 per
  // radian), the trailing edge at atan(0.02345/0.25) = 5.4 deg.
  k.setCell(kColKinkX, 5, "0,12345");
  k.setCell(kColKinkChord, 5, "0,1");
  k.setCell(kColKinkX, 4, "0");
  wing.barPosition = 0.25L;
  EditingContext context;
  ControlAvailability a = controlsAtBar(wing, context);
  EXPECT_EQ(a.sweepRight.text, "26,3");
  context.sweepReferenceText = "100";
  a = controlsAtBar(wing, context);
  EXPECT_EQ(a.sweepRight.text, "5,4");
  context.sweepReferenceText = "keine Zahl";
  a = controlsAtBar(wing, context);
  EXPECT_TRUE(a.sweepRight.enabled);
  EXPECT_EQ(a.sweepRight.text, "");
  wing.barPosition = 0.5L;
  a = controlsAtBar(wing, context);
  EXPECT_EQ(a.leadingEdgeX.text, "0,1234");  // rounded half to even
  wing.barPosition = 0.123456L;
  EXPECT_EQ(controlsAtBar(wing, context).barPosition.text, "0,1235");
  EXPECT_EQ(controlsAtBar(wing, context).stationCount.text, "15");
}

TEST(ControlsAtBar, FlapEntriesOnlyInAFieldThatCarriesAFlap) {
  TWing wing = fiveKinkWing();
  wing.barPosition = 0.1L;
  EXPECT_FALSE(controlsAtBar(wing, EditingContext{}).flapRow);
  EXPECT_FALSE(controlsAtBar(wing, EditingContext{}).flapGroup.enabled);
  wing.flapTable.setCell(kColFlapChordRight, 3, "30");
  wing.flapTable.setCell(kColFlapGroup, 3, "2");
  wing.flapTable.setCell(kColFlapDeflection, 3, "-5");
  const ControlAvailability a = controlsAtBar(wing, EditingContext{});
  ASSERT_EQ(a.flapRow, 3);
  EXPECT_EQ(a.flapNumber.text, "3");
  EXPECT_EQ(a.flapGroup.text, "2");
  EXPECT_EQ(a.flapChordLeft.text, "0");
  EXPECT_EQ(a.flapChordRight.text, "30");
  EXPECT_EQ(a.flapDeflection.text, "-5");
  wing.barPosition = 0.25L;  // on the boundary: no field
  EXPECT_FALSE(controlsAtBar(wing, EditingContext{}).flapRow);
}

TEST(ControlsAtBar, CellsThatAreNoNumberDoNotThrow) {
  TWing wing = fiveKinkWing();
  wing.kinkTable.setCell(kColKinkY, 2, "?");
  wing.kinkTable.setCell(kColKinkX, 3, "x");
  wing.flapTable.setCell(kColFlapYLeft, 3, "");
  wing.barPosition = 0;
  const ControlAvailability a = controlsAtBar(wing, EditingContext{});
  EXPECT_EQ(a.kinkRow, 3);
  EXPECT_EQ(a.leadingEdgeX.text, "x");
  EXPECT_EQ(a.sweepRight.text, "");
}

}  // namespace
}  // namespace velarix
