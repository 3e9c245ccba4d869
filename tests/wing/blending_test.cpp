#include "wing/blending.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "airfoil/airfoil.h"
#include "support/fake_platform.h"
#include "support/tolerance.h"
#include "wing/cell_number.h"
#include "wing/wing.h"

namespace velarix {
namespace {

using testing::FakePlatform;
using testing::near;

// A thin cambered section with thickness t and camber f at 40 % chord, given
// at the 61 standard stations (upper i < 30, lower i > 30).
std::vector<Real> section(Real thickness, Real camber) {
  std::vector<Real> y(kSectionPoints);
  for (int i = 0; i < kSectionPoints; ++i) {
    const Real x = sectionX(i);
    const Real half = 2.5L * thickness * (std::sqrt(x) - x);
    const Real mean =
        x < 0.4L ? camber / 0.16L * (0.8L * x - x * x) : camber / 0.36L * (0.2L + 0.8L * x - x * x);
    y[i] = i == 30 ? 0 : mean + (i < 30 ? half : -half);
  }
  return y;
}

struct Kink {
  Real y;
  std::string airfoil;
  std::vector<Real> ordinates;  // empty: the new wing's flat plate
};

// A wing whose kink rows are the given kinks; a kink with an airfoil of its
// own gets the zero-lift values of its section.
TWing wingWith(const std::vector<Kink>& kinks) {
  TWing wing;
  resetToNewWing(wing);
  CellTable& t = wing.kinkTable;
  t.setRowCount(static_cast<int>(kinks.size()) + 1);
  for (int r = 1; r <= static_cast<int>(kinks.size()); ++r) {
    const Kink& k = kinks[static_cast<std::size_t>(r - 1)];
    t.setNumber(kColKinkY, r, k.y);
    for (int c : {kColKinkX, kColKinkZ, kColKinkChordAngle}) t.setCell(c, r, "0");
    t.setCell(kColKinkChord, r, "0,2");
    t.setCell(kColKinkPivotPercent, r, "75");
    t.setCell(kColKinkAirfoil, r, k.airfoil);
    TAirfoil a;
    for (int i = 0; i < kSectionPoints; ++i) {
      const Real v = k.ordinates.empty() ? flatPlateOrdinate(i) : k.ordinates[i];
      t.setNumber(kColKinkSection + i, r, v);
      a.AddPoint({sectionX(i), v});
    }
    a.ComputeCharacteristics();
    t.setNumber(kColKinkAlpha0, r, a.GetCharacteristic(kSlotAlpha0));
    t.setNumber(kColKinkCm0, r, a.GetCharacteristic(kSlotCm0));
  }
  wing.halfSpan = kinks.back().y;
  wing.span = 2 * wing.halfSpan;
  return wing;
}

Real cellValue(const TWing& wing, int column, int row) {
  return parseCellNumber(wing.kinkTable.cell(column, row));
}

// K1 (airfoil), K2 and K3 (strak), K4 (airfoil) at y = 0, 1, 2, 4: the blends
// lie a quarter and a half of the way from K1 to K4, and so do their
// zero-lift values, which are linear in the ordinates.
TEST(UpdateBlendedSections, InterpolatesLinearlyInSpanBetweenTheNearestAirfoils) {
  const std::vector<Real> k1 = section(0.12L, 0.02L);
  const std::vector<Real> k4 = section(0.09L, -0.01L);
  TWing wing = wingWith({{0, "a.dat", k1}, {1, "strak", k1}, {2, "strak", k4}, {4, "b.dat", k4}});
  const TWing before = wing;
  UpdateBlendedSections(wing);
  for (int i = 0; i < kSectionPoints; ++i) {
    const Real v1 = cellValue(before, kColKinkSection + i, 1);
    const Real v4 = cellValue(before, kColKinkSection + i, 4);
    EXPECT_TRUE(near(cellValue(wing, kColKinkSection + i, 2), v1 + (v4 - v1) / 4, 0, 1.01e-6L))
        << i;
    EXPECT_TRUE(near(cellValue(wing, kColKinkSection + i, 3), v1 + (v4 - v1) / 2, 0, 1.01e-6L))
        << i;
  }
  for (int column : {kColKinkAlpha0, kColKinkCm0}) {
    const Real a1 = cellValue(before, column, 1);
    const Real a4 = cellValue(before, column, 4);
    EXPECT_TRUE(near(cellValue(wing, column, 2), a1 + (a4 - a1) / 4, 0, 2e-3L)) << column;
    EXPECT_TRUE(near(cellValue(wing, column, 3), a1 + (a4 - a1) / 2, 0, 2e-3L)) << column;
  }
  for (int row : {1, 4}) {
    for (int c = 0; c < kKinkColumns; ++c)
      EXPECT_EQ(wing.kinkTable.cell(c, row), before.kinkTable.cell(c, row));
  }
  TWing again = wing;
  UpdateBlendedSections(again);
  EXPECT_EQ(again, wing) << "a second update changes nothing";
}

// Between two kinks with the same section a blend reproduces its ordinates;
// its zero-lift values, recomputed from the six-decimal ordinates, differ
// from the kinks' (computed from the untruncated section) only by the
// truncation.
TEST(UpdateBlendedSections, BlendBetweenEqualSectionsKeepsTheSection) {
  TAirfoil smooth;
  const std::vector<Real> exact = section(0.1L, 0.03L);
  for (int i = 0; i < kSectionPoints; ++i)
    smooth.AddPoint({sectionX(i) + 1e-7L * (i % 3), exact[i] + 3e-7L});
  smooth.ComputeCharacteristics();
  TWing wing =
      wingWith({{-1, "a.dat", exact}, {0, "strak", {}}, {0.5, "strak", {}}, {1, "a.dat", exact}});
  for (int row : {1, 4}) {
    wing.kinkTable.setNumber(kColKinkAlpha0, row, smooth.GetCharacteristic(kSlotAlpha0));
    wing.kinkTable.setNumber(kColKinkCm0, row, smooth.GetCharacteristic(kSlotCm0));
  }
  UpdateBlendedSections(wing);
  for (int row : {2, 3}) {
    for (int i = 0; i < kSectionPoints; ++i) {
      EXPECT_EQ(wing.kinkTable.cell(kColKinkSection + i, row),
                wing.kinkTable.cell(kColKinkSection + i, 1));
    }
    EXPECT_TRUE(
        near(cellValue(wing, kColKinkAlpha0, row), cellValue(wing, kColKinkAlpha0, 1), 0, 1e-3L));
    EXPECT_TRUE(near(cellValue(wing, kColKinkCm0, row), cellValue(wing, kColKinkCm0, 1), 0, 3e-5L));
  }
}

// A blended tip (only a wing file makes one) has no source beyond it: it
// keeps its own ordinates, gets zero-lift values from them, and serves as the
// source of the blends next to it.
TEST(UpdateBlendedSections, BlendedTipKeepsItsOrdinatesAndIsASource) {
  const std::vector<Real> tip = section(0.08L, 0.01L);
  const std::vector<Real> root = section(0.14L, 0.03L);
  TWing wing =
      wingWith({{-1, "strak", tip}, {-0.5, "strak", {}}, {0, "r.dat", root}, {1, "strak", tip}});
  wing.kinkTable.setCell(kColKinkAlpha0, 1, "");
  wing.kinkTable.setCell(kColKinkCm0, 1, "");
  const TWing before = wing;
  UpdateBlendedSections(wing);
  for (int i = 0; i < kSectionPoints; ++i) {
    for (int row : {1, 4}) {
      EXPECT_EQ(wing.kinkTable.cell(kColKinkSection + i, row),
                before.kinkTable.cell(kColKinkSection + i, row));
    }
    const Real mid =
        (cellValue(wing, kColKinkSection + i, 1) + cellValue(wing, kColKinkSection + i, 3)) / 2;
    EXPECT_TRUE(near(cellValue(wing, kColKinkSection + i, 2), mid, 0, 1.01e-6L)) << i;
  }
  // Both tips hold the same section, so they get the same zero-lift values.
  EXPECT_NE(wing.kinkTable.cell(kColKinkAlpha0, 1), "");
  EXPECT_EQ(wing.kinkTable.cell(kColKinkAlpha0, 1), wing.kinkTable.cell(kColKinkAlpha0, 4));
  EXPECT_EQ(wing.kinkTable.cell(kColKinkCm0, 1), wing.kinkTable.cell(kColKinkCm0, 4));
}

TWing fiveKinkWing() {
  return wingWith({{-1, "t.dat", section(0.08L, 0.01L)},
                   {-0.5, "m.dat", section(0.1L, 0.02L)},
                   {0, "r.dat", section(0.12L, 0.03L)},
                   {0.5, "m.dat", section(0.1L, 0.02L)},
                   {1, "t.dat", section(0.08L, 0.01L)}});
}

TEST(MarkKinkAsBlended, AtATipShowsMessage10AndChangesNothing) {
  for (Real bar : {1.0L, -1.0L}) {
    TWing wing = fiveKinkWing();
    wing.wingPresent = true;
    wing.barPosition = bar;
    const TWing before = wing;
    FakePlatform platform;
    EXPECT_FALSE(MarkKinkAsBlended(wing, platform)) << bar;
    EXPECT_EQ(platform.messages, std::vector<int>{10});
    EXPECT_TRUE(platform.refreshes.empty());
    EXPECT_EQ(wing, before);
  }
}

TEST(MarkKinkAsBlended, MarksTheKinkAtTheBarAndWithSymmetricInputItsMirror) {
  for (bool symmetric : {true, false}) {
    TWing wing = fiveKinkWing();
    wing.wingPresent = true;
    wing.symmetricInput = symmetric;
    wing.barPosition = 0.5L;
    FakePlatform platform;
    EXPECT_TRUE(MarkKinkAsBlended(wing, platform));
    EXPECT_EQ(wing.kinkTable.cell(kColKinkAirfoil, 4), "strak");
    EXPECT_EQ(wing.kinkTable.cell(kColKinkAirfoil, 2), symmetric ? "strak" : "m.dat");
    EXPECT_FALSE(wing.wingSaved);
    EXPECT_EQ(platform.refreshes, std::vector<bool>{true});
    EXPECT_TRUE(platform.messages.empty());
    // The blend between the centre and the tip, with its zero-lift values.
    const Real expected =
        (cellValue(wing, kColKinkSection + 10, 3) + cellValue(wing, kColKinkSection + 10, 5)) / 2;
    EXPECT_TRUE(near(cellValue(wing, kColKinkSection + 10, 4), expected, 0, 1.01e-6L));
    EXPECT_NE(wing.kinkTable.cell(kColKinkAlpha0, 4), "");
    EXPECT_NE(wing.kinkTable.cell(kColKinkCm0, 4), "");
  }
}

// The tip rule holds for the tip rows themselves: on an asymmetric wing the
// mirror of the bar kink may be a tip (and halfSpan of the last recompute
// may be stale); such a tip is never marked.
TEST(MarkKinkAsBlended, NeverMarksATipRow) {
  TWing wing =
      wingWith({{-0.5, "t.dat", {}}, {0, "r.dat", {}}, {0.5, "m.dat", {}}, {1, "t.dat", {}}});
  wing.wingPresent = true;
  wing.symmetricInput = true;
  wing.barPosition = 0.5L;
  FakePlatform platform;
  EXPECT_TRUE(MarkKinkAsBlended(wing, platform));
  EXPECT_EQ(wing.kinkTable.cell(kColKinkAirfoil, 3), "strak");
  EXPECT_EQ(wing.kinkTable.cell(kColKinkAirfoil, 1), "t.dat");

  TWing stale = fiveKinkWing();
  stale.wingPresent = true;
  stale.halfSpan = 0;
  stale.barPosition = -1;
  const TWing before = stale;
  FakePlatform tipPlatform;
  EXPECT_FALSE(MarkKinkAsBlended(stale, tipPlatform));
  EXPECT_EQ(tipPlatform.messages, std::vector<int>{10});
  EXPECT_EQ(stale, before);
}

TEST(MarkKinkAsBlended, ABarOffTheKinksOrNoWingChangesNothing) {
  TWing wing = fiveKinkWing();
  wing.wingPresent = true;
  wing.barPosition = 0.25L;
  TWing before = wing;
  FakePlatform platform;
  EXPECT_FALSE(MarkKinkAsBlended(wing, platform));
  EXPECT_EQ(wing, before);
  EXPECT_TRUE(platform.refreshes.empty());
  wing.wingPresent = false;
  wing.barPosition = 0.5L;
  before = wing;
  EXPECT_FALSE(MarkKinkAsBlended(wing, platform));
  EXPECT_EQ(wing, before);
}

// The built-in 2.9 % plate of a new wing: its thickness shows in the lift
// slope and neutral point, while the zero-lift values stay 0.
TEST(StandardSection, BuiltInFlatPlateCharacteristics) {
  TWing wing;
  resetToNewWing(wing);
  TAirfoil plate;
  for (int i = 0; i < kSectionPoints; ++i) plate.AddPoint({sectionX(i), kinkSectionY(wing, 1, i)});
  plate.ComputeCharacteristics();
  const std::vector<std::string> lines = plate.CharacteristicsListing();
  EXPECT_EQ(lines[7], "Alfa_0 = 0 °");
  EXPECT_EQ(lines[8], "Cm_0.25 = 0");
  EXPECT_EQ(lines[9], "dca = 6,47351");
  EXPECT_EQ(lines[10], "xNp = 25,376364 %");
}

}  // namespace
}  // namespace velarix
