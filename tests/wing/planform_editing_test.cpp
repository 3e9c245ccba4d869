#include "wing/planform_editing.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/editing_platform.h"
#include "support/tolerance.h"
#include "wing/cell_number.h"
#include "wing/control_availability.h"

namespace velarix {
namespace {

using testing::columnTexts;
using testing::editableNewWing;
using testing::EditingPlatform;
using testing::flapRow;
using testing::Texts;

// The new wing with kinks at +-0.25 and a distinct flap in each of the four
// fields: field k has chords 10k and 10k+1, group k, deflection k.
TWing fourFieldWing(bool symmetric) {
  TWing wing = editableNewWing(true);
  EditingPlatform platform(wing);
  wing.barPosition = 0.25L;
  setKink(wing, platform);
  for (int k = 1; k <= 4; ++k) {
    wing.flapTable.setCell(kColFlapChordLeft, k, std::to_string(10 * k));
    wing.flapTable.setCell(kColFlapChordRight, k, std::to_string(10 * k + 1));
    wing.flapTable.setCell(kColFlapGroup, k, std::to_string(k));
    wing.flapTable.setCell(kColFlapDeflection, k, std::to_string(k));
  }
  wing.symmetricInput = symmetric;
  wing.wingSaved = true;
  return wing;
}

// Right tip x 0.1 and chord 0.1, centre chord 0.2: swept back and tapered.
TWing taperedWing(bool symmetric) {
  TWing wing = editableNewWing(symmetric);
  for (int row : {1, 3}) {
    wing.kinkTable.setCell(kColKinkX, row, "0,1");
    wing.kinkTable.setCell(kColKinkChord, row, "0,1");
  }
  return wing;
}

TEST(SetKink, NewWingAsymmetricInsertsOneBlendedKinkAndSplitsItsField) {
  TWing wing = editableNewWing(false);
  EditingPlatform platform(wing);
  wing.barPosition = 0.25L;
  setKink(wing, platform);
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkY), (Texts{"-0,5", "0", "0,25", "0,5"}));
  EXPECT_EQ(wing.kinkTable.cell(kColKinkAirfoil, 3), "strak");
  EXPECT_EQ(wing.kinkTable.cell(kColKinkChord, 3), "0,2");
  EXPECT_EQ(wing.kinkTable.cell(kColKinkX, 3), "0");
  EXPECT_EQ(wing.kinkTable.cell(kColKinkZ, 3), "0");
  EXPECT_EQ(wing.kinkTable.cell(kColKinkPivotPercent, 3), "75");
  // The blended section between two flat plates is the flat plate, and the
  // zero-lift values are computed from it.
  EXPECT_EQ(wing.kinkTable.cell(kColKinkSection + 12, 3), "0,0145");
  EXPECT_FALSE(wing.kinkTable.cell(kColKinkAlpha0, 3).empty());
  EXPECT_EQ(flapRow(wing, 1), (Texts{"1", "-0,5", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(flapRow(wing, 2), (Texts{"2", "0", "0", "0,25", "0", "0", "0"}));
  EXPECT_EQ(flapRow(wing, 3), (Texts{"3", "0,25", "0", "0,5", "0", "0", "0"}));
  EXPECT_FALSE(wing.wingSaved);
  EXPECT_EQ(platform.refreshes, (std::vector<bool>{true}));
}

TEST(SetKink, SymmetricInputInsertsTheMirroredKinkToo) {
  TWing wing = editableNewWing(true);
  EditingPlatform platform(wing);
  wing.barPosition = 0.25L;
  setKink(wing, platform);
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkY), (Texts{"-0,5", "-0,25", "0", "0,25", "0,5"}));
  EXPECT_EQ(columnTexts(wing.flapTable, kColFlapYLeft), (Texts{"-0,5", "-0,25", "0", "0,25"}));
  EXPECT_EQ(columnTexts(wing.flapTable, kColFlapYRight), (Texts{"-0,25", "0", "0,25", "0,5"}));
  EXPECT_EQ(columnTexts(wing.flapTable, kColFlapNumber), (Texts{"1", "2", "3", "4"}));
}

TEST(SetKink, InterpolatesEdgesTwistPivotAndTheFlapChord) {
  TWing wing = taperedWing(false);
  EditingPlatform platform(wing);
  CellTable& k = wing.kinkTable;
  k.setCell(kColKinkChordAngle, 3, "-2");
  k.setCell(kColKinkPivotPercent, 3, "50");
  const Texts field{"2", "0", "20", "0,5", "40", "3", "5"};
  for (int c = 0; c < kFlapColumns; ++c) wing.flapTable.setCell(c, 2, field[c]);
  wing.barPosition = 0.125L;  // w = 0.25
  setKink(wing, platform);
  // Leading edge 0.25*0.1; trailing edge 0.2 + 0.25*(0.2 - 0.2) = 0.2.
  EXPECT_EQ(k.cell(kColKinkX, 3), "0,025");
  EXPECT_EQ(k.cell(kColKinkChord, 3), "0,175");
  EXPECT_EQ(k.cell(kColKinkChordAngle, 3), "-0,5");
  EXPECT_EQ(k.cell(kColKinkPivotPercent, 3), "68,75");
  EXPECT_EQ(flapRow(wing, 2), (Texts{"2", "0", "20", "0,125", "25", "3", "5"}));
  EXPECT_EQ(flapRow(wing, 3), (Texts{"3", "0,125", "25", "0,5", "40", "3", "5"}));
}

TEST(SetKink, OnAKinkOrAtATipChangesNothing) {
  for (Real bar : {0.0L, 0.5L, -0.5L}) {
    TWing wing = editableNewWing(true);
    const TWing before = wing;
    EditingPlatform platform(wing);
    wing.barPosition = bar;
    setKink(wing, platform);
    EXPECT_EQ(wing.kinkTable, before.kinkTable) << bar;
    EXPECT_EQ(wing.flapTable, before.flapTable) << bar;
    EXPECT_TRUE(wing.wingSaved) << bar;
  }
}

TEST(SetKink, TheKinkLandsAtTheStoredPositionOfTheBar) {
  // A bar a fraction of a micrometre left of an existing kink stores as that
  // kink's text; no second kink at the same y may appear.
  TWing wing = editableNewWing(false);
  EditingPlatform platform(wing);
  wing.barPosition = 0.25L;
  setKink(wing, platform);
  wing.barPosition = 0.2499999L;
  setKink(wing, platform);
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkY),
            (Texts{"-0,5", "0", "0,249999", "0,25", "0,5"}));
  wing.barPosition = 0.24999999999L;
  const TWing before = wing;
  setKink(wing, platform);
  EXPECT_EQ(wing.kinkTable, before.kinkTable);
}

