// The plot command: the main window's drawing of a wing rendered into a PNG.
#include <QGuiApplication>
#include <QImage>

#include <charconv>
#include <iostream>
#include <map>

#include "cli/commands.h"
#include "cli/console_platform.h"
#include "compute/bar_readout.h"
#include "graphics/redraw_cycle.h"
#include "ui/qimage_canvas.h"
#include "wing/cell_number.h"
#include "wing/settings.h"
#include "wing/wing_file.h"

namespace velarix::cli {

namespace {

namespace fs = std::filesystem;

constexpr int kAxisStripHeight = 12;

const std::map<std::string, DisplaySwitch>& showNames() {
  static const std::map<std::string, DisplaySwitch> names = {
      {"planform", DisplaySwitch::Wing},
      {"xc", DisplaySwitch::XC},
      {"xe", DisplaySwitch::XE},
      {"xn", DisplaySwitch::XN},
      {"xd", DisplaySwitch::XD},
      {"gamma", DisplaySwitch::Circulation},
      {"prescription", DisplaySwitch::PrescribedCirculation},
      {"ca", DisplaySwitch::LiftCoefficients},
      {"cwi", DisplaySwitch::InducedDrag},
      {"mue", DisplaySwitch::PitchingMoments},
      {"ai", DisplaySwitch::InducedAngles},
      {"xd-local", DisplaySwitch::LocalCentresOfPressure},
      {"re", DisplaySwitch::Reynolds},
      {"stations", DisplaySwitch::Stations},
      {"rotation", DisplaySwitch::RotationDirections}};
  return names;
}

const std::map<std::string, DisplaySwitch>& axisNames() {
  static const std::map<std::string, DisplaySwitch> names = {
      {"re", DisplaySwitch::AxisReynolds},        {"gamma", DisplaySwitch::AxisCirculation},
      {"ca", DisplaySwitch::AxisLiftCoefficient}, {"mue", DisplaySwitch::AxisPitchingMoment},
      {"ai", DisplaySwitch::AxisInducedAngle},    {"cw", DisplaySwitch::AxisDrag}};
  return names;
}

bool parseSize(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) return false;
  const auto w = std::from_chars(text.data(), text.data() + x, width);
  const auto h = std::from_chars(text.data() + x + 1, text.data() + text.size(), height);
  return w.ec == std::errc() && w.ptr == text.data() + x && h.ec == std::errc() &&
         h.ptr == text.data() + text.size() && width > 60 && height > 60 && width <= 8000 &&
         height <= 8000;
}

// Qt's notes (such as an unset XDG_RUNTIME_DIR) are no errors of the
// command; only its critical and fatal messages reach stderr.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::cerr << "velarix-cli: Qt: " << text.toStdString() << '\n';
  }
}

void ensureGuiApplication() {
  qInstallMessageHandler(quietQtMessages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "velarix-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app =
      QCoreApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
  (void)app;
}

}  // namespace

int runPlot(const PlotOptions& o) {
  int width = 0;
  int height = 0;
  if (!parseSize(o.size, width, height)) {
    std::cerr << "velarix-cli: --size: '" << o.size << "' (erwartet BREITExHÖHE, 61..8000)\n";
    return kExitUsage;
  }
  DisplaySwitches down;
  std::size_t start = 0;
  while (start <= o.show.size()) {
    const std::size_t comma = std::min(o.show.find(',', start), o.show.size());
    const std::string item = o.show.substr(start, comma - start);
    start = comma + 1;
    if (item.empty()) continue;
    const auto it = showNames().find(item);
    if (it == showNames().end()) {
      std::cerr << "velarix-cli: --show: '" << item << "' ist unbekannt\n";
      return kExitUsage;
    }
    down[it->second] = true;
  }
  if (!o.axis.empty()) {
    const auto it = axisNames().find(o.axis);
    if (it == axisNames().end()) {
      std::cerr << "velarix-cli: --axis: '" << o.axis << "' (erlaubt: re, gamma, ca, mue, ai, cw)\n";
      return kExitUsage;
    }
    down[it->second] = true;
  }
  Real bar = 0;
  if (o.bar && !tryParseCellNumber(*o.bar, bar)) {
    std::cerr << "velarix-cli: --bar: '" << *o.bar << "' ist keine Zahl\n";
    return kExitUsage;
  }

  TWing wing;
  WingResults results;
  ConsolePlatform platform;
  platform.attach(&wing, &results);
  if (!wingFileReadable(o.wingFile)) return kExitFailure;
  const fs::path wingDirectory = fs::path(o.wingFile).parent_path();
  const std::string airfoils = !o.airfoilDirectory.empty() ? o.airfoilDirectory
                               : wingDirectory.empty()     ? std::string(".")
                                                           : wingDirectory.string();
  platform.setSubject(o.wingFile);
  if (!loadWingFile(wing, o.wingFile, platform, airfoils)) return kExitFailure;
  if (platform.computeError()) {
    std::cerr << "velarix-cli: " << o.wingFile << ": " << *platform.computeError() << '\n';
    return kExitFailure;
  }
  wing.switches = down;
  if (o.bar) {
    computeSpan(wing);
    wing.barPosition = std::clamp(bar, -wing.halfSpan, wing.halfSpan);
  }

  ensureGuiApplication();
  QImageCanvas area(width, height);
  QImageCanvas strip(width, kAxisStripHeight);
  DisplayToggleState toggles;
  const Settings settings;
  GroupColours colours{};
  for (std::size_t g = 0; g < colours.size(); ++g) {
    const ColourRef c = settings.groupColours[g];
    colours[g] = velarix::Colour{static_cast<std::uint8_t>(c & 0xFF),
                                 static_cast<std::uint8_t>((c >> 8) & 0xFF),
                                 static_cast<std::uint8_t>((c >> 16) & 0xFF)};
  }
  bool computed = true;
  RedrawContext context{
      .drawingArea = area,
      .axisStrip = strip,
      .toggles = toggles,
      .profileDragValid = results.profileDragValid,
      .recompute =
          [&] {
            platform.refreshWingDisplay(true);
            if (platform.computeError()) {
              computed = false;
              return;
            }
            computeDrawingScale(wing, width, height, results.mapping);
            toggles.enableComputedWingToggles();
          },
      .refreshReadout = [] {},
      .drawingInputs =
          [&] { return drawingInputsFor(wing, results, height / 2, 5, colours); }};
  refreshWingDisplay(true, context);
  if (!computed) {
    std::cerr << "velarix-cli: " << o.wingFile << ": " << *platform.computeError() << '\n';
    return kExitFailure;
  }
  if (!area.image().save(QString::fromStdString(o.output), "PNG")) {
    std::cerr << "velarix-cli: " << o.output << ": das Bild kann nicht geschrieben werden\n";
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace velarix::cli
