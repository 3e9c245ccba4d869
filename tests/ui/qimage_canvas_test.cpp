#include "ui/qimage_canvas.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "compute/wing_computation.h"
#include "graphics/redraw_cycle.h"
#include "support/example_wing.h"
#include "support/fake_platform.h"
#include "wing/cell_number.h"

// The font library keeps a few allocations for the life of the process;
// LeakSanitizer is told to ignore them (read only in sanitizer builds).
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

namespace velarix {
namespace {

using S = DisplaySwitch;

// Text needs the font database of a QGuiApplication (offscreen platform).
void ensureGuiApplication() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "velarix_ui_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app =
      QCoreApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
  (void)app;
}

QRgb rgb(Colour c) { return qRgb(c.red, c.green, c.blue); }
QRgb pixel(const QImageCanvas& c, int x, int y) { return c.image().pixel(x, y) | 0xFF000000u; }

// The example wing, computed by the wing computation and drawn by the
// redraw cycle onto two QImage canvases. The outer flaps are deflected
// against each other (ailerons) and the tips twisted down, so that every
// curve has shape and both moments have a sign.
struct ExampleWindow {
  TWing wing = testing::exampleWing();
  WingResults results;
  testing::FakePlatform platform;
  DisplayToggleState toggles;
  GroupColours groupColours = defaultGroupColours();
  QImageCanvas area{kDrawingAreaWidth, kDrawingAreaHeight};
  QImageCanvas strip{kAxisStripWidth, kAxisStripHeight};

  ExampleWindow() {
    ensureGuiApplication();
    wing.stationCount = 31;
    wing.wingAngleOfAttack = 4;
    wing.wingMass = 2;
    wing.barPosition = 0.45L;
    wing.flapTable.setCell(kColFlapDeflection, 1, "6");
    wing.flapTable.setCell(kColFlapDeflection, 4, "-6");
    for (int row : {1, 5}) wing.kinkTable.setCell(kColKinkChordAngle, row, "-2");
    groupColours[1] = Colour{255, 170, 170};
    groupColours[2] = Colour{170, 170, 255};
    wing.switches = DisplaySwitches{};
    wing.gammaExponent = "1,5";
  }

  // Down states for a picture.
  void show(std::initializer_list<S> switches) {
    wing.switches = DisplaySwitches{};
    for (S s : switches) wing.switches[s] = true;
  }

  DrawingInputs inputs() const { return drawingInputsFor(wing, results, 200, 60, groupColours); }

