#include "graphics/planform_drawing.h"
#include "graphics/airfoil_preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include "graphics/recording_canvas.h"
#include "support/example_wing.h"
#include "wing/cell_number.h"

namespace velarix {
namespace {

using testing::RecordingCanvas;

constexpr int kW = kDrawingAreaWidth;
constexpr int kH = kDrawingAreaHeight;

// Hand-checkable mapping: 100 pixels per metre, root leading edge at (440, 30).
constexpr DrawingMapping kMapping{100.0L, 440, 30};

struct Fixture {
  TWing wing;
  TSpanDistribution distribution;
  DrawingInputs inputs() const {
    return DrawingInputs{.wing = wing, .distribution = distribution, .mapping = kMapping};
  }
};

// Kinks at -1, 0, 1 (or without the centre kink), unit chords, one flap row
// per interval.
TWing threeKinkWing(const char* middleY) {
  return testing::makeWing({{"-1", "0,5", "0,6"}, {middleY, "0", "1"}, {"1", "0,5", "0,6"}},
                           {{"0", "0", "0"}, {"0", "0", "0"}});
}

std::vector<RecordingCanvas::Segment> chordLines(const RecordingCanvas& c) {
  std::vector<RecordingCanvas::Segment> out;
  for (const auto& s : c.segments()) {
    if (s.from.x == s.to.x) out.push_back(s);
  }
  return out;
}

TEST(Planform, CentreChordIsDashDotOnlyWithAKinkAtTheCentre) {
  struct Case {
    const char* middleY;
    std::vector<PenStyle> chordStyles;  // left tip, middle, right tip
  };
  for (const Case& c : {Case{"0", {PenStyle::Solid, PenStyle::DashDot, PenStyle::Solid}},
                        Case{"0,2", {PenStyle::Solid, PenStyle::Solid, PenStyle::Solid}}}) {
    SCOPED_TRACE(c.middleY);
    Fixture f{threeKinkWing(c.middleY), {}};
    RecordingCanvas canvas(kW, kH);
    drawPlanform(canvas, f.inputs());
    const auto chords = chordLines(canvas);
    ASSERT_EQ(chords.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(chords[i].pen.style, c.chordStyles[i]) << i;
    // Left tip chord from (y, x) = (-1, 0.5) to (-1, 1.1).
    EXPECT_EQ(chords[0].from, (Point{340, 80}));
    EXPECT_EQ(chords[0].to, (Point{340, 140}));
  }
}

TEST(Planform, EdgesAndQuarterChordLineOfOneSegment) {
  Fixture f{threeKinkWing("0"), {}};
  RecordingCanvas canvas(kW, kH);
  drawPlanform(canvas, f.inputs());
  // Segment 1: chord, leading edge, quarter-chord line, trailing edge.
  const auto& s = canvas.segments();
  ASSERT_GE(s.size(), 4u);
  EXPECT_EQ(s[1].from, (Point{340, 80}));
  EXPECT_EQ(s[1].to, (Point{440, 30}));
  EXPECT_EQ(s[1].pen.style, PenStyle::Solid);
  EXPECT_EQ(s[2].from, (Point{340, 95}));  // 0.5 + 0.25*0.6 = 0.65
  EXPECT_EQ(s[2].to, (Point{440, 55}));
  EXPECT_EQ(s[2].pen.style, PenStyle::Dot);
  EXPECT_EQ(s[3].from, (Point{340, 140}));
  EXPECT_EQ(s[3].to, (Point{440, 130}));
  for (const auto& seg : s) {
    EXPECT_EQ(seg.pen.colour, colours::kBlack);
    EXPECT_EQ(seg.pen.mode, PenMode::Copy);
  }
}

TEST(Planform, FlapsAreQuadrilateralsInTheirGroupColour) {
  struct Case {
    const char* name;
    testing::FlapRowText flap;
    std::string expected;  // "" = no flap drawn
  };
  const Case cases[] = {
      {"both ends",
       {"50", "25", "3"},
       "polygon 340,110 440,105 440,130 340,140 pen #000000 solid w1 copy brush #102030"},
      {"zero at the right end: two corners coincide",
       {"50", "0", "3"},
       "polygon 340,110 440,130 440,130 340,140 pen #000000 solid w1 copy brush #102030"},
      {"zero at both ends: no flap", {"0", "0", "3"}, ""},
      {"group outside 0..99 is drawn white",
       {"50", "25", "140"},
       "polygon 340,110 440,105 440,130 340,140 pen #000000 solid w1 copy brush #ffffff"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f{testing::makeWing({{"-1", "0,5", "0,6"}, {"0", "0", "1"}}, {c.flap}), {}};
    DrawingInputs in = f.inputs();
    in.groupColours[3] = Colour{0x10, 0x20, 0x30};
    RecordingCanvas canvas(kW, kH);
    canvas.setBrushColor(colours::kGrey);
    drawPlanform(canvas, in);
    const auto polygons = canvas.linesStartingWith("polygon");
    if (c.expected.empty()) {
      EXPECT_TRUE(polygons.empty());
    } else {
      ASSERT_EQ(polygons.size(), 1u);
      EXPECT_EQ(polygons[0], c.expected);
    }
    EXPECT_EQ(canvas.brushColor(), colours::kGrey) << "the brush is restored";
  }
}

TEST(Planform, NothingWithoutAWingAndRowsThatAreNoNumbersAreLeftOut) {
  Fixture f{threeKinkWing("0"), {}};
  f.wing.wingPresent = false;
  RecordingCanvas canvas(kW, kH);
  drawPlanform(canvas, f.inputs());
  EXPECT_TRUE(canvas.lines().empty());

  f.wing.wingPresent = true;
  f.wing.kinkTable.setCell(kColKinkX, 3, "abc");
  drawPlanform(canvas, f.inputs());
  // Only segment 1 (four lines) remains; the last chord line is unreadable.
  EXPECT_EQ(canvas.segments().size(), 4u);
}

TEST(Planform, HugeScaleClampsPixelsInsteadOfOverflowing) {
  Fixture f{threeKinkWing("0"), {}};
  DrawingInputs in = f.inputs();
  in.mapping = {1e30L, 440, 30};
  RecordingCanvas canvas(kW, kH);
  drawPlanform(canvas, in);
  for (const auto& s : canvas.segments()) {
    for (Point p : {s.from, s.to}) {
      EXPECT_LE(std::abs(p.x), kPixelLimit);
      EXPECT_LE(std::abs(p.y), kPixelLimit);
    }
  }
  EXPECT_EQ(toPixel(std::nanl("")), 0);
  EXPECT_EQ(toPixel(-1e300L), -kPixelLimit);
  EXPECT_EQ(toPixel(2.5L), 2);  // halves to even
  EXPECT_EQ(toPixel(3.5L), 4);
}

TEST(NeutralPointMark, LabelSideAndDirection) {
  struct Case {
    const char* name;
    Real xc, xe, xn, xd;
    NeutralPoint point;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"XC equal to XE: up, right",
       0.2L,
       0.2L,
       0,
       0,
       NeutralPoint::XC,
       {"ellipse 435,45 445,55 pen #000000 solid w1 copy brush #ffffff",
        "line 432,50 448,50 pen #000000 solid w1 copy",
        "line 445,50 460,30 pen #000000 solid w1 copy", "text 462,25 \"XC\" #000000"}},
      {"XE equal to XC: up as well",
       0.2L,
       0.2L,
       0,
       0,
       NeutralPoint::XE,
       {"ellipse 435,45 445,55 pen #000000 solid w1 copy brush #ffffff",
        "line 432,50 448,50 pen #000000 solid w1 copy",
        "line 445,50 460,30 pen #000000 solid w1 copy", "text 462,25 \"XE\" #000000"}},
      {"XN ahead of XD: up, left",
       0,
       0,
       0.2L,
       0.3L,
       NeutralPoint::XN,
       {"ellipse 435,45 445,55 pen #000000 solid w1 copy brush #ffffff",
        "line 432,50 448,50 pen #000000 solid w1 copy",
        "line 435,50 420,30 pen #000000 solid w1 copy", "text 418,25 \"XN\" #000000"}},
      {"XD behind XN: down, left",
       0,
       0,
       0.2L,
       0.3L,
       NeutralPoint::XD,
       {"ellipse 435,55 445,65 pen #000000 solid w1 copy brush #ffffff",
        "line 432,60 448,60 pen #000000 solid w1 copy",
        "line 435,60 420,80 pen #000000 solid w1 copy", "text 418,80 \"XD\" #000000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f{threeKinkWing("0"), {}};
    DrawingInputs in = f.inputs();
    in.xc = c.xc;
    in.xe = c.xe;
    in.xn = c.xn;
    in.xd = c.xd;
    RecordingCanvas canvas(kW, kH);
    drawNeutralPointMark(canvas, in, c.point);
    EXPECT_EQ(canvas.lines(), c.expected);
  }
}

TEST(RotationIcons, SignOfTheCoefficientsRoundedToFiveDecimals) {
  struct Case {
    Real roll, yaw;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {0.000004L, -0.000004L, {}},
      {-0.000006L, 0.00001L, {"bitmap 309,114 rollLeft", "bitmap 519,104 yawRight"}},
      {0.2L, -0.2L, {"bitmap 309,114 rollRight", "bitmap 289,104 yawLeft"}},
  };
  for (const Case& c : cases) {
    Fixture f{threeKinkWing("0"), {}};
    DrawingInputs in = f.inputs();
    in.rollingMoment = c.roll;
    in.yawingMoment = c.yaw;
    RecordingCanvas canvas(kW, kH);
    drawRotationIcons(canvas, in);
    EXPECT_EQ(canvas.lines(), c.expected) << c.roll << " " << c.yaw;
  }
}

// Results with m stations whose values are all `value` (curves only read
// the station values).
Fixture curveFixture(int m) {
  Fixture f{testing::exampleWing(), {}};
  f.distribution = testing::exampleResults(f.wing, m);
  return f;
}

Distribution constant(int m, Real value) {
  Distribution d{};
  for (int k = 1; k <= m; ++k) d[static_cast<std::size_t>(k)] = value;
  return d;
}

struct CurveExtent {
  int minRow = 1 << 30;
  int maxRow = -(1 << 30);
  int curveSegments = 0;
  std::vector<int> zeroLineRows;
};

CurveExtent extentOf(const RecordingCanvas& canvas) {
  CurveExtent e;
  for (const auto& s : canvas.segments()) {
    if (s.pen.style == PenStyle::DashDot) {
      e.zeroLineRows.push_back(s.from.y);
      continue;
    }
    ++e.curveSegments;
    for (Point p : {s.from, s.to}) {
      e.minRow = std::min(e.minRow, p.y);
      e.maxRow = std::max(e.maxRow, p.y);
    }
  }
  return e;
}

TEST(DistributionCurve, ZeroLineAndBandFollowTheSign) {
  const int m = 15;
  Fixture f = curveFixture(m);
  struct Case {
    const char* name;
    Real value;
    int zeroRow, minRow, maxRow;
  };
  for (const Case& c : {Case{"all positive", 0.4L, kH - 20, 20, kH - 20},
                        Case{"all negative", -0.4L, 20, 20, kH - 20}}) {
    SCOPED_TRACE(c.name);
    RecordingCanvas canvas(kW, kH);
    drawDistributionCurve(canvas, f.inputs(), constant(m, c.value), colours::kGreen,
                          CurveKind::Plain);
    const CurveExtent e = extentOf(canvas);
    ASSERT_EQ(e.zeroLineRows.size(), 1u);
    EXPECT_EQ(e.zeroLineRows[0], c.zeroRow);
    EXPECT_EQ(e.minRow, c.minRow);
    EXPECT_EQ(e.maxRow, c.maxRow);
    // (m+1)*nsub samples joined by lines, nsub = (127 div 15)*3 = 24.
    EXPECT_EQ(e.curveSegments, (m + 1) * 24 - 1);
    for (const auto& s : canvas.segments()) {
      EXPECT_EQ(s.pen.mode, PenMode::NotXor);
      EXPECT_EQ(s.pen.colour, colours::kGreen);
    }
    const auto zero = canvas.segments().back();
    EXPECT_EQ(zero.from.x, 0);
    EXPECT_EQ(zero.to.x, kW);
    EXPECT_EQ(canvas.pen().mode, PenMode::Copy);
    EXPECT_EQ(canvas.pen().style, PenStyle::Solid);
  }
}

TEST(DistributionCurve, AllZeroDrawsOnlyTheZeroLineAndNonFiniteNothing) {
  const int m = 7;
  Fixture f = curveFixture(m);
  RecordingCanvas canvas(kW, kH);
  drawDistributionCurve(canvas, f.inputs(), constant(m, 0), colours::kRed, CurveKind::Plain);
  const CurveExtent e = extentOf(canvas);
  EXPECT_EQ(e.curveSegments, 0);
  EXPECT_EQ(e.zeroLineRows, std::vector<int>{kH - 20});

  canvas.clear();
  Distribution bad = constant(m, 1);
  bad[3] = std::numeric_limits<Real>::infinity();
  drawDistributionCurve(canvas, f.inputs(), bad, colours::kRed, CurveKind::Plain);
  EXPECT_TRUE(canvas.lines().empty());

  canvas.clear();
  drawDistributionCurve(canvas, f.inputs(), constant(m, 1e-4940L), colours::kRed, CurveKind::Plain);
  for (const auto& s : canvas.segments()) EXPECT_LE(std::abs(s.from.y), kPixelLimit);
}

TEST(DistributionCurve, SplineRunsFromTheRightTipThroughTheStations) {
  const int m = 7;
  Fixture f = curveFixture(m);
  RecordingCanvas canvas(kW, kH);
  drawDistributionCurve(canvas, f.inputs(), f.distribution.gamma, colours::kRed, CurveKind::Plain);
  const auto& s = canvas.segments();
  const int nsub = 54;
  ASSERT_EQ(static_cast<int>(s.size()), (m + 1) * nsub - 1 + 1);
  const Real scale = kMapping.drawScale * f.wing.halfSpan;
  // First sample: the right tip at the zero line.
  EXPECT_EQ(s[0].from.x, toPixel(scale + kW / 2));
  EXPECT_EQ(s[0].from.y, extentOf(canvas).zeroLineRows[0]);
  // Sample k*nsub is station k exactly.
  for (int k = 1; k <= m; ++k) {
    const Real eta = std::cos(k * kPi / (m + 1));
    EXPECT_EQ(s[static_cast<std::size_t>(k * nsub - 1)].to.x, toPixel(eta * scale + kW / 2)) << k;
  }
}

TEST(PrescriptionCurve, WithMaximumStationsIsAPolylineThroughTheStations) {
  const int m = 127;
  Fixture f = curveFixture(m);
  f.wing.gammaExponent = "2";
  const auto prescription = computeGammaPrescription(f.wing, f.distribution);
  ASSERT_TRUE(prescription);
  const std::size_t c = 64;
  EXPECT_EQ((*prescription)[c], f.distribution.gamma[c]);
  EXPECT_EQ((*prescription)[1], (*prescription)[127]);
  EXPECT_NEAR(static_cast<double>((*prescription)[32]),
              static_cast<double>(std::pow(std::sin(32 * kPi / 128), 2) * f.distribution.gamma[c]),
              1e-15);

  RecordingCanvas canvas(kW, kH);
  drawDistributionCurve(canvas, f.inputs(), *prescription, colours::kRed, CurveKind::Prescription);
  const auto& s = canvas.segments();
  // One sub-step per interval: the samples are P_0..P_m, no zero line.
  ASSERT_EQ(s.size(), static_cast<std::size_t>(m));
  for (const auto& seg : s) EXPECT_EQ(seg.pen.style, PenStyle::Dot);
  const Real scale = kMapping.drawScale * f.wing.halfSpan;
  for (int k = 1; k <= m; ++k) {
    const Real eta = std::cos(k * kPi / (m + 1));
    EXPECT_EQ(s[static_cast<std::size_t>(k - 1)].to.x, toPixel(eta * scale + kW / 2)) << k;
  }
  // Scaled together with the circulation: the prescription (exponent 2)
  // stays below the circulation's peak, which sets the top of the band.
  EXPECT_GT(extentOf(canvas).minRow, 20);
}

TEST(PrescriptionCurve, NothingForAnExponentThatIsNotPositive) {
  Fixture f = curveFixture(15);
  for (const char* n : {"0", "-1", "abc", ""}) {
    f.wing.gammaExponent = n;
    EXPECT_FALSE(computeGammaPrescription(f.wing, f.distribution)) << n;
  }
}

TEST(ReynoldsPolyline, IncludesTheTipValues) {
  const int m = 7;
  Fixture f = curveFixture(m);
  RecordingCanvas canvas(kW, kH);
  drawReynoldsPolyline(canvas, f.inputs(), colours::kBlue);
  const CurveExtent e = extentOf(canvas);
  EXPECT_EQ(e.curveSegments, m + 1);
  EXPECT_EQ(e.zeroLineRows, std::vector<int>{kH - 20});
  // The right-tip value (index 0) is not 0: the polyline starts above the zero line.
  EXPECT_LT(canvas.segments()[0].from.y, kH - 20);
}

TEST(MarkerBar, InvertingVerticalLineOnlyWithAWing) {
  Fixture f{threeKinkWing("0"), {}};
  RecordingCanvas canvas(kW, kH);
  drawMarkerBar(canvas, f.inputs(), 0.5L);
  drawCrossBar(canvas, f.inputs(), 100.5L);
  EXPECT_EQ(canvas.lines(),
            (std::vector<std::string>{"line 490,0 490,311 pen #808080 solid w1 notxor",
                                      "line 0,100 880,100 pen #808080 solid w1 notxor"}));
  EXPECT_EQ(canvas.pen().mode, PenMode::Copy);
  f.wing.wingPresent = false;
  canvas.clear();
  drawMarkerBar(canvas, f.inputs(), 0.5L);
  drawCrossBar(canvas, f.inputs(), 100);
  EXPECT_TRUE(canvas.lines().empty());
}

TEST(ValueAxisMarker, ClosedTriangleFilledBlack) {
  RecordingCanvas strip(kAxisStripWidth, kAxisStripHeight);
  drawValueAxisMarker(strip, 50);
  EXPECT_EQ(strip.text(),
            "line 50,2 48,9 pen #000000 solid w1 copy\n"
            "line 48,9 52,9 pen #000000 solid w1 copy\n"
            "line 52,9 50,2 pen #000000 solid w1 copy\n"
            "floodFill 50,6 border #000000 brush #000000\n");
}

DisplayToggleState allEnabled() {
  DisplayToggleState t;
  for (int i = 0; i < kDisplaySwitchCount; ++i) t.setEnabled(static_cast<DisplaySwitch>(i), true);
  return t;
}

TEST(ValueAxis, InducedAngleAxisIsLabelledInDegrees) {
  const int m = 7;
  Fixture f = curveFixture(m);
  f.wing.switches[DisplaySwitch::AxisInducedAngle] = true;
  RecordingCanvas canvas(kW, kH);
  drawValueAxis(canvas, f.inputs(), allEnabled(), 100, true);
  const auto texts = canvas.linesStartingWith("text");
  ASSERT_EQ(texts.size(), 12u);
  Real vmax = 0;
  for (int k = 1; k <= m; ++k)
    vmax = std::max(vmax, f.distribution.ai[static_cast<std::size_t>(k)]);
  const std::string top = formatCellNumber(roundToDecimals(radToDeg(vmax), 5));
  EXPECT_EQ(texts[0], "text 105,20 \"" + top + "\" #000000");
  EXPECT_EQ(texts[11], "text 100,2 \"  ai   \" #000000");
  // Axis line, eleven ticks, all inverting in maroon.
  const auto& s = canvas.segments();
  ASSERT_EQ(s.size(), 12u);
  EXPECT_EQ(s[0].from, (Point{100, 15}));
  EXPECT_EQ(s[0].to, (Point{100, kH - 15}));
  EXPECT_EQ(s[11].from, (Point{95, 20 + 271}));
  for (const auto& seg : s) {
    EXPECT_EQ(seg.pen.colour, colours::kMaroon);
    EXPECT_EQ(seg.pen.mode, PenMode::NotXor);
  }
}

TEST(ValueAxis, ReynoldsLabelsWithOneDecimalAndNamesOfTheDragAxis) {
  const int m = 7;
  Fixture f = curveFixture(m);
  f.distribution.re[0] = 987654.32L;  // the right tip holds the largest value
  f.wing.switches[DisplaySwitch::AxisReynolds] = true;
  RecordingCanvas canvas(kW, kH);
  drawValueAxis(canvas, f.inputs(), allEnabled(), 100, true);
  const auto texts = canvas.linesStartingWith("text");
  ASSERT_EQ(texts.size(), 12u);
  EXPECT_EQ(texts[0], "text 105,20 \"987654,3\" #000000");
  EXPECT_EQ(texts[11], "text 100,2 \"RE-Zahl\" #000000");

  // The drag axis takes its name from the drag curve shown.
  f.wing.switches[DisplaySwitch::AxisReynolds] = false;
  f.wing.switches[DisplaySwitch::AxisDrag] = true;
  struct Case {
    DisplaySwitch curve;
    const char* name;
  };
  for (const Case& c :
       {Case{DisplaySwitch::InducedDrag, "  cwi  "}, Case{DisplaySwitch::ProfileDrag, "  cwp  "},
        Case{DisplaySwitch::TotalDrag, "  cwg  "}}) {
    f.wing.switches[DisplaySwitch::InducedDrag] = c.curve == DisplaySwitch::InducedDrag;
    f.wing.switches[DisplaySwitch::ProfileDrag] = c.curve == DisplaySwitch::ProfileDrag;
    f.wing.switches[DisplaySwitch::TotalDrag] = c.curve == DisplaySwitch::TotalDrag;
    canvas.clear();
    drawValueAxis(canvas, f.inputs(), allEnabled(), 100, true);
    ASSERT_FALSE(canvas.lines().empty());
    EXPECT_EQ(canvas.lines().back(), std::string("text 100,2 \"") + c.name + "\" #000000");
  }
  // No drag curve shown: no axis.
  f.wing.switches[DisplaySwitch::TotalDrag] = false;
  canvas.clear();
  drawValueAxis(canvas, f.inputs(), allEnabled(), 100, true);
  EXPECT_TRUE(canvas.lines().empty());
}

TEST(ValueAxis, AllZeroValuesGiveZeroLabels) {
  const int m = 7;
  Fixture f = curveFixture(m);
  f.distribution.ca = Distribution{};
  f.wing.switches[DisplaySwitch::AxisLiftCoefficient] = true;
  RecordingCanvas canvas(kW, kH);
  drawValueAxis(canvas, f.inputs(), allEnabled(), 100, true);
  for (const std::string& t : canvas.linesStartingWith("text 105")) {
    EXPECT_NE(t.find("\"0\""), std::string::npos) << t;
  }
}

TEST(VortexStations, RedDottedLinesAtTheStations) {
  const int m = 3;
  Fixture f = curveFixture(m);
  RecordingCanvas canvas(kW, kH);
  drawVortexStations(canvas, f.inputs());
  const Real s = f.wing.halfSpan;
  const int right = planformColumn(kMapping, s * std::cos(kPi / 4));
  EXPECT_EQ(canvas.lines(), (std::vector<std::string>{
                                "line " + std::to_string(right) + ",0 " + std::to_string(right) +
                                    ",311 pen #ff0000 dot w1 copy",
                                "line 440,0 440,311 pen #ff0000 dot w1 copy",
                                "line " + std::to_string(880 - right) + ",0 " +
                                    std::to_string(880 - right) + ",311 pen #ff0000 dot w1 copy"}));
  EXPECT_EQ(canvas.pen().style, PenStyle::Solid);
}

// The whole example wing as text, compared with a reviewed golden file.
// Set VELARIX_UPDATE_GOLDEN=1 to rewrite it after an intended change.
TEST(Planform, ExampleWingMatchesGoldenFile) {
  Fixture f{testing::exampleWing(), {}};
  DrawingInputs in = f.inputs();
  in.mapping = DrawingMapping{};
  computeDrawingScale(f.wing, kW, kH, in.mapping);
  in.groupColours[1] = Colour{213, 0, 0};
  in.groupColours[2] = Colour{0, 0, 213};
  RecordingCanvas canvas(kW, kH);
  clearImage(canvas, true);
  drawPlanform(canvas, in);
  const std::string path =
      std::string(VELARIX_SOURCE_DIR) + "/tests/graphics/golden/example_planform.txt";
  if (std::getenv("VELARIX_UPDATE_GOLDEN")) {
    std::ofstream(path, std::ios::binary) << canvas.text();
  }
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << path;
  std::stringstream golden;
  golden << file.rdbuf();
  EXPECT_EQ(canvas.text(), golden.str());
}

}  // namespace
}  // namespace velarix

namespace velarix {
namespace {

TEST(AirfoilPreview, PointsAcrossTheBoxAndTheDashedChordStub) {
  testing::RecordingCanvas canvas(120, 60);
  drawAirfoilPreview(canvas, {{1, 0}, {0.5L, 0.05L}, {0, 0}, {0.5L, -0.025L}, {1, 0}});
  EXPECT_EQ(canvas.text(),
            "fillRect 1,1 119,59 brush #ffffff\n"
            "frameRect 0,0 120,60 brush #000000\n"
            "line 110,30 60,25 pen #000000 solid w1 copy\n"
            "line 60,25 10,30 pen #000000 solid w1 copy\n"
            "line 10,30 60,32 pen #000000 solid w1 copy\n"
            "line 60,32 110,30 pen #000000 solid w1 copy\n"
            "line 110,30 10,30 pen #000000 dash w1 copy\n");
  // Two points or fewer: only the cleared box.
  canvas.clear();
  drawAirfoilPreview(canvas, {{1, 0}, {0, 0}});
  EXPECT_EQ(canvas.lines().size(), 2u);
}

}  // namespace
}  // namespace velarix
