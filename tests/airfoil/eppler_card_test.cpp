// Card file of the analysis program: golden files for two whole cards and the
// fixed-column details that the program reads by position.
#include "airfoil/eppler_card.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace velarix {
namespace {

const std::string kDataDir = VELARIX_SOURCE_DIR "/tests/airfoil/data/";

// A cambered 61-point section in the standard layout: upper surface from the
// trailing edge (index 0) to the nose (index 30), lower surface back to the
// trailing edge (index 60). The lower surface dips below zero.
TAirfoil cosineSection(Real thickness, Real camber) {
  TAirfoil airfoil;
  airfoil.Name = "Test 61";
  std::vector<Real> xs;
  for (int j = 0; j < 30; ++j) xs.push_back((std::cos(j * kPi / 30) + 1) / 2);
  auto half = [&](Real x) {
    return thickness * 5 *
           (0.2969L * std::sqrt(x) - 0.126L * x - 0.3516L * x * x + 0.2843L * x * x * x -
            0.1036L * x * x * x * x);
  };
  auto mean = [&](Real x) { return camber * 4 * x * (1 - x); };
  for (const Real x : xs) airfoil.AddPoint({x, mean(x) + half(x)});
  airfoil.AddPoint({0, 0});
  for (auto it = xs.rbegin(); it != xs.rend(); ++it) airfoil.AddPoint({*it, mean(*it) - half(*it)});
  return airfoil;
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

// Compares with a golden file; VELARIX_UPDATE_GOLDEN=1 rewrites it instead
// (on purpose only, and the change is reviewed by diff).
void expectGolden(const std::vector<std::string>& lines, const std::string& name) {
  const std::string path = kDataDir + name;
  const std::string text = joinLines(lines);
  if (std::getenv("VELARIX_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << text;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing golden file " << path;
  std::stringstream golden;
  golden << in.rdbuf();
  EXPECT_EQ(text, golden.str()) << "card differs from " << path;
}

EpplerCardInputs thirtyAngleInputs() {
  EpplerCardInputs inputs;
  inputs.airfoil = cosineSection(0.12L, 0.02L);
  inputs.reynoldsNumbers = {200000, 400000};
  inputs.anglesDeg = epplerAngleSequence(-5, 0.5L, 9.5L);
  return inputs;
}

TEST(EpplerCard, ThirtyAnglesCleanMatchesGoldenFile) {
  expectGolden(epplerCardLines(thirtyAngleInputs()), "card_61_points_thirty_angles.in");
}

TEST(EpplerCard, FlapAndSoiledSurfaceMatchGoldenFile) {
  EpplerCardInputs inputs;
  inputs.airfoil = cosineSection(0.09L, 0.03L);
  inputs.airfoil.Name = "Klappe 25 %";
  inputs.flapChordPercent = 25;
  inputs.flapDeflectionDeg = -5.5L;
  inputs.roughnessCode = kRoughnessSoiled;
  inputs.reynoldsNumbers = {100000, 250000, 1000000};
  inputs.anglesDeg = {-1, 0, 1};
  expectGolden(epplerCardLines(inputs), "card_flap_soiled.in");
}

TEST(EpplerCard, SixtyOnePointsGiveFourBlocksOfEightEightEightSeven) {
  const std::vector<std::string> lines = epplerCardLines(thirtyAngleInputs());
  ASSERT_GE(lines.size(), 19u);
  EXPECT_EQ(lines[0], "FXPR");
  EXPECT_EQ(lines[1], "Test 61");
  EXPECT_EQ(lines[2], "   31   31");
  for (int block = 0; block < 4; ++block) {
    for (int row = 0; row < 4; ++row) {
      const std::string& line = lines[3 + 4 * block + row];
      EXPECT_EQ(line.size(), row < 3 ? 80u : 70u) << "block " << block << " row " << row;
    }
  }
  // Each block runs from the nose to the trailing edge.
  EXPECT_EQ(lines[3].substr(0, 10), "0.0000000 ");    // upper X at the nose
  EXPECT_EQ(lines[6].substr(60, 10), "1.0000000 ");   // upper X at the trailing edge
  EXPECT_EQ(lines[11].substr(0, 10), "0.0000000 ");   // lower X at the nose
  EXPECT_EQ(lines[18].substr(60, 10), "0.0000000 ");  // lower Y at the trailing edge
}

TEST(EpplerCard, PointCountsFollowTheLastNosePoint) {
  // A chain with two points at X = 0: the upper surface ends at the last.
  TAirfoil airfoil;
  for (const TCoord p :
       std::vector<TCoord>{{1, 0}, {0.5L, 0.05L}, {0, 0.01L}, {0, 0}, {0.5L, -0.04L}, {1, 0}}) {
    airfoil.AddPoint(p);
  }
  const std::vector<std::string> lines = epplerCoordinateLines(airfoil);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "   4   3");
  EXPECT_EQ(lines[1], "0.0000000 0.0000000 0.5000000 1.0000000 ");
  EXPECT_EQ(lines[2], "0.0000000 0.0100000 0.0500000 0.0000000 ");
  EXPECT_EQ(lines[3], "0.0000000 0.5000000 1.0000000 ");
  EXPECT_EQ(lines[4], "0.0000000 -.0400000 0.0000000 ");
}

TEST(EpplerCard, CoordinateTexts) {
  struct Case {
    Real value;
    bool ordinate;
    const char* text;
  };
  const Case cases[] = {
      {-0.0012345L, true, "-.0012345 "},  // leading zero dropped, still ten columns
      {0.0012345L, true, "0.0012345 "},
      {-0.0012345L, false, "-0.0012345 "},  // chord positions keep it
      {-1e-16L, true, "0.0000000 "},        // smoothing noise at a sharp trailing edge
      {-0.00000004L, true, "-.0000000 "},   // a real negative value that rounds to zero
      {0.123456789L, true, "0.1234568 "},
      {1, false, "1.0000000 "},
      {-1.25L, true, "-1.2500000 "},  // no "-0" to drop
  };
  for (const Case& c : cases) {
    EXPECT_EQ(epplerCoordinateText(c.value, c.ordinate), c.text) << "value " << double(c.value);
  }
}

TEST(EpplerCard, ThirtyAnglesGiveThreeCardsEachFollowedByTheReynoldsCard) {
  const std::vector<std::string> lines = epplerCardLines(thirtyAngleInputs());
  const std::string reynoldsCard = "RE  110    0000  200 0000  400";
  std::vector<std::string> cards(lines.begin() + 19, lines.end());
  ASSERT_EQ(cards.size(), 7u);
  EXPECT_EQ(cards[0].substr(0, 10), "ALFA  1 14");
  EXPECT_EQ(cards[0].size(), 10u + 14 * 5);
  EXPECT_EQ(cards[0].substr(10, 10), " -500 -450");
  EXPECT_EQ(cards[1], reynoldsCard);
  EXPECT_EQ(cards[2].substr(0, 10), "ALFA  1 14");
  EXPECT_EQ(cards[3], reynoldsCard);
  EXPECT_EQ(cards[4], "ALFA  1  2  900  950");
  EXPECT_EQ(cards[5], reynoldsCard);
  EXPECT_EQ(cards[6], "ENDE");
}

TEST(EpplerCard, ReynoldsCards) {
  EXPECT_EQ(epplerReynoldsCard(kRoughnessSoiled, {100000}), "RE  110    5000  100");
  EXPECT_EQ(epplerReynoldsCard(kRoughnessClean, {200000}), "RE  110    0000  200");
  EXPECT_EQ(epplerReynoldsCard(kRoughnessHeavyIcing, {60000, 1500000}),
            "RE  110    9000   60 9000 1500");
}

TEST(EpplerCard, FlapCardCarriesTheCamberAtTheHinge) {
  // 25 % flap deflected 10 degrees on a symmetric section.
  EXPECT_EQ(epplerFlapCard(cosineSection(0.12L, 0), 25, 10), "FLAP       2500    0  400 1000");
  // Five points: at the hinge x = 0.75 the upper surface is at 0.025, the
  // lower at -0.015, so the camber ordinate is 0.005 -> 50.
  TAirfoil airfoil;
  for (const TCoord p :
       std::vector<TCoord>{{1, 0}, {0.5L, 0.05L}, {0, 0}, {0.5L, -0.03L}, {1, 0}}) {
    airfoil.AddPoint(p);
  }
  EXPECT_EQ(epplerFlapCard(airfoil, 25, -7.5L), "FLAP       2500   50  400 -750");
}

TEST(EpplerCard, NoFlapCardWithoutDeflection) {
  EpplerCardInputs inputs = thirtyAngleInputs();
  inputs.flapChordPercent = 25;
  inputs.flapDeflectionDeg = 0;
  for (const std::string& line : epplerCardLines(inputs)) {
    EXPECT_NE(line.substr(0, 4), "FLAP");
  }
  inputs.flapDeflectionDeg = 10;
  EXPECT_EQ(epplerCardLines(inputs)[19].substr(0, 4), "FLAP");
}

TEST(EpplerCard, AngleSequenceByRepeatedAddition) {
  const std::vector<Real> angles = epplerAngleSequence(-10, 0.08L, 10);
  EXPECT_EQ(angles.size(), 251u);
  Real sum = -10;
  for (int i = 1; i < 251; ++i) sum += 0.08L;
  EXPECT_EQ(angles.back(), sum);
  EXPECT_EQ(epplerAngleSequence(-10, 1, 10).size(), 21u);
  EXPECT_EQ(epplerAngleSequence(0, 0, 5).size(), 255u);  // a step of 0 stops at 255
  EXPECT_TRUE(epplerAngleSequence(3, 1, 2).empty());
}

TEST(EpplerCard, InputsThatCannotBeWrittenAreRefused) {
  struct Case {
    const char* what;
    void (*change)(EpplerCardInputs&);
  };
  const Case cases[] = {
      {"no nose point",
       [](EpplerCardInputs& in) {
         TAirfoil a;
         a.AddPoint({1, 0});
         a.AddPoint({0.5L, 0.1L});
         a.AddPoint({1, 0});
         in.airfoil = a;
       }},
      {"no Reynolds number", [](EpplerCardInputs& in) { in.reynoldsNumbers.clear(); }},
      {"six Reynolds numbers", [](EpplerCardInputs& in) { in.reynoldsNumbers.assign(6, 100000); }},
      {"Reynolds number below 1000", [](EpplerCardInputs& in) { in.reynoldsNumbers = {999}; }},
      {"no angle", [](EpplerCardInputs& in) { in.anglesDeg.clear(); }},
      {"256 angles", [](EpplerCardInputs& in) { in.anglesDeg.assign(256, 1); }},
      {"roughness code 3", [](EpplerCardInputs& in) { in.roughnessCode = 3; }},
      {"ordinate not a number",
       [](EpplerCardInputs& in) {
         TAirfoil a = in.airfoil;
         a.Clear();
         for (TCoord p : in.airfoil.points()) {
           if (p.X == 1) p.Y = std::numeric_limits<Real>::quiet_NaN();
           a.AddPoint(p);
         }
         in.airfoil = a;
       }},
      {"infinite angle",
       [](EpplerCardInputs& in) { in.anglesDeg[3] = std::numeric_limits<Real>::infinity(); }},
  };
  for (const Case& c : cases) {
    EpplerCardInputs inputs = thirtyAngleInputs();
    c.change(inputs);
    EXPECT_THROW(epplerCardLines(inputs), EpplerCardError) << c.what;
  }
}

TEST(EpplerCard, NameWithAStrayLineBreakStaysOneLine) {
  EpplerCardInputs inputs = thirtyAngleInputs();
  inputs.airfoil.Name = "E 387\r";
  const std::vector<std::string> lines = epplerCardLines(inputs);
  EXPECT_EQ(lines[1], "E 387 ");
  EXPECT_EQ(lines[2], "   31   31");
}

}  // namespace
}  // namespace velarix
