#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "airfoil/airfoil.h"
#include "airfoil_test_support.h"
#include "support/tolerance.h"
#include "wing/cell_number.h"

namespace velarix {
namespace {

using testing::chain;
using testing::near;

// Thin-airfoil theory for a mean line y_c(x), x = (1 - cos(theta))/2:
//   alpha0 = -(1/pi) Int_0^pi dyc/dx (cos(theta) - 1) dtheta,
//   A_n = (2/pi) Int_0^pi dyc/dx cos(n theta) dtheta,  cm_c/4 = pi/4 (A2 - A1).
// Source: Anderson, Fundamentals of Aerodynamics, sec. 4.8L.
struct ThinAirfoilResult {
  Real alpha0Deg;
  Real cmQuarterChord;
};
ThinAirfoilResult thinAirfoilTheory(Real m, Real p) {
  const int intervals = 20000;
  const Real h = kPi / intervals;
  Real alpha0 = 0, a1 = 0, a2 = 0;
  for (int k = 0; k < intervals; ++k) {
    const Real theta = (k + 0.5L) * h;
    const Real slope = testing::nacaCamberSlope(m, p, (1 - std::cos(theta)) / 2);
    alpha0 += slope * (std::cos(theta) - 1) * h;
    a1 += slope * std::cos(theta) * h;
    a2 += slope * std::cos(2 * theta) * h;
  }
  return {-alpha0 / kPi * 180 / kPi, kPi / 4 * (2 / kPi) * (a2 - a1)};
}

TEST(Characteristics, FlatPlateOfZeroThicknessGivesTwoPiAndAQuarterChord) {
  TAirfoil plate = chain({{1, 0}, {0.5L, 0}, {0, 0}, {0.5L, 0}, {1, 0}});
  plate.ComputeCharacteristics();
  for (int slot : {0, 1, 2, 3, 4, 5, 8, 9}) EXPECT_EQ(plate.GetCharacteristic(slot), 0) << slot;
  EXPECT_EQ(plate.GetCharacteristic(kSlotLiftSlope), 2 * kPi);
  EXPECT_EQ(plate.GetCharacteristic(kSlotNeutralPoint), 25);
}

TEST(Characteristics, SymmetricSectionHasNoCamberAndItsThickness) {
  TAirfoil a = testing::nacaFourDigit(0, 0.4L, 0.12L, 60);
  a.ComputeCharacteristics();
  for (int slot : {kSlotCamber, kSlotAlpha0, kSlotCm0, kSlotAlphaE, kSlotCaE}) {
    EXPECT_TRUE(near(a.GetCharacteristic(slot), 0, 0, 1e-15L)) << slot;
  }
  Real thickest = 0;
  Real at = 0;
  for (int j = 0; j < 60; ++j) {
    if (2 * a.point(j).Y > thickest) thickest = 2 * a.point(j).Y, at = a.point(j).X;
  }
  EXPECT_TRUE(near(a.GetCharacteristic(kSlotThickness), 100 * thickest, 1e-15L));
  EXPECT_TRUE(near(a.GetCharacteristic(kSlotThicknessPosition), 100 * at, 1e-15L));
  EXPECT_TRUE(near(a.GetCharacteristic(kSlotThickness), 12, 0.01L));
}

// The 11-station quadrature against thin-airfoil theory of the NACA mean
// line, on the section from the equations and on its standard section.
TEST(Characteristics, Naca2412And4412AgreeWithThinAirfoilTheory) {
  struct Case {
    const char* name;
    Real m, p;
  };
  for (const Case& c : {Case{"NACA 2412", 0.02L, 0.4L}, Case{"NACA 4412", 0.04L, 0.4L}}) {
    const ThinAirfoilResult theory = thinAirfoilTheory(c.m, c.p);
    TAirfoil raw = testing::nacaFourDigit(c.m, c.p, 0.12L, 100);
    raw.ComputeCharacteristics();
    const TAirfoil section = raw.SmoothForWing(60);
    for (const TAirfoil* a : std::vector<const TAirfoil*>{&raw, &section}) {
      const Real alpha0 = a->GetCharacteristic(kSlotAlpha0);
      const Real cm0 = a->GetCharacteristic(kSlotCm0);
      EXPECT_TRUE(near(alpha0, theory.alpha0Deg, 0, 0.3L)) << c.name;
      EXPECT_TRUE(near(cm0, theory.cmQuarterChord, 0, 0.01L)) << c.name;
      std::printf(
          "[ naca     ] %s %-8s Alfa_0 %.4Lf deg (theory %.4Lf), Cm_0.25 %.5Lf (theory %.5Lf)\n",
          c.name, a == &raw ? "raw" : "section", alpha0, theory.alpha0Deg, cm0,
          theory.cmQuarterChord);
    }
    EXPECT_TRUE(near(raw.GetCharacteristic(kSlotCamber), 100 * c.m, 0.001L));
    EXPECT_TRUE(near(raw.GetCharacteristic(kSlotCamberPosition), 100 * c.p, 0.03L));
  }
}

TEST(Characteristics, TiesKeepThePointNearerTheTrailingEdge) {
  // Two upper points with the same thickness 0.1 at x = 0.6 and 0.3.
  TAirfoil a =
      chain({{1, 0}, {0.6L, 0.05L}, {0.3L, 0.05L}, {0, 0}, {0.3L, -0.05L}, {0.6L, -0.05L}, {1, 0}});
  a.ComputeCharacteristics();
  EXPECT_TRUE(near(a.GetCharacteristic(kSlotThickness), 10, 1e-15L));
  EXPECT_TRUE(near(a.GetCharacteristic(kSlotThicknessPosition), 60, 1e-15L));
}

TEST(Characteristics, NegativeCamberKeepsItsSignAndPosition) {
  // Mean line -0.01 at 0.6, +0.005 at 0.3: the larger magnitude wins.
  TAirfoil a = chain(
      {{1, 0}, {0.6L, 0.03L}, {0.3L, 0.045L}, {0, 0}, {0.3L, -0.035L}, {0.6L, -0.05L}, {1, 0}});
  a.ComputeCharacteristics();
  EXPECT_TRUE(near(a.GetCharacteristic(kSlotCamber), -1, 1e-15L));
  EXPECT_TRUE(near(a.GetCharacteristic(kSlotCamberPosition), 60, 1e-15L));
}

// A repeated upper point does not end the upper surface early: the
// characteristics are those of the chain without the repetition.
TEST(Characteristics, NeighboursWithEqualXDoNotCutTheUpperSurface) {
  TAirfoil plain = testing::nacaFourDigit(0.02L, 0.4L, 0.12L, 30);
  TAirfoil repeated = plain;
  repeated.InsertPoint(10, plain.point(10));
  plain.ComputeCharacteristics();
  repeated.ComputeCharacteristics();
  for (int slot = 0; slot < kCharacteristicCount; ++slot) {
    EXPECT_EQ(repeated.GetCharacteristic(slot), plain.GetCharacteristic(slot)) << slot;
  }
}

// Surfaces that do not reach the outer stations are extrapolated from their
// end pairs; the cursors never leave the chain.
TEST(Characteristics, ChainsShorterThanTheStationsStayFinite) {
  const std::vector<TAirfoil> chains = {
      chain({{0.5L, 0.01L}, {0.3L, 0.02L}, {0.2L, 0}, {0.3L, -0.02L}, {0.5L, -0.01L}}),
      chain({{1, 0}, {0.5L, 0.05L}, {0.4L, 0.01L}}),
      chain({{0, 0}, {0.5L, 0.05L}, {1, 0}}),
      chain({{1, 0}, {1, 0}, {1, 0}}),
  };
  for (TAirfoil a : chains) {
    a.ComputeCharacteristics();
    for (int slot = 0; slot < kCharacteristicCount; ++slot) {
      EXPECT_TRUE(std::isfinite(a.GetCharacteristic(slot))) << slot;
    }
  }
}

TEST(Characteristics, FewerThanThreePointsOrNonFiniteResultsAreRefused) {
  TAirfoil a = chain({{1, 0}, {0, 0}});
  a.Name = "kurz";
  a.SetCharacteristic(0, 3);
  EXPECT_THROW(a.ComputeCharacteristics(), AirfoilGeometryError);
  EXPECT_EQ(a.GetCharacteristic(0), 3) << "slots unchanged";
  TAirfoil infinite = chain({{1, 0}, {0.5L, INFINITY}, {0, 0}, {0.5L, 0}, {1, 0}});
  EXPECT_THROW(infinite.ComputeCharacteristics(), AirfoilGeometryError);
}

TEST(CharacteristicsListing, ThirteenLinesWithLabelsValuesAndUnits) {
  TAirfoil a = testing::nacaFourDigit(0.02L, 0.4L, 0.12L, 40).ResampleCosine(60);
  a.Name = "P12";
  const std::vector<std::string> lines = a.CharacteristicsListing();
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[0], "P12");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "Anzahl Koordinaten = 61");
  EXPECT_EQ(lines[12], "Ca_e = " + formatCellNumber(a.GetCharacteristic(kSlotCaE)));
  TAirfoil plate = chain({{1, 0}, {0, 0}, {1, 0}});
  plate.Name = "Platte";
  plate.ComputeCharacteristics();
  const std::vector<std::string> plateLines = plate.CharacteristicsListing();
  const std::vector<std::string> expected = {"Platte",
                                             "",
                                             "Anzahl Koordinaten = 3",
                                             "d = 0 %",
                                             "xd = 0 %",
                                             "f = 0 %",
                                             "xf = 0 %",
                                             "Alfa_0 = 0 °",
                                             "Cm_0.25 = 0",
                                             "dca = 6,283185",
                                             "xNp = 25 %",
                                             "Alfa_e = 0 °",
                                             "Ca_e = 0"};
  EXPECT_EQ(plateLines, expected);
}

}  // namespace
}  // namespace velarix
