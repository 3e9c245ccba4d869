#include "ui/qimage_canvas.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "graphics/redraw_cycle.h"
#include "support/example_wing.h"

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
  static QGuiApplication* app = QCoreApplication::instance()
                                    ? nullptr
                                    : new QGuiApplication(argc, argv);
  (void)app;
}

QRgb rgb(Colour c) { return qRgb(c.red, c.green, c.blue); }
QRgb pixel(const QImageCanvas& c, int x, int y) { return c.image().pixel(x, y) | 0xFF000000u; }

// The example wing with its results, drawn by the redraw cycle onto two
// QImage canvases.
struct ExampleWindow {
  TWing wing = testing::exampleWing();
  TSpanDistribution results = testing::exampleResults(wing, 31);
  DrawingMapping mapping;
  DisplayToggleState toggles;
  bool profileDragValid = false;
  GroupColours groupColours = defaultGroupColours();
  QImageCanvas area{kDrawingAreaWidth, kDrawingAreaHeight};
  QImageCanvas strip{kAxisStripWidth, kAxisStripHeight};

  ExampleWindow() {
    ensureGuiApplication();
    computeDrawingScale(wing, kDrawingAreaWidth, kDrawingAreaHeight, mapping);
    toggles.enableComputedWingToggles();
    groupColours[1] = Colour{255, 170, 170};
    groupColours[2] = Colour{170, 170, 255};
    wing.switches = DisplaySwitches{};
    for (S s : {S::Wing, S::XC, S::XE, S::XN, S::XD, S::RotationDirections, S::Circulation,
                S::PrescribedCirculation, S::LiftCoefficients, S::PitchingMoments,
                S::InducedDrag, S::LocalCentresOfPressure, S::AxisLiftCoefficient}) {
      wing.switches[s] = true;
    }
    wing.gammaExponent = "1,5";
  }

  DrawingInputs inputs() const {
    return DrawingInputs{.wing = wing,
                         .distribution = results,
                         .mapping = mapping,
                         .xc = 0.155L,
                         .xe = 0.162L,
                         .xn = 0.190L,
                         .xd = 0.171L,
                         .rollingMoment = -0.002L,
                         .yawingMoment = 0.0008L,
                         .barPosition = 0.45L,
                         .crossBarY = 200,
                         .valueAxisX = 60,
                         .groupColours = groupColours};
  }

  void refresh(bool recompute) {
    RedrawContext context{.drawingArea = area,
                          .axisStrip = strip,
                          .toggles = toggles,
                          .profileDragValid = profileDragValid,
                          .recompute = [] {},
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

TEST(ExampleWing, RendersPlanformFlapsMarksAndCurves) {
  ExampleWindow w;
  w.refresh(true);
  const char* out = std::getenv("VELARIX_EXAMPLE_PNG");
  const std::string path =
      out ? out : std::string(VELARIX_BINARY_DIR) + "/velarix_example.png";
  ASSERT_TRUE(w.area.image().save(QString::fromStdString(path), "PNG")) << path;

  const QImage& img = w.area.image();
  EXPECT_EQ(img.width(), 880);
  EXPECT_EQ(img.height(), 311);
  // The black frame.
  EXPECT_EQ(pixel(w.area, 0, 0), rgb(colours::kBlack));
  EXPECT_EQ(pixel(w.area, 879, 310), rgb(colours::kBlack));
  // The left tip chord at y = -1.2, from x = 0.46 to 0.62, is black.
  const int tipColumn = planformColumn(w.mapping, -1.2L);
  for (Real x : {0.48L, 0.52L}) {
    EXPECT_EQ(pixel(w.area, tipColumn, planformRow(w.mapping, x)), rgb(colours::kBlack))
        << static_cast<double>(x);
  }
  // The leading edge at the right kink y = 0.6, x = 0.22.
  EXPECT_EQ(pixel(w.area, planformColumn(w.mapping, 0.6L), planformRow(w.mapping, 0.22L)),
            rgb(colours::kBlack));
  // Inside the outer right flap (group 2) and an inner flap (group 1): the
  // group colours. Sampled near the trailing edge, clear of every curve.
  auto flapPixel = [&](Real y, Real trailingEdge) {
    return pixel(w.area, planformColumn(w.mapping, y),
                 planformRow(w.mapping, trailingEdge) - 3);
  };
  EXPECT_EQ(flapPixel(0.9L, 0.54L), qRgb(170, 170, 255));
  EXPECT_EQ(flapPixel(-0.3L, 0.39L), qRgb(255, 170, 170));
}

TEST(ExampleWing, MarkerBarDrawnTwiceRestoresTheImage) {
  ExampleWindow w;
  w.refresh(true);
  const QImage before = w.area.image();
  const DrawingInputs in = w.inputs();
  drawMarkerBar(w.area, in, -0.7L);
  const int column = planformColumn(w.mapping, -0.7L);
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