struct DeleteCase {
  const char* condition;
  bool symmetric;
  Texts rightMerged;          // flap row of 0..0.5 after deleting at 0.25
  Texts leftMergedOrField12;  // the left-wing merged row (symmetric) or field 2
};

TEST(DeleteKink, MergesTheFieldsByTheDeleteCondition) {
  const DeleteCase cases[] = {
      {"beide Kl. löschen",
       false,
       {"3", "0", "0", "0,5", "0", "0", "0"},
       {"2", "-0,25", "20", "0", "21", "2", "2"}},
      {"linke Kl. ünern.",
       false,
       {"3", "0", "30", "0,5", "41", "3", "3"},
       {"2", "-0,25", "20", "0", "21", "2", "2"}},
      {"rechte Kl übern.",
       false,
       {"3", "0", "30", "0,5", "41", "4", "4"},
       {"2", "-0,25", "20", "0", "21", "2", "2"}},
      {"irgendwas",
       false,
       {"3", "0", "30", "0,5", "41", "4", "4"},
       {"2", "-0,25", "20", "0", "21", "2", "2"}},
      // Mirrored: the left-wing field keeps its outer end and takes the
      // inner end of the field nearer the centre; "linke" takes the flap of
      // the field nearer the centre, as on the right wing.
      {"beide Kl. löschen",
       true,
       {"2", "0", "0", "0,5", "0", "0", "0"},
       {"1", "-0,5", "0", "0", "0", "0", "0"}},
      {"linke Kl. ünern.",
       true,
       {"2", "0", "30", "0,5", "41", "3", "3"},
       {"1", "-0,5", "10", "0", "21", "2", "2"}},
      {"rechte Kl übern.",
       true,
       {"2", "0", "30", "0,5", "41", "4", "4"},
       {"1", "-0,5", "10", "0", "21", "1", "1"}},
  };
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE(std::string(c.condition) + (c.symmetric ? " sym." : " asym."));
    TWing wing = fourFieldWing(c.symmetric);
    EditingPlatform platform(wing);
    wing.kinkDeleteCondition = c.condition;
    wing.barPosition = 0.25L;
    deleteKink(wing, platform);
    if (c.symmetric) {
      EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkY), (Texts{"-0,5", "0", "0,5"}));
      ASSERT_EQ(wing.flapCount(), 2);
      EXPECT_EQ(flapRow(wing, 2), c.rightMerged);
      EXPECT_EQ(flapRow(wing, 1), c.leftMergedOrField12);
    } else {
      EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkY), (Texts{"-0,5", "-0,25", "0", "0,5"}));
      ASSERT_EQ(wing.flapCount(), 3);
      EXPECT_EQ(flapRow(wing, 3), c.rightMerged);
      EXPECT_EQ(flapRow(wing, 2), c.leftMergedOrField12);
      EXPECT_EQ(flapRow(wing, 1), (Texts{"1", "-0,5", "10", "-0,25", "11", "1", "1"}));
    }
    EXPECT_FALSE(wing.wingSaved);
    EXPECT_EQ(wing.barPosition, 0);  // one kink toward the centre
    EXPECT_EQ(platform.refreshes, (std::vector<bool>{true}));
  }
}

