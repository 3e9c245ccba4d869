#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "airfoil/airfoil.h"
#include "airfoil_test_support.h"
#include "support/tolerance.h"
#include "wing/cell_number.h"

namespace velarix {
namespace {

using testing::chain;
using testing::near;

TEST(AirfoilPoints, OutOfRangeSlotsAndIndicesAreHarmless) {
  TAirfoil a = chain({{1, 0}, {0, 0}, {1, 0}});
  EXPECT_FALSE(a.GetPoint(3).has_value());
  EXPECT_FALSE(a.GetPoint(65535).has_value());
  EXPECT_EQ(a.GetPoint(2), (TCoord{1, 0}));
  a.SetCharacteristic(3, 7);
  a.SetCharacteristic(10, 5);
  a.SetCharacteristic(-1, 5);
  EXPECT_EQ(a.GetCharacteristic(10), 0);
  EXPECT_EQ(a.GetCharacteristic(-1), 0);
  EXPECT_EQ(a.GetCharacteristic(3), 7);
  EXPECT_THROW(a.InsertPoint(4, {}), std::out_of_range);
}

TEST(LeadingEdgePoint, InsertedOnlyWhereTheChainTurnsWithoutAnExactNose) {
  struct Case {
    const char* what;
    TAirfoil in;
    int insertedAt;  // -1: unchanged
  };
  const Case cases[] = {
      {"own nose point", chain({{1, 0}, {0.5L, 0.05L}, {0, 0}, {0.5L, -0.05L}, {1, 0}}), -1},
      {"nose between points",
       chain({{1, 0}, {0.5L, 0.05L}, {0.001L, 0.004L}, {0.002L, -0.003L}, {0.5L, -0.05L}, {1, 0}}),
       3},
      {"nose point off the chord, neighbours at equal x",
       chain({{1, 0}, {0.001L, 0.003L}, {0, 0.0001L}, {0.001L, -0.003L}, {1, 0}}), 2},
      {"empty chain", TAirfoil{}, 0},
      {"one point", chain({{1, 0}}), 1},
      {"two points", chain({{1, 0.1L}, {1, -0.1L}}), 1},
      {"no turn", chain({{1, 0}, {0.5L, 0}, {0.2L, 0.1L}}), 2},
  };
  for (const Case& c : cases) {
    TAirfoil a = c.in;
    a.EnsureLeadingEdgePoint();
    if (c.insertedAt < 0) {
      EXPECT_EQ(a, c.in) << c.what;
      continue;
    }
    ASSERT_EQ(a.Count(), c.in.Count() + 1) << c.what;
    EXPECT_EQ(a.point(c.insertedAt), (TCoord{0, 0})) << c.what;
  }
}

TEST(Subdivide, AddsEvenlySpacedPointsOnEverySegment) {
  const TAirfoil a = chain({{1, 0}, {0, 0.1L}, {1, -0.2L}});
  const TAirfoil s = a.Subdivide(4);
  ASSERT_EQ(s.Count(), 9);
  EXPECT_EQ(s.point(1), (TCoord{0.75L, 0.025L}));
  EXPECT_EQ(s.point(4), (TCoord{0, 0.1L}));
  EXPECT_EQ(s.point(8), (TCoord{1, -0.2L}));
  EXPECT_EQ(a.Count(), 3) << "the source is unchanged";
  EXPECT_THROW(a.Subdivide(0), std::invalid_argument);
  EXPECT_EQ(TAirfoil{}.Subdivide(3).Count(), 0);
}

// The B-spline of 201 points with 5 steps: 1000 points, stretched back onto
// the chord so that the smallest x is 0, while a point at x = 1 stays there.
TEST(SmoothBSpline, FiveStepsOn201PointsGive1000PointsOnTheChord) {
  TAirfoil a;
  // Three points on the trailing edge, so that the spline has one at x = 1.
  a.AddPoint({1, 0});
  a.AddPoint({1, 0});
  for (int i = 1; i <= 197; ++i) {
    const Real x = std::fabs(1 - i / 98.5L);
    a.AddPoint({x, (i < 99 ? 0.06L : -0.04L) * std::sqrt(x) * (1 - x)});
  }
  a.AddPoint({1, 0});
  a.AddPoint({1, 0});
  ASSERT_EQ(a.Count(), 201);
  const TAirfoil s = a.SmoothBSpline(5);
  ASSERT_EQ(s.Count(), 1000);
  const auto& p = s.points();
  const auto minX =
      std::min_element(p.begin(), p.end(), [](auto& l, auto& r) { return l.X < r.X; });
  EXPECT_EQ(minX->X, 0);
  EXPECT_EQ(p.front().X, 1);
  EXPECT_THROW(a.SmoothBSpline(0), std::invalid_argument);
  EXPECT_EQ(chain({{1, 0}}).SmoothBSpline(3).Count(), 0);
}

Real standardStation(int i) {
  const int k = i <= 30 ? i : 60 - i;
  return roundToDecimals((1 + std::cos(k * 6 * kPi / 180)) / 2, 5);
}

TEST(ResampleCosine, SixtyAndSixtyOneBothGive61PointsAtTheCosineStations) {
  const TAirfoil a = testing::nacaFourDigit(0.02L, 0.4L, 0.12L, 40);
  for (int count : {60, 61}) {
    const TAirfoil r = a.ResampleCosine(count);
    ASSERT_EQ(r.Count(), 61) << count;
    EXPECT_EQ(r.point(30), (TCoord{0, 0}));
    EXPECT_EQ(r.point(0).X, 1);
    EXPECT_EQ(r.point(60).X, 1);
    for (int i = 0; i < 61; ++i) {
      EXPECT_TRUE(near(r.point(i).X, standardStation(i), 0, 5e-6L)) << i;
      if (i != 30) {
        EXPECT_TRUE(near(r.point(i).Y, a.OrdinateAt(i < 30, r.point(i).X), 0, 1e-15L)) << i;
      }
    }
  }
  EXPECT_EQ(a.ResampleCosine(100).Count(), 101);
}

// Chains that do not reach the stations (a short lower surface, a surface
// ending before the trailing edge) and degenerate chains: the cursors stay
// inside the chain and extrapolate from the end pairs.
TEST(ResampleCosine, CursorsStayInsideShortAndDegenerateChains) {
  const TAirfoil shortLower = chain({{1, 0}, {0.5L, 0.05L}, {0, 0}, {0.3L, -0.03L}});
  const TAirfoil r = shortLower.ResampleCosine(60);
  ASSERT_EQ(r.Count(), 61);
  EXPECT_TRUE(near(r.point(60).Y, -0.1L, 0, 1e-15L)) << "extrapolated from (0,0)-(0.3L,-0.03L)";
  for (const TAirfoil& degenerate : {TAirfoil{}, chain({{0.5L, 0.1L}}), chain({{1, 0}, {1, 0}}),
                                     chain({{0, 0}, {0, 0}, {0, 0}})}) {
    for (const TAirfoil& d : {degenerate.ResampleCosine(60), degenerate.SmoothForWing(60)}) {
      EXPECT_EQ(d.Count(), 61);
      for (const TCoord& p : d.points()) EXPECT_TRUE(std::isfinite(p.Y));
    }
  }
}

TEST(OrdinateAt, InterpolatesEachSurfaceAndExtrapolatesBeyondIt) {
  const TAirfoil a = chain({{1, 0.01L}, {0.5L, 0.06L}, {0, 0}, {0.5L, -0.04L}, {1, -0.01L}});
  EXPECT_TRUE(near(a.OrdinateAt(true, 0.75L), 0.035L, 0, 1e-17L));
  EXPECT_TRUE(near(a.OrdinateAt(false, 0.25L), -0.02L, 0, 1e-17L));
  EXPECT_TRUE(near(a.OrdinateAt(true, 1.5L), -0.04L, 0, 1e-17L));
  EXPECT_TRUE(near(a.OrdinateAt(false, 1.5L), 0.02L, 0, 1e-17L));
  // Neighbours with equal x give the ordinate of the first, not a division
  // by zero.
  const TAirfoil vertical = chain({{1, 0.02L}, {1, 0.01L}, {0, 0}, {1, -0.01L}});
  EXPECT_EQ(vertical.OrdinateAt(true, 1), 0.02L);
  EXPECT_EQ(chain({{0.3L, 0.2L}}).OrdinateAt(true, 0.5L), 0.2L);
  EXPECT_EQ(TAirfoil{}.OrdinateAt(false, 0.5L), 0);
}

struct ShapeFigure {
  std::string file;
  Real maxDifference;  // fraction of the chord
};

// Largest ordinate difference between a standard section and the surface of
// the airfoil it was made from, over the 60 section points off the nose.
Real largestOrdinateDifference(const TAirfoil& section, const TAirfoil& raw) {
  Real largest = 0;
  for (int i = 0; i < section.Count(); ++i) {
    if (i == 30) continue;
    const TCoord& p = section.point(i);
    largest = std::max(largest, std::fabs(p.Y - raw.OrdinateAt(i < 30, p.X)));
  }
  return largest;
}

void expectStandardSection(const TAirfoil& s, const std::string& what) {
  ASSERT_EQ(s.Count(), 61) << what;
  EXPECT_EQ(s.point(30), (TCoord{0, 0})) << what;
  for (int i = 0; i < 61; ++i) {
    EXPECT_EQ(roundToDecimals(s.point(i).X, 5), standardStation(i)) << what << " point " << i;
  }
}

TEST(SmoothForWing, EverySharedAirfoilBecomesAStandardSectionOfTheSameShape) {
  VELARIX_REQUIRE_SHARED_AIRFOILS();
  std::vector<ShapeFigure> figures;
  for (const auto& entry : std::filesystem::directory_iterator(testing::sharedAirfoilDirectory())) {
    if (entry.path().extension() != ".dat") continue;
    TAirfoil raw;
    raw.LoadFromFile(entry.path());
    TAirfoil source = raw;
    source.EnsureLeadingEdgePoint();
    const TAirfoil section = source.SmoothForWing(60);
    const std::string file = entry.path().filename().string();
    expectStandardSection(section, file);
    EXPECT_EQ(section.Name, raw.Name);
    const Real difference = largestOrdinateDifference(section, raw);
    EXPECT_LT(difference, 0.002L) << file;
    figures.push_back({file, difference});
  }
  EXPECT_GE(figures.size(), 9u);
  std::sort(figures.begin(), figures.end(), [](auto& l, auto& r) { return l.file < r.file; });
  for (const ShapeFigure& f : figures) {
    std::printf("[ shape    ] %-13s largest ordinate difference %.4Lf %% of chord\n",
                f.file.c_str(), 100 * f.maxDifference);
  }
}

// More points than the spline step of 1000/N can serve: the step stays 1 and
// the working array grows.
TEST(SmoothForWing, LongChainsStillGiveTheStandardSection) {
  const TAirfoil dense = testing::nacaFourDigit(0, 0.4L, 0.12L, 1200);
  ASSERT_EQ(dense.Count(), 2401);
  const TAirfoil section = dense.SmoothForWing(60);
  expectStandardSection(section, "2401 points");
  EXPECT_LT(largestOrdinateDifference(section, dense), 0.002L);
  EXPECT_TRUE(near(section.GetCharacteristic(kSlotThickness), 12, 0.01L));
}

}  // namespace
}  // namespace velarix
