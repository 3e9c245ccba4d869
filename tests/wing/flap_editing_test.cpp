#include "wing/flap_editing.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/editing_platform.h"
#include "wing/planform_editing.h"

namespace velarix {
namespace {

using testing::editableNewWing;
using testing::EditingPlatform;
using testing::flapRow;
using testing::Texts;

// The new wing with kinks at +-0.25: fields -0.5..-0.25, -0.25..0, 0..0.25,
// 0.25..0.5, all without flaps.
TWing fourFieldWing(bool symmetric) {
  TWing wing = editableNewWing(true);
  EditingPlatform platform(wing);
  wing.barPosition = 0.25L;
  setKink(wing, platform);
  wing.symmetricInput = symmetric;
  wing.wingSaved = true;
  wing.barPosition = 0;
  return wing;
}

void setFlapCells(TWing& wing, int row, const Texts& chordsGroupDeflection) {
  const int columns[4] = {kColFlapChordLeft, kColFlapChordRight, kColFlapGroup, kColFlapDeflection};
  for (int i = 0; i < 4; ++i) wing.flapTable.setCell(columns[i], row, chordsGroupDeflection[i]);
}

Texts flapCells(const TWing& wing, int row) {
  const Texts all = flapRow(wing, row);
  return {all[2], all[4], all[5], all[6]};
}

TEST(SetFlap, NewWingGetsTheDefaultFlap) {
  for (bool symmetric : {false, true}) {
    TWing wing = editableNewWing(false);
    EditingPlatform platform(wing);
    wing.barPosition = 0.25L;
    setKink(wing, platform);  // fields -0.5..0, 0..0.25, 0.25..0.5
    wing.symmetricInput = symmetric;
    wing.barPosition = 0.1L;
    platform.clearRecords();
    setFlap(wing, platform);
    EXPECT_EQ(flapCells(wing, 2), (Texts{"25", "25", "0", "0"}));
    // The mirror of 0..0.25 would be -0.25..0, which is not a field here.
    EXPECT_EQ(flapCells(wing, 1), (Texts{"0", "0", "0", "0"}));
    EXPECT_EQ(platform.refreshes, (std::vector<bool>{true}));
  }
  TWing wing = editableNewWing(true);
  EditingPlatform platform(wing);
  wing.barPosition = 0.25L;
  setFlap(wing, platform);
  EXPECT_EQ(flapCells(wing, 2), (Texts{"25", "25", "0", "0"}));
  EXPECT_EQ(flapCells(wing, 1), (Texts{"25", "25", "0", "0"}));
  EXPECT_FALSE(wing.wingSaved);
}

TEST(SetFlap, AnExistingFlapStaysAndIsCopiedInMirrorImage) {
  for (bool symmetric : {false, true}) {
    TWing wing = fourFieldWing(symmetric);
    EditingPlatform platform(wing);
    setFlapCells(wing, 4, {"30", "20", "7", "3"});
    wing.barPosition = 0.4L;
    setFlap(wing, platform);
    EXPECT_EQ(flapCells(wing, 4), (Texts{"30", "20", "7", "3"}));
    EXPECT_EQ(flapCells(wing, 1),
              (symmetric ? Texts{"20", "30", "7", "3"} : Texts{"0", "0", "0", "0"}));
    EXPECT_EQ(wing.wingSaved, !symmetric);
    EXPECT_EQ(platform.refreshes, (std::vector<bool>{true}));
  }
}

TEST(SetFlap, OnAFieldBoundaryNothingChangesButTheWingIsRecomputed) {
  TWing wing = fourFieldWing(true);
  const TWing before = wing;
  EditingPlatform platform(wing);
  setFlap(wing, platform);
  deleteFlap(wing, platform);
  EXPECT_EQ(wing, before);
  EXPECT_EQ(platform.refreshes, (std::vector<bool>{true, true}));
}

TEST(DeleteFlap, ClearsTheFieldAndItsMirror) {
  for (bool symmetric : {false, true}) {
    TWing wing = fourFieldWing(symmetric);
    EditingPlatform platform(wing);
    setFlapCells(wing, 1, {"20", "30", "7", "3"});
    setFlapCells(wing, 4, {"30", "20", "7", "3"});
    wing.barPosition = -0.3L;
    deleteFlap(wing, platform);
    EXPECT_EQ(flapCells(wing, 1), (Texts{"0", "0", "0", "0"}));
    EXPECT_EQ(flapCells(wing, 4),
              (symmetric ? Texts{"0", "0", "0", "0"} : Texts{"30", "20", "7", "3"}));
    EXPECT_FALSE(wing.wingSaved);
  }
}

struct ChordCase {
  const char* text;
  bool left;
  std::vector<int> messages;
  Texts field3;  // left, right chord of 0..0.25
  Texts field2;  // left, right chord of its mirror -0.25..0
};

TEST(FlapChord, TruncatedToAnIntegerAndMirroredToTheOtherEnd) {
  const ChordCase cases[] = {
      {"37,9", true, {}, {"37", "5"}, {"5", "37"}},
      {"37.9", false, {}, {"5", "37"}, {"37", "5"}},
      {"100", true, {}, {"100", "5"}, {"5", "100"}},
      {"100,9", true, {}, {"100", "5"}, {"5", "100"}},
      {"-0,5", true, {}, {"0", "5"}, {"5", "0"}},
      {"101", true, {8}, {"5", "5"}, {"5", "5"}},
      {"-1", false, {8}, {"5", "5"}, {"5", "5"}},
  };
  for (const ChordCase& c : cases) {
    for (bool symmetric : {true, false}) {
      SCOPED_TRACE(std::string(c.text) + (symmetric ? " sym." : " asym."));
      TWing wing = fourFieldWing(symmetric);
      EditingPlatform platform(wing);
      setFlapCells(wing, 2, {"5", "5", "0", "0"});
      setFlapCells(wing, 3, {"5", "5", "0", "0"});
      wing.barPosition = 0.1L;
      if (c.left) {
        setFlapChordLeft(wing, platform, c.text);
      } else {
        setFlapChordRight(wing, platform, c.text);
      }
      EXPECT_EQ(platform.messages, c.messages);
      const Texts all3 = flapRow(wing, 3);
      const Texts all2 = flapRow(wing, 2);
      EXPECT_EQ((Texts{all3[2], all3[4]}), c.field3);
      EXPECT_EQ((Texts{all2[2], all2[4]}), (symmetric ? c.field2 : Texts{"5", "5"}));
      EXPECT_EQ(platform.refreshes.size(), c.messages.empty() ? 1u : 0u);
    }
  }
}

TEST(FlapGroup, JoiningAGroupAdoptsItsDeflection) {
  TWing wing = fourFieldWing(false);
  EditingPlatform platform(wing);
  setFlapCells(wing, 1, {"25", "25", "0", "2"});
  setFlapCells(wing, 2, {"25", "25", "3", "7"});
  setFlapCells(wing, 4, {"25", "25", "3", "10"});
  wing.barPosition = -0.4L;
  setFlapGroup(wing, platform, "3,6");
  // The last field of the group in table order wins.
  EXPECT_EQ(flapCells(wing, 1), (Texts{"25", "25", "3", "10"}));
  EXPECT_FALSE(wing.wingSaved);
  EXPECT_EQ(platform.refreshes, (std::vector<bool>{true}));
}

TEST(FlapGroup, GroupZeroKeepsTheDeflection) {
  // Group 0 ties nothing together: leaving a group must not pick up the
  // deflection of some unrelated flap without a group.
  TWing wing = fourFieldWing(false);
  EditingPlatform platform(wing);
  setFlapCells(wing, 1, {"25", "25", "0", "-4"});
  setFlapCells(wing, 4, {"25", "25", "3", "10"});
  wing.barPosition = 0.4L;
  setFlapGroup(wing, platform, "0");
  EXPECT_EQ(flapCells(wing, 4), (Texts{"25", "25", "0", "10"}));
}

TEST(FlapGroup, SymmetricInputSetsTheMirrorFieldToo) {
  TWing wing = fourFieldWing(true);
  EditingPlatform platform(wing);
  setFlapCells(wing, 1, {"25", "25", "0", "0"});
  setFlapCells(wing, 3, {"20", "20", "5", "6"});
  setFlapCells(wing, 4, {"25", "25", "0", "0"});
  wing.barPosition = 0.4L;
  setFlapGroupNumber(wing, platform, 5);
  EXPECT_EQ(flapCells(wing, 4), (Texts{"25", "25", "5", "6"}));
  EXPECT_EQ(flapCells(wing, 1), (Texts{"25", "25", "5", "6"}));
}

TEST(FlapGroup, OutOfRangeShowsMessage16WithoutRecompute) {
  for (const char* text : {"100", "-1", "250"}) {
    TWing wing = fourFieldWing(true);
    const TWing before = wing;
    EditingPlatform platform(wing);
    wing.barPosition = 0.1L;
    setFlapGroup(wing, platform, text);
    EXPECT_EQ(platform.messages, (std::vector<int>{16})) << text;
    EXPECT_TRUE(platform.refreshes.empty()) << text;
    EXPECT_EQ(wing.flapTable, before.flapTable) << text;
  }
}

TEST(FlapDeflection, MovesTheWholeGroupOrTheFieldAlone) {
  for (bool symmetric : {false, true}) {
    TWing wing = fourFieldWing(symmetric);
    EditingPlatform platform(wing);
    setFlapCells(wing, 1, {"25", "25", "3", "1"});
    setFlapCells(wing, 2, {"25", "25", "0", "1"});
    setFlapCells(wing, 3, {"25", "25", "0", "1"});
    setFlapCells(wing, 4, {"25", "25", "3", "1"});
    wing.barPosition = 0.4L;
    setFlapDeflection(wing, platform, "5");
    EXPECT_EQ(flapCells(wing, 1)[3], "5");
    EXPECT_EQ(flapCells(wing, 4)[3], "5");
    wing.barPosition = 0.1L;
    setFlapDeflection(wing, platform, "-2,5");
    EXPECT_EQ(flapCells(wing, 3)[3], "-2,5");
    EXPECT_EQ(flapCells(wing, 2)[3], "1");  // not mirrored
    setFlapDeflection(wing, platform, "-89,5");
    EXPECT_EQ(flapCells(wing, 3)[3], "-2,5");
    EXPECT_EQ(platform.messages, (std::vector<int>{4}));
    EXPECT_EQ(platform.refreshes, (std::vector<bool>{true, true}));
  }
}

TEST(FlapEntries, OnAFieldBoundaryNothingHappens) {
  using Entry = std::function<void(TWing&, EditingPlatform&)>;
  const Entry entries[] = {
      [](auto& w, auto& p) { setFlapChordLeft(w, p, "30"); },
      [](auto& w, auto& p) { setFlapChordRight(w, p, "300"); },
      [](auto& w, auto& p) { setFlapGroup(w, p, "3"); },
      [](auto& w, auto& p) { setFlapDeflection(w, p, "3"); },
  };
  for (const Entry& entry : entries) {
    TWing wing = fourFieldWing(true);
    wing.barPosition = 0.25L;
    const TWing before = wing;
    EditingPlatform platform(wing);
    entry(wing, platform);
    EXPECT_EQ(wing, before);
    EXPECT_TRUE(platform.messages.empty() && platform.refreshes.empty());
  }
}

TEST(FlapEntries, ATextThatIsNoNumberChangesNothing) {
  using Entry = std::function<void(TWing&, EditingPlatform&)>;
  const Entry entries[] = {
      [](auto& w, auto& p) { setFlapChordLeft(w, p, "viel"); },
      [](auto& w, auto& p) { setFlapChordRight(w, p, ""); },
      [](auto& w, auto& p) { setFlapGroup(w, p, "III"); },
      [](auto& w, auto& p) { setFlapDeflection(w, p, "5°"); },
      // The mirror field's group cell is broken: the field at the bar would
      // have joined the group before the failure.
      [](auto& w, auto& p) {
        w.flapTable.setCell(kColFlapYLeft, 1, "?");
        setFlapGroup(w, p, "3");
      },
  };
  for (const Entry& entry : entries) {
    TWing wing = fourFieldWing(true);
    wing.barPosition = 0.4L;
    EditingPlatform platform(wing);
    entry(wing, platform);
    TWing expected = fourFieldWing(true);
    expected.barPosition = 0.4L;
    expected.flapTable.setCell(kColFlapYLeft, 1, wing.flapTable.cell(kColFlapYLeft, 1));
    EXPECT_EQ(wing, expected);
    EXPECT_EQ(platform.errors.size(), 1u);
    EXPECT_TRUE(platform.messages.empty() && platform.refreshes.empty());
  }
}

TEST(FieldJumps, FromAKinkToTheMiddleOfTheFieldOnThatSide) {
  struct Case {
    Real from;
    bool right;
    Real to;
  };
  const Case cases[] = {
      {0, true, 0.125L},      {0, false, -0.125L},    {0.25L, true, 0.375L}, {0.25L, false, 0.125L},
      {0.1L, true, 0.375L},   {0.1L, false, -0.125L}, {0.4L, true, 0.4L},    {-0.4L, false, -0.4L},
      {-0.4L, true, -0.125L}, {-0.5L, false, -0.5L},  {0.5L, true, 0.5L},    {-0.5L, true, -0.375L},
      {0.5L, false, 0.375L},
  };
  for (const Case& c : cases) {
    TWing wing = fourFieldWing(true);
    EditingPlatform platform(wing);
    wing.barPosition = c.from;
    if (c.right) {
      jumpFieldRight(wing, platform);
    } else {
      jumpFieldLeft(wing, platform);
    }
    EXPECT_EQ(wing.barPosition, c.to) << c.from << (c.right ? " >" : " <");
    ASSERT_EQ(platform.barMoves.size(), 1u);
    EXPECT_TRUE(platform.refreshes.empty());
  }
}

TEST(MirrorField, FindsTheFieldWithNegatedExchangedEnds) {
  TWing wing = fourFieldWing(true);
  EXPECT_EQ(mirrorField(wing, 1), 4);
  EXPECT_EQ(mirrorField(wing, 3), 2);
  wing.flapTable.setCell(kColFlapYRight, 2, "0,001");
  EXPECT_EQ(mirrorField(wing, 3), std::nullopt);
}

TEST(FlapNoWing, EveryOperationChangesNothing) {
  using Entry = std::function<void(TWing&, EditingPlatform&)>;
  const Entry entries[] = {
      [](auto& w, auto& p) { setFlap(w, p); },
      [](auto& w, auto& p) { deleteFlap(w, p); },
      [](auto& w, auto& p) { setFlapChordLeft(w, p, "30"); },
      [](auto& w, auto& p) { setFlapChordRight(w, p, "30"); },
      [](auto& w, auto& p) { setFlapGroup(w, p, "3"); },
      [](auto& w, auto& p) { setFlapGroupNumber(w, p, 3); },
      [](auto& w, auto& p) { setFlapDeflection(w, p, "3"); },
      [](auto& w, auto& p) { jumpFieldLeft(w, p); },
      [](auto& w, auto& p) { jumpFieldRight(w, p); },
  };
  for (const Entry& entry : entries) {
    TWing wing = fourFieldWing(true);
    setFlapCells(wing, 3, {"25", "25", "0", "0"});
    wing.wingPresent = false;
    wing.barPosition = 0.1L;
    const TWing before = wing;
    EditingPlatform platform(wing);
    entry(wing, platform);
    EXPECT_EQ(wing, before);
    EXPECT_TRUE(platform.messages.empty() && platform.refreshes.empty() &&
                platform.barMoves.empty());
  }
}

}  // namespace
}  // namespace velarix