TEST(DeleteKink, OnTheLeftWingTheBarJumpsRightTowardTheCentre) {
  TWing wing = fourFieldWing(false);
  EditingPlatform platform(wing);
  wing.barPosition = -0.25L;
  deleteKink(wing, platform);
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkY), (Texts{"-0,5", "0", "0,25", "0,5"}));
  EXPECT_EQ(wing.barPosition, 0);
}

TEST(DeleteKink, TipsCentreAndPositionsWithoutKinkAreKept) {
  for (Real bar : {-0.5L, 0.0L, 0.5L, 0.1L}) {
    TWing wing = fourFieldWing(true);
    const TWing before = wing;
    EditingPlatform platform(wing);
    wing.barPosition = bar;
    deleteKink(wing, platform);
    EXPECT_EQ(wing.kinkTable, before.kinkTable) << bar;
    EXPECT_EQ(wing.flapTable, before.flapTable) << bar;
    EXPECT_TRUE(platform.refreshes.empty()) << bar;
  }
}

TEST(DeleteKink, AMirroredTipOfAnUnevenWingIsNotRemoved) {
  // Left tip at -0.25, kink at 0.25 on the right: the mirror of the kink is
  // the left tip, which stays.
  TWing wing = editableNewWing(false);
  EditingPlatform platform(wing);
  wing.barPosition = 0.25L;
  setKink(wing, platform);
  wing.kinkTable.setCell(kColKinkY, 1, "-0,25");
  wing.flapTable.setCell(kColFlapYLeft, 1, "-0,25");
  wing.symmetricInput = true;
  deleteKink(wing, platform);
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkY), (Texts{"-0,25", "0", "0,5"}));
  EXPECT_EQ(columnTexts(wing.flapTable, kColFlapYLeft), (Texts{"-0,25", "0"}));
}

struct SpanCase {
  const char* condition;
  Texts y;
  Texts x;
  Texts chord;
};

TEST(ChangeSpan, ScalesByTheSpanCondition) {
  // Tapered wing (tips x 0.1, chord 0.1; centre chord 0.2), span 1 -> 2.
  const SpanCase cases[] = {
      {"Varia", {"-1", "0", "1"}, {"0,2", "0", "0,2"}, {"0,2", "0,4", "0,2"}},
      {"Nasenwinkel erhalten", {"-1", "0", "1"}, {"0,2", "0", "0,2"}, {"0,1", "0,2", "0,1"}},
      // x <- 2(x + c/4) - c/4: tip 0.225, centre 0.05; normalised.
      {"t/4 Winkel erhalten", {"-1", "0", "1"}, {"0,175", "0", "0,175"}, {"0,1", "0,2", "0,1"}},
      // x <- 2(x + c) - c: tip 0.3, centre 0.2; the trailing edge stays straight.
      {"Endwinkel erhalten", {"-1", "0", "1"}, {"0,1", "0", "0,1"}, {"0,1", "0,2", "0,1"}},
      {"Nasenkoordin. erhalten", {"-1", "0", "1"}, {"0,1", "0", "0,1"}, {"0,1", "0,2", "0,1"}},
      {"keine Bedingung", {"-0,5", "0", "0,5"}, {"0,1", "0", "0,1"}, {"0,1", "0,2", "0,1"}},
  };
  for (const SpanCase& c : cases) {
    SCOPED_TRACE(c.condition);
    TWing wing = taperedWing(true);
    EditingPlatform platform(wing);
    wing.spanCondition = c.condition;
    wing.barPosition = 0.5L;
    changeSpan(wing, platform, "2");
    EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkY), c.y);
    EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkX), c.x);
    EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkChord), c.chord);
    EXPECT_EQ(columnTexts(wing.flapTable, kColFlapYLeft), (Texts{c.y[0], "0"}));
    EXPECT_EQ(columnTexts(wing.flapTable, kColFlapYRight), (Texts{"0", c.y[2]}));
    EXPECT_EQ(wing.barPosition, 0);
    EXPECT_FALSE(wing.wingSaved);
    EXPECT_EQ(platform.refreshes, (std::vector<bool>{true}));
  }
}