  void refresh(bool recompute) {
    RedrawContext context{.drawingArea = area,
                          .axisStrip = strip,
                          .toggles = toggles,
                          .profileDragValid = results.profileDragValid,
                          .recompute =
                              [this] {
                                computeWing(wing, results, platform);
                                toggles.enableComputedWingToggles();
                              },
                          .refreshReadout = [] {},
                          .drawingInputs = [this] { return inputs(); }};
    refreshWingDisplay(recompute, context);
  }
};

TEST(QImageCanvas, InvertingLineTwiceRestoresAndLinesLeaveOutTheirEnd) {
  ensureGuiApplication();
  QImageCanvas c(40, 20);
  c.setBrushColor(Colour{10, 200, 30});
  c.fillRect({0, 0, 20, 20});
  const QImage before = c.image();
  c.setPenMode(PenMode::NotXor);
  c.setPenColor(colours::kGrey);
  c.moveTo(2, 10);
  c.lineTo(30, 10);
  EXPECT_NE(c.image(), before);
  // not(grey xor white) = grey; not(grey xor (10,200,30)) = (117, 183, 97).
  EXPECT_EQ(pixel(c, 25, 10), qRgb(128, 128, 128));
  EXPECT_EQ(pixel(c, 5, 10), qRgb(117, 183, 97));
  EXPECT_EQ(pixel(c, 30, 10), qRgb(255, 255, 255)) << "the end point is left out";
  c.moveTo(2, 10);
  c.lineTo(30, 10);
  EXPECT_EQ(c.image(), before);

  // A polyline in inverting mode has no holes at its joints.
  c.moveTo(2, 2);
  c.lineTo(10, 2);
  c.lineTo(10, 8);
  EXPECT_EQ(pixel(c, 10, 2), qRgb(117, 183, 97));
}

TEST(QImageCanvas, ShapesKeepToTheirBoxes) {
  ensureGuiApplication();
  QImageCanvas c(40, 40);
  c.setBrushColor(Colour{0, 200, 0});
  c.ellipse({10, 10, 20, 20});  // right and bottom edge excluded
  EXPECT_EQ(pixel(c, 10, 15), qRgb(0, 0, 0));
  EXPECT_EQ(pixel(c, 19, 15), qRgb(0, 0, 0));
  EXPECT_EQ(pixel(c, 20, 15), qRgb(255, 255, 255));
  EXPECT_EQ(pixel(c, 15, 15), qRgb(0, 200, 0));
  c.setBrushColor(colours::kBlack);
  c.frameRect({0, 0, 40, 40});
  EXPECT_EQ(pixel(c, 39, 39), qRgb(0, 0, 0));
  EXPECT_EQ(pixel(c, 38, 38), qRgb(255, 255, 255));
}

TEST(QImageCanvas, FloodFillStopsAtTheBorderColour) {
  ensureGuiApplication();
  QImageCanvas strip(kAxisStripWidth, kAxisStripHeight);
  clearAxisStrip(strip);
  drawValueAxisMarker(strip, 100);
  EXPECT_EQ(pixel(strip, 100, 6), rgb(colours::kBlack));
  EXPECT_EQ(pixel(strip, 100, 2), rgb(colours::kBlack));
  EXPECT_EQ(pixel(strip, 98, 9), rgb(colours::kBlack));
  EXPECT_EQ(pixel(strip, 104, 6), rgb(colours::kButtonFace));
  EXPECT_EQ(pixel(strip, 100, 11), rgb(colours::kButtonFace));
  EXPECT_EQ(pixel(strip, 0, 0), rgb(colours::kButtonFace));
}

TEST(QImageCanvas, RotationPicturesHaveTheirSizesAndTransparency) {
  ensureGuiApplication();
  struct Case {
    BitmapId id;
    int w, h;
  };
  for (const Case& c : {Case{BitmapId::RollLeft, kRollPictureWidth, kRollPictureHeight},
                        Case{BitmapId::RollRight, kRollPictureWidth, kRollPictureHeight},
                        Case{BitmapId::YawLeft, kYawPictureWidth, kYawPictureHeight},
                        Case{BitmapId::YawRight, kYawPictureWidth, kYawPictureHeight}}) {
    const QImage& p = rotationPicture(c.id);
    EXPECT_EQ(p.width(), c.w);
    EXPECT_EQ(p.height(), c.h);
    EXPECT_EQ(qAlpha(p.pixel(0, 0)), 0) << "corner is transparent";
  }
  QImageCanvas canvas(200, 100);
  canvas.drawBitmap(10, 10, BitmapId::YawLeft);
  EXPECT_EQ(pixel(canvas, 10, 10), qRgb(255, 255, 255));
}

TEST(ExampleWing, PlanformOutlineAndFlapsAtTheMappedPixels) {
  ExampleWindow w;
  w.show({S::Wing});
  w.refresh(true);
  const DrawingMapping& map = w.results.mapping;
  // The black frame.
  EXPECT_EQ(pixel(w.area, 0, 0), rgb(colours::kBlack));
  EXPECT_EQ(pixel(w.area, 879, 310), rgb(colours::kBlack));
  // The left tip chord at y = -1.2, from x = 0.46 to 0.62.
  for (Real x : {0.48L, 0.52L, 0.6L}) {
    EXPECT_EQ(pixel(w.area, planformColumn(map, -1.2L), planformRow(map, x)), rgb(colours::kBlack))
        << static_cast<double>(x);
  }
  // Leading edge at the kink y = 0.6, x = 0.22, and at mid-panel y = 0.3, x = 0.11.
  EXPECT_EQ(pixel(w.area, planformColumn(map, 0.6L), planformRow(map, 0.22L)),
            rgb(colours::kBlack));
  // Between the kinks the line may round to the neighbouring row.
  const int middleRow = planformRow(map, 0.11L);
  int blackNearMiddle = 0;
  for (int row = middleRow - 1; row <= middleRow + 1; ++row) {
    blackNearMiddle += pixel(w.area, planformColumn(map, 0.3L), row) == rgb(colours::kBlack);
  }
  EXPECT_EQ(blackNearMiddle, 1);
  // Inside the outer right flap (group 2) and the inner left flap (group 1),
  // a few pixels ahead of the trailing edge; and the wing ahead of the flap white.
  auto probe = [&](Real y, Real x, int rowOffset) {
    return pixel(w.area, planformColumn(map, y), planformRow(map, x) + rowOffset);
  };
  EXPECT_EQ(probe(0.9L, 0.54L, -3), qRgb(170, 170, 255));
  EXPECT_EQ(probe(-0.3L, 0.39L, -3), qRgb(255, 170, 170));
  EXPECT_EQ(probe(-0.3L, 0.20L, 0), qRgb(255, 255, 255));
  // The trailing edge itself is the flap's black outline.
  EXPECT_EQ(probe(0.9L, 0.54L, 0), rgb(colours::kBlack));
}

TEST(ExampleWing, RendersTheFullPictureToPng) {
  ExampleWindow w;
  w.show({S::Wing, S::XC, S::XE, S::XN, S::XD, S::RotationDirections, S::Circulation,
          S::PrescribedCirculation, S::LiftCoefficients, S::InducedDrag, S::InducedAngles,
          S::LocalCentresOfPressure, S::AxisLiftCoefficient});
  w.refresh(true);
  ASSERT_TRUE(w.platform.errors.empty());
  const char* out = std::getenv("VELARIX_EXAMPLE_PNG");
  const std::string path = out ? out : std::string(VELARIX_BINARY_DIR) + "/velarix_example.png";
  ASSERT_TRUE(w.area.image().save(QString::fromStdString(path), "PNG")) << path;
  EXPECT_EQ(w.area.image().size(), QSize(880, 311));
  // Rolling moment from the ailerons: a roll picture is drawn (its pixels
  // are neither white nor black nor a curve colour in its box).
  EXPECT_NE(roundToDecimals(w.results.coefficients.rollingMoment, 5), 0);
  // The ca axis with its name at (60, 2).
  bool dark = false;
  for (int x = 60; x < 100; ++x) {
    for (int y = 2; y < 14; ++y) dark = dark || qGray(pixel(w.area, x, y)) < 100;
  }
  EXPECT_TRUE(dark) << "axis name drawn";
}

TEST(ExampleWing, MarkerBarDrawnTwiceRestoresTheImage) {
  ExampleWindow w;
  w.show({S::Wing, S::XN, S::Circulation, S::LiftCoefficients, S::AxisLiftCoefficient});
  w.refresh(true);
  const QImage before = w.area.image();
  const DrawingInputs in = w.inputs();
  drawMarkerBar(w.area, in, -0.7L);
  const int column = planformColumn(w.results.mapping, -0.7L);
  EXPECT_NE(w.area.image(), before);
  EXPECT_EQ(pixel(w.area, column, 5), qRgb(128, 128, 128));
  drawMarkerBar(w.area, in, -0.7L);
  EXPECT_EQ(w.area.image(), before);

  // The value axis without labels vanishes the same way (moving the axis).
  drawValueAxis(w.area, in, w.toggles, 300, false);
  EXPECT_NE(w.area.image(), before);
  drawValueAxis(w.area, in, w.toggles, 300, false);
  EXPECT_EQ(w.area.image(), before);
}

TEST(ExampleWing, TwoRedrawsWithoutRecomputeGiveIdenticalImages) {
  ExampleWindow w;
  for (int i = 0; i < kDisplaySwitchCount; ++i)
    w.wing.switches.down[static_cast<std::size_t>(i)] = true;
  w.toggles.setCrossBarChecked(true);
  w.refresh(true);
  w.refresh(false);
  const QImage area = w.area.image();
  const QImage strip = w.strip.image();
  w.refresh(false);
  EXPECT_EQ(w.area.image(), area);
  EXPECT_EQ(w.strip.image(), strip);
}

}  // namespace
}  // namespace velarix