TEST(ChangeSpan, AttachContinuesTheTipsWithEmptyFields) {
  for (bool symmetric : {true, false}) {
    TWing wing = editableNewWing(symmetric);
    EditingPlatform platform(wing);
    wing.spanCondition = "Ansetzen / Abschneiden";
    changeSpan(wing, platform, "2");
    EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkY), (Texts{"-1", "-0,5", "0", "0,5", "1"}));
    EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkChord), (Texts(5, "0,2")));
    EXPECT_EQ(columnTexts(wing.flapTable, kColFlapYLeft), (Texts{"-1", "-0,5", "0", "0,5"}));
    EXPECT_EQ(columnTexts(wing.flapTable, kColFlapYRight), (Texts{"-0,5", "0", "0,5", "1"}));
    EXPECT_EQ(columnTexts(wing.flapTable, kColFlapNumber), (Texts{"1", "2", "3", "4"}));
    // The new tips carry the old tips' airfoil with its section.
    for (int row : {1, 5}) {
      EXPECT_EQ(wing.kinkTable.cell(kColKinkAirfoil, row), "ebene_platte.dat");
      EXPECT_EQ(wing.kinkTable.cell(kColKinkSection + 12, row), "0,0145");
      EXPECT_EQ(wing.kinkTable.cell(kColKinkSection + 60, row), "0");
    }
  }
}

TEST(ChangeSpan, CutMakesFlatPlateEndsAndDropsTheOuterRows) {
  for (bool symmetric : {true, false}) {
    TWing wing = fourFieldWing(symmetric);
    EditingPlatform platform(wing);
    wing.spanCondition = "Ansetzen / Abschneiden";
    changeSpan(wing, platform, "0,6");
    EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkY), (Texts{"-0,3", "-0,25", "0", "0,25", "0,3"}));
    EXPECT_EQ(
        columnTexts(wing.kinkTable, kColKinkAirfoil),
        (Texts{"ebene_platte.dat", "strak", "ebene_platte.dat", "strak", "ebene_platte.dat"}));
    EXPECT_EQ(wing.kinkTable.cell(kColKinkAlpha0, 1), "0");
    EXPECT_EQ(wing.kinkTable.cell(kColKinkCm0, 5), "0");
    EXPECT_EQ(columnTexts(wing.flapTable, kColFlapYLeft), (Texts{"-0,3", "-0,25", "0", "0,25"}));
    EXPECT_EQ(columnTexts(wing.flapTable, kColFlapYRight), (Texts{"-0,25", "0", "0,25", "0,3"}));
    // The outer fields are cut at 0.3: chords interpolated, the flap kept.
    EXPECT_EQ(flapRow(wing, 4), (Texts{"4", "0,25", "40", "0,3", "40,2", "4", "4"}));
    EXPECT_EQ(flapRow(wing, 1), (Texts{"1", "-0,3", "10,8", "-0,25", "11", "1", "1"}));
  }
}

TEST(ChangeSpan, AnUnevenWingMovesEachEndToHalfTheSpan) {
  // Left tip at -0.8, right tip at 0.5: span 1 counts from the right tip.
  // Span 1.2 attaches on the right and cuts on the left.
  TWing wing = editableNewWing(false);
  EditingPlatform platform(wing);
  wing.kinkTable.setCell(kColKinkY, 1, "-0,8");
  wing.flapTable.setCell(kColFlapYLeft, 1, "-0,8");
  wing.spanCondition = "Ansetzen / Abschneiden";
  changeSpan(wing, platform, "1,2");
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkY), (Texts{"-0,6", "0", "0,5", "0,6"}));
  EXPECT_EQ(columnTexts(wing.flapTable, kColFlapYLeft), (Texts{"-0,6", "0", "0,5"}));
  EXPECT_EQ(columnTexts(wing.flapTable, kColFlapYRight), (Texts{"0", "0,5", "0,6"}));
}

TEST(ChangeSpan, OutOfRangeReshapesNothingButResetsTheBar) {
  const std::pair<const char*, int> cases[] = {{"0,005", 2}, {"100,5", 1}};
  for (const auto& [text, message] : cases) {
    TWing wing = editableNewWing(true);
    const TWing before = wing;
    EditingPlatform platform(wing);
    wing.barPosition = 0.25L;
    changeSpan(wing, platform, text);
    EXPECT_EQ(platform.messages, (std::vector<int>{message})) << text;
    EXPECT_EQ(wing.kinkTable, before.kinkTable) << text;
    EXPECT_EQ(wing.barPosition, 0) << text;
    EXPECT_FALSE(wing.wingSaved) << text;
    EXPECT_EQ(platform.refreshes, (std::vector<bool>{true})) << text;
  }
}

TEST(SetChord, ReferenceHundredKeepsTheTrailingEdge) {
  TWing wing = editableNewWing(false);
  EditingPlatform platform(wing);
  EditingContext context;
  context.chordReferenceText = "100";
  wing.barPosition = 0.5L;
  setChord(wing, context, platform, "0,4");
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkX), (Texts{"0", "0", "-0,2"}));
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkChord), (Texts{"0,2", "0,2", "0,4"}));
  // At the centre the normalisation shifts the whole wing back.
  wing.barPosition = 0;
  setChord(wing, context, platform, "0,4");
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkX), (Texts{"0,2", "0", "0"}));
  EXPECT_FALSE(wing.wingSaved);
}

TEST(SetChord, SymmetricInputSetsBothTips) {
  TWing wing = editableNewWing(true);
  EditingPlatform platform(wing);
  EditingContext context;
  context.chordReferenceText = "50";
  wing.barPosition = -0.5L;
  setChord(wing, context, platform, "0,1");
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkX), (Texts{"0,05", "0", "0,05"}));
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkChord), (Texts{"0,1", "0,2", "0,1"}));
}

TEST(SetChord, AnUnusableReferenceBecomesZero) {
  for (const char* reference : {"abc", "150", "-1", ""}) {
    TWing wing = editableNewWing(false);
    EditingPlatform platform(wing);
    EditingContext context;
    context.chordReferenceText = reference;
    wing.barPosition = 0.5L;
    setChord(wing, context, platform, "0,3");
    EXPECT_EQ(context.chordReferenceText, "0") << reference;
    EXPECT_EQ(wing.kinkTable.cell(kColKinkX, 3), "0") << reference;
    EXPECT_EQ(wing.kinkTable.cell(kColKinkChord, 3), "0,3") << reference;
    EXPECT_TRUE(platform.errors.empty());
  }
}

TEST(SetChord, BelowOneMillimetreShowsMessageTwo) {
  TWing wing = editableNewWing(true);
  const TWing before = wing;
  EditingPlatform platform(wing);
  EditingContext context;
  context.chordReferenceText = "abc";
  wing.barPosition = 0.5L;
  setChord(wing, context, platform, "0,0009");
  EXPECT_EQ(platform.messages, (std::vector<int>{2}));
  EXPECT_EQ(wing.kinkTable, before.kinkTable);
  EXPECT_TRUE(wing.wingSaved);
  EXPECT_EQ(context.chordReferenceText, "abc");  // read only for a valid chord
  EXPECT_EQ(platform.refreshes, (std::vector<bool>{true}));
}

// One entry of the kink group at the right tip of the new wing.
struct EntryCase {
  const char* name;
  std::function<void(TWing&, EditingContext&, EditingPlatform&, std::string_view)> enter;
  const char* text;
  std::vector<int> messages;
  int column;         // kink column written, -1 for none
  Texts columnAfter;  // with symmetric input
};

TEST(KinkEntries, RangeChecksAndMirroredWrites) {
  const EntryCase cases[] = {
      {"angle",
       [](auto& w, auto&, auto& p, auto t) { setChordAngle(w, p, t); },
       "5",
       {},
       kColKinkChordAngle,
       {"5", "0", "5"}},
      {"angle 89",
       [](auto& w, auto&, auto& p, auto t) { setChordAngle(w, p, t); },
       "89",
       {},
       kColKinkChordAngle,
       {"89", "0", "89"}},
      {"angle 89,5",
       [](auto& w, auto&, auto& p, auto t) { setChordAngle(w, p, t); },
       "89,5",
       {4},
       kColKinkChordAngle,
       {"0", "0", "0"}},
      {"angle -90",
       [](auto& w, auto&, auto& p, auto t) { setChordAngle(w, p, t); },
       "-90",
       {4},
       kColKinkChordAngle,
       {"0", "0", "0"}},
      {"pivot",
       [](auto& w, auto& c, auto& p, auto t) { setPivot(w, c, p, t); },
       "25",
       {},
       kColKinkPivotPercent,
       {"25", "75", "25"}},
      {"pivot 101",
       [](auto& w, auto& c, auto& p, auto t) { setPivot(w, c, p, t); },
       "101",
       {8},
       kColKinkPivotPercent,
       {"75", "75", "75"}},
      {"x",
       [](auto& w, auto&, auto& p, auto t) { setLeadingEdgeX(w, p, t); },
       "0.15",
       {},
       kColKinkX,
       {"0,15", "0", "0,15"}},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.name);
    TWing wing = editableNewWing(true);
    EditingPlatform platform(wing);
    EditingContext context;
    wing.barPosition = 0.5L;
    c.enter(wing, context, platform, c.text);
    EXPECT_EQ(platform.messages, c.messages);
    EXPECT_EQ(columnTexts(wing.kinkTable, c.column), c.columnAfter);
    EXPECT_EQ(wing.wingSaved, !c.messages.empty());
    EXPECT_EQ(platform.refreshes, (std::vector<bool>{true}));
  }
}

TEST(KinkEntries, LeadingEdgeXOfTheCentreShowsMessage14) {
  TWing wing = editableNewWing(true);
  EditingPlatform platform(wing);
  setLeadingEdgeX(wing, platform, "0,1");
  EXPECT_EQ(platform.messages, (std::vector<int>{14}));
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkX), (Texts{"0", "0", "0"}));
}

TEST(KinkEntries, LeadingEdgeXIsNotNormalised) {
  TWing wing = fourFieldWing(false);
  EditingPlatform platform(wing);
  wing.barPosition = -0.25L;
  setLeadingEdgeX(wing, platform, "-0,3");
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkX), (Texts{"0", "-0,3", "0", "0", "0"}));
}

TEST(KinkEntries, ReferenceEntriesCheckTheirRange) {
  TWing wing = editableNewWing(true);
  EditingPlatform platform(wing);
  EditingContext context;
  setChordReference(wing, context, platform, "50.0");
  EXPECT_EQ(context.chordReferenceText, "50");
  setChordReference(wing, context, platform, "100,5");
  EXPECT_EQ(context.chordReferenceText, "100,5");
  setSweepReference(wing, context, platform, "25");
  setSweepReference(wing, context, platform, "-1");
  EXPECT_EQ(context.sweepReferenceText, "-1");
  EXPECT_EQ(platform.messages, (std::vector<int>{8, 8}));
  EXPECT_EQ(platform.refreshes, (std::vector<bool>{true, true, false, true}));
  EXPECT_TRUE(wing.wingSaved);
}

TEST(Sweep, FortyFiveDegreesRightAtTheCentreMovesTheTipBack) {
  for (bool symmetric : {false, true}) {
    TWing wing = editableNewWing(symmetric);
    EditingPlatform platform(wing);
    EditingContext context;
    setSweepRight(wing, context, platform, "45");
    EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkX), (Texts{symmetric ? "0,5" : "0", "0", "0,5"}));
    EXPECT_FALSE(wing.wingSaved);
  }
}

TEST(Sweep, TheReadoutShowsTheAngleSetAtTheReference) {
  // Tapered wing with a kink at 0.25 on either side; 30 degrees at the
  // quarter chord from the kink at -0.25 to the left tip, mirrored.
  TWing wing = taperedWing(true);
  EditingPlatform platform(wing);
  EditingContext context;
  wing.barPosition = 0.25L;
  setKink(wing, platform);
  context.sweepReferenceText = "25";
  wing.barPosition = -0.25L;
  setSweepLeft(wing, context, platform, "30");
  EXPECT_EQ(wing.kinkTable.cell(kColKinkX, 3), "0");
  const ControlAvailability left = controlsAtBar(wing, context);
  EXPECT_EQ(left.sweepLeft.text, "30");
  wing.barPosition = 0.25L;
  const ControlAvailability right = controlsAtBar(wing, context);
  EXPECT_EQ(right.sweepRight.text, "30");
  // The kinks at +-0.25 and the tips stay mirror-equal.
  EXPECT_EQ(wing.kinkTable.cell(kColKinkX, 1), wing.kinkTable.cell(kColKinkX, 5));
  EXPECT_EQ(wing.kinkTable.cell(kColKinkX, 2), wing.kinkTable.cell(kColKinkX, 4));
}

TEST(Sweep, LeftSweepOnTheRightWingMovesTheOuterKinks) {
  // -45 degrees toward the centre puts the centre 0.25 ahead of the kink at
  // 0.25; after the normalisation the centre keeps x = 0, so the kink at the
  // bar and everything outboard moves aft.
  TWing wing = fourFieldWing(false);
  EditingPlatform platform(wing);
  EditingContext context;
  wing.barPosition = 0.25L;
  setSweepLeft(wing, context, platform, "-45");
  EXPECT_EQ(columnTexts(wing.kinkTable, kColKinkX), (Texts{"0", "0", "0", "0,25", "0,25"}));
}

TEST(Sweep, OutOfRangeShowsMessageFourBeforeTheReferenceIsRead) {
  TWing wing = editableNewWing(true);
  const TWing before = wing;
  EditingPlatform platform(wing);
  EditingContext context;
  context.sweepReferenceText = "abc";
  setSweepRight(wing, context, platform, "89,1");
  EXPECT_EQ(platform.messages, (std::vector<int>{4}));
  EXPECT_TRUE(platform.errors.empty());
  EXPECT_EQ(wing.kinkTable, before.kinkTable);
}

TEST(MirrorAirfoil, CopiesTheAirfoilToTheMirroredKinkWithSymmetricInput) {
  for (bool symmetric : {true, false}) {
    TWing wing = editableNewWing(symmetric);
    EditingPlatform platform(wing);
    wing.barPosition = 0.5L;
    wing.kinkTable.setCell(kColKinkAirfoil, 3, "mh45.dat");
    wing.kinkTable.setCell(kColKinkAlpha0, 3, "-1,2");
    wing.kinkTable.setCell(kColKinkCm0, 3, "0,01");
    wing.kinkTable.setCell(kColKinkSection + 5, 3, "0,03");
    mirrorAirfoil(wing, platform);
    const Texts expected = symmetric ? Texts{"mh45.dat", "-1,2", "0,01", "0,03"}
                                     : Texts{"ebene_platte.dat", "0", "0", "0,00471"};
    const CellTable& k = wing.kinkTable;
    EXPECT_EQ((Texts{k.cell(kColKinkAirfoil, 1), k.cell(kColKinkAlpha0, 1), k.cell(kColKinkCm0, 1),
                     k.cell(kColKinkSection + 5, 1)}),
              expected);
    EXPECT_FALSE(wing.wingSaved);
    EXPECT_EQ(platform.refreshes, (std::vector<bool>{true}));
  }
}

TEST(MirrorAirfoil, ABlendedSectionIsNotCopiedOntoATip) {
  // Uneven wing: left tip at -0.25, blended kink at 0.25.
  TWing wing = editableNewWing(false);
  EditingPlatform platform(wing);
  wing.barPosition = 0.25L;
  setKink(wing, platform);
  wing.kinkTable.setCell(kColKinkY, 1, "-0,25");
  wing.flapTable.setCell(kColFlapYLeft, 1, "-0,25");
  wing.symmetricInput = true;
  mirrorAirfoil(wing, platform);
  EXPECT_EQ(wing.kinkTable.cell(kColKinkAirfoil, 1), "ebene_platte.dat");
  EXPECT_EQ(wing.kinkTable.cell(kColKinkAlpha0, 1), "0");
}

TEST(BarMovement, JumpsAndSteps) {
  TWing wing = fourFieldWing(true);
  EditingPlatform platform(wing);
  struct Step {
    const char* name;
    std::function<void()> move;
    Real expected;
  };
  const Step steps[] = {
      {">", [&] { jumpKinkRight(wing, platform); }, 0.25L},
      {">", [&] { jumpKinkRight(wing, platform); }, 0.5L},
      {"> at the tip", [&] { jumpKinkRight(wing, platform); }, 0.5L},
      {"+ at the tip", [&] { moveBarMillimetreRight(wing, platform); }, 0.5L},
      {"<", [&] { jumpKinkLeft(wing, platform); }, 0.25L},
      {"-", [&] { moveBarMillimetreLeft(wing, platform); }, 0.25L - 0.001L},
      {"<", [&] { jumpKinkLeft(wing, platform); }, 0},
      {"<", [&] { jumpKinkLeft(wing, platform); }, -0.25L},
      {"+", [&] { moveBarMillimetreRight(wing, platform); }, -0.25L + 0.001L},
  };
  wing.barPosition = 0;
  for (const Step& step : steps) {
    const Real old = wing.barPosition;
    step.move();
    EXPECT_EQ(wing.barPosition, step.expected) << step.name;
    ASSERT_FALSE(platform.barMoves.empty());
    EXPECT_EQ(platform.barMoves.back(), std::make_pair(old, wing.barPosition)) << step.name;
  }
  EXPECT_TRUE(platform.refreshes.empty());
  EXPECT_TRUE(wing.wingSaved);
}

TEST(BarMovement, StepsClampAtTheTipsAndSnapToTheCentre) {
  TWing wing = editableNewWing(true);
  EditingPlatform platform(wing);
  wing.barPosition = -0.4995L;
  moveBarMillimetreLeft(wing, platform);
  EXPECT_EQ(wing.barPosition, -0.5L);
  moveBarMillimetreLeft(wing, platform);
  EXPECT_EQ(wing.barPosition, -0.5L);
  wing.barPosition = -0.0015L;
  moveBarMillimetreRight(wing, platform);
  EXPECT_EQ(wing.barPosition, 0);
  wing.barPosition = 0.0009L;
  moveBarMillimetreLeft(wing, platform);
  EXPECT_EQ(wing.barPosition, 0);
}

TEST(BarMovement, TypedPositionIsClampedAndRedraws) {
  TWing wing = editableNewWing(true);
  EditingPlatform platform(wing);
  const std::pair<const char*, Real> cases[] = {
      {"0,7", 0.5L}, {"-3", -0.5L}, {"0.1234567", 0.123456L}, {"-0,25", -0.25L}};
  for (const auto& [text, expected] : cases) {
    setBarPosition(wing, platform, text);
    EXPECT_EQ(wing.barPosition, expected) << text;
  }
  EXPECT_EQ(platform.refreshes, (std::vector<bool>(4, false)));
}

// The mend: a text that is no number, in the entry or in a cell read on
// the way, leaves every cell as it was (formerly the cells written before
// the failing conversion kept their new values).
TEST(Atomicity, AFailedConversionChangesNothing) {
  using Operation = std::function<void(TWing&, EditingContext&, EditingPlatform&)>;
  const std::pair<const char*, Operation> cases[] = {
      {"span", [](auto& w, auto&, auto& p) { changeSpan(w, p, "zwei"); }},
      {"chord", [](auto& w, auto& c, auto& p) { setChord(w, c, p, "0,3x"); }},
      {"chord reference", [](auto& w, auto& c, auto& p) { setChordReference(w, c, p, ""); }},
      {"angle", [](auto& w, auto&, auto& p) { setChordAngle(w, p, "--1"); }},
      {"pivot", [](auto& w, auto& c, auto& p) { setPivot(w, c, p, "a"); }},
      {"x", [](auto& w, auto&, auto& p) { setLeadingEdgeX(w, p, "1,2,3"); }},
      {"sweep right", [](auto& w, auto& c, auto& p) { setSweepRight(w, c, p, "x"); }},
      {"sweep reference",
       [](auto& w, auto& c, auto& p) {
         c.sweepReferenceText = "viertel";
         setSweepLeft(w, c, p, "10");
       }},
      {"bar", [](auto& w, auto&, auto& p) { setBarPosition(w, p, "links"); }},
      // The mirrored kink's x is no number: the kink at the bar would have
      // been written before the failure.
      {"chord with a broken mirror cell",
       [](auto& w, auto& c, auto& p) {
         w.kinkTable.setCell(kColKinkX, 2, "?");
         c.chordReferenceText = "100";
         setChord(w, c, p, "0,3");
       }},
      {"set kink with a broken mirror cell",
       [](auto& w, auto&, auto& p) {
         w.kinkTable.setCell(kColKinkChord, 2, "?");
         w.barPosition = 0.1L;
         setKink(w, p);
       }},
      {"attach with a broken left tip",
       [](auto& w, auto&, auto& p) {
         w.kinkTable.setCell(kColKinkY, 1, "?");
         w.spanCondition = "Ansetzen / Abschneiden";
         changeSpan(w, p, "2");
       }},
  };
  for (const auto& [name, operation] : cases) {
    SCOPED_TRACE(name);
    TWing wing = fourFieldWing(true);
    wing.barPosition = 0.25L;
    EditingPlatform platform(wing);
    EditingContext context;
    operation(wing, context, platform);
    // The broken cell itself was written by the test before the operation.
    TWing expected = fourFieldWing(true);
    expected.barPosition = wing.barPosition;
    expected.kinkTable.setCell(kColKinkX, 2, wing.kinkTable.cell(kColKinkX, 2));
    expected.kinkTable.setCell(kColKinkChord, 2, wing.kinkTable.cell(kColKinkChord, 2));
    expected.kinkTable.setCell(kColKinkY, 1, wing.kinkTable.cell(kColKinkY, 1));
    expected.spanCondition = wing.spanCondition;
    EXPECT_EQ(wing, expected);
    EXPECT_EQ(platform.errors.size(), 1u);
    if (!platform.errors.empty()) {
      EXPECT_EQ(platform.errors[0].first, "Velarix");
    }
    EXPECT_TRUE(platform.refreshes.empty());
    EXPECT_TRUE(platform.messages.empty());
  }
}

TEST(NoWing, EveryOperationChangesNothing) {
  using Operation = std::function<void(TWing&, EditingContext&, EditingPlatform&)>;
  const Operation operations[] = {
      [](auto& w, auto&, auto& p) { setKink(w, p); },
      [](auto& w, auto&, auto& p) { deleteKink(w, p); },
      [](auto& w, auto&, auto& p) { changeSpan(w, p, "2"); },
      [](auto& w, auto& c, auto& p) { setChord(w, c, p, "0,3"); },
      [](auto& w, auto& c, auto& p) { setChordReference(w, c, p, "50"); },
      [](auto& w, auto&, auto& p) { setChordAngle(w, p, "3"); },
      [](auto& w, auto& c, auto& p) { setPivot(w, c, p, "50"); },
      [](auto& w, auto&, auto& p) { setLeadingEdgeX(w, p, "0,1"); },
      [](auto& w, auto& c, auto& p) { setSweepRight(w, c, p, "10"); },
      [](auto& w, auto& c, auto& p) { setSweepLeft(w, c, p, "10"); },
      [](auto& w, auto& c, auto& p) { setSweepReference(w, c, p, "50"); },
      [](auto& w, auto&, auto& p) { mirrorAirfoil(w, p); },
      [](auto& w, auto&, auto& p) { jumpKinkLeft(w, p); },
      [](auto& w, auto&, auto& p) { jumpKinkRight(w, p); },
      [](auto& w, auto&, auto& p) { moveBarMillimetreLeft(w, p); },
      [](auto& w, auto&, auto& p) { moveBarMillimetreRight(w, p); },
      [](auto& w, auto&, auto& p) { setBarPosition(w, p, "0,1"); },
  };
  int index = 0;
  for (const Operation& operation : operations) {
    TWing wing = fourFieldWing(true);
    wing.wingPresent = false;
    wing.barPosition = 0.25L;
    const TWing before = wing;
    EditingPlatform platform(wing);
    EditingContext context;
    operation(wing, context, platform);
    EXPECT_EQ(wing, before) << "operation " << index;
    EXPECT_EQ(context, EditingContext{}) << "operation " << index;
    EXPECT_TRUE(platform.messages.empty() && platform.errors.empty() &&
                platform.refreshes.empty() && platform.barMoves.empty())
        << "operation " << index;
    ++index;
  }
}

}  // namespace
}  // namespace velarix
