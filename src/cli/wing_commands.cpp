// The wing commands: new, convert, report, profile-drag.
#include <charconv>
#include <filesystem>
#include <iostream>

#include "airfoil/eppler_run.h"
#include "cli/commands.h"
#include "cli/console_platform.h"
#include "compute/profile_drag.h"
#include "compute/values_report.h"
#include "compute/wing_computation.h"
#include "wing/cell_number.h"
#include "wing/file_io.h"
#include "wing/text_encoding.h"
#include "wing/wing_file.h"

namespace velarix::cli {

namespace {

namespace fs = std::filesystem;

// A usage error: the message names the option; the exit status is 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Session {
  TWing wing;
  WingResults results;
  ConsolePlatform platform;
  Session() { platform.attach(&wing, &results); }
};

std::string defaultAirfoilDirectory(const std::string& wingFile, const std::string& given) {
  if (!given.empty()) return given;
  const fs::path parent = fs::path(wingFile).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

bool loadInto(Session& s, const std::string& file, const std::string& airfoilDirectory) {
  if (!wingFileReadable(file)) return false;
  s.platform.setSubject(file);
  return loadWingFile(s.wing, file, s.platform, defaultAirfoilDirectory(file, airfoilDirectory));
}

// Shows the message that refuses an option's value, naming file and option.
bool refuse(Session& s, const WingOptions& o, const std::string& option, const std::string& text,
            int message) {
  s.platform.setSubject(o.wingFile + ": " + option + " " + text);
  s.platform.showMessage(message);
  return false;
}

Real numberOption(const std::string& name, const std::string& text) {
  Real value = 0;
  if (!tryParseCellNumber(text, value)) {
    throw UsageError("--" + name + ": '" + text + "' ist keine Zahl");
  }
  return value;
}

SurfaceCondition surfaceOption(const std::string& text) {
  if (text == "clean") return SurfaceCondition::Clean;
  if (text == "dirty") return SurfaceCondition::Dirty;
  if (text == "light-icing") return SurfaceCondition::LightIcing;
  if (text == "heavy-icing") return SurfaceCondition::HeavyIcing;
  throw UsageError("--surface: '" + text + "' (erlaubt: clean, dirty, light-icing, heavy-icing)");
}

ReportSelection selectionOption(const std::string& text, ReportSelection fallback) {
  if (text.empty()) return fallback;
  if (text == "all") return ReportSelection::all();
  ReportSelection s = ReportSelection::none();
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string item = text.substr(start, comma - start);
    int index = -1;
    const auto r = std::from_chars(item.data(), item.data() + item.size(), index);
    if (r.ec != std::errc() || r.ptr != item.data() + item.size() || index < 0 ||
        index >= kReportSectionCount) {
      throw UsageError("--sections: '" + item + "' (erlaubt: all oder Nummern 0 bis 14)");
    }
    s.ticked[static_cast<std::size_t>(index)] = true;
    start = comma + 1;
  }
  return s;
}

// Applies the design and environment options with the checks of the main
// window's entries; a refused value shows its message and returns false.
bool applyOptions(Session& s, const WingOptions& o) {
  TWing& w = s.wing;
  if (o.stations) {
    int m = 0;
    const auto r = std::from_chars(o.stations->data(), o.stations->data() + o.stations->size(), m);
    if (r.ec != std::errc() || r.ptr != o.stations->data() + o.stations->size() || m < 3 ||
        m > 127 || m % 2 == 0) {
      return refuse(s, o, "--stations", *o.stations, 33);
    }
    w.stationCount = m;
  }
  if (o.mass) {
    const Real mass = numberOption("mass", *o.mass);
    if (!(mass > 0)) {
      return refuse(s, o, "--mass", *o.mass, 9);
    }
    w.wingMass = mass;
  }
  if (o.altitude) {
    const Real altitude = numberOption("altitude", *o.altitude);
    if (altitude < 0 || altitude > 25000) {
      return refuse(s, o, "--altitude", *o.altitude, 24);
    }
    w.flightAltitude = altitude;
  }
  if (o.surface) w.surfaceCondition = surfaceOption(*o.surface);
  if (o.mode.has_value() != o.value.has_value()) {
    throw UsageError("--mode und --value gehören zusammen");
  }
  if (o.mode) {
    const Real v = numberOption("value", *o.value);
    const std::string& mode = *o.mode;
    const auto refuseValue = [&](int message) { return refuse(s, o, "--value", *o.value, message); };
    if (mode == "angle") {
      if (v < -89 || v > 89) return refuseValue(4);
      w.designMode = DesignMode::WingAngle;
      w.wingAngleOfAttack = v;
    } else if (mode == "ca") {
      if (v == 0) return refuseValue(22);
      w.designMode = DesignMode::LiftCoefficient;
      w.designCA = v;
    } else if (mode == "sm") {
      if (v == 0) return refuseValue(23);
      w.designMode = DesignMode::StabilityMargin;
      w.designStabilityMargin = v;
    } else if (mode == "xd") {
      w.designMode = DesignMode::CgPosition;
      w.designCgPosition = v;
    } else if (mode == "speed") {
      if (!(v > 0)) return refuseValue(9);
      w.designMode = DesignMode::Speed;
      w.designSpeed = v;
    } else {
      throw UsageError("--mode: '" + mode + "' (erlaubt: angle, ca, sm, xd, speed)");
    }
  }
  return true;
}

bool recompute(Session& s) {
  s.platform.refreshWingDisplay(true);
  if (s.platform.computeError()) {
    std::cerr << "velarix-cli: " << s.wing.wingFileName << ": " << *s.platform.computeError()
              << '\n';
    return false;
  }
  if (!s.results.computed && !s.platform.errorShown()) {
    std::cerr << "velarix-cli: " << s.wing.wingFileName << ": der Flügel wurde nicht berechnet\n";
  }
  return s.results.computed;
}

int writeReport(const std::vector<std::string>& lines, const std::string& output) {
  if (output.empty()) {
    for (const std::string& line : lines) std::cout << line << '\n';
    return kExitSuccess;
  }
  std::string bytes;
  try {
    bytes = utf8ToWindows1252(joinLinesCrLf(lines));
  } catch (const std::exception& e) {  // a character without a Windows-1252 form
    std::cerr << "velarix-cli: " << output << ": " << e.what() << '\n';
    return kExitFailure;
  }
  try {
    writeFileAtomically(output, bytes);
  } catch (const std::exception& e) {
    std::cerr << "velarix-cli: " << e.what() << '\n';  // the text names the file
    return kExitFailure;
  }
  return kExitSuccess;
}

int computeWingCommand(const WingOptions& o, bool profileDrag) {
  Session s;
  try {
    if (!loadInto(s, o.wingFile, o.airfoilDirectory)) return kExitFailure;
    s.platform.clearErrors();
    if (!applyOptions(s, o)) return kExitFailure;
    s.platform.setSubject(o.wingFile);
    if (!recompute(s)) return kExitFailure;
    ReportSelection selection = ReportSelection{};
    if (profileDrag) {
      const ProfileDragOutcome outcome =
          computeProfileDrag(s.wing, s.results, defaultEpplerSettings(), s.platform);
      if (outcome.status != ProfileDragStatus::Completed) {
        if (!s.platform.errorShown()) {
          std::cerr << "velarix-cli: " << o.wingFile << ": "
                    << (outcome.message.empty() ? "Profilwiderstand nicht berechnet"
                                                : oneLine(outcome.message))
                    << '\n';
        }
        return kExitFailure;
      }
      selection = ReportSelection::none();
      for (ReportSection r : {ReportSection::WingCoefficients, ReportSection::ProfileDrag,
                              ReportSection::TotalDrag, ReportSection::PolarComputed}) {
        selection.ticked[static_cast<std::size_t>(r)] = true;
      }
    }
    selection = selectionOption(o.sections, selection);
    return writeReport(fillValuesReport(s.wing, s.results.distribution, s.results.coefficients,
                                        s.results.profileDragValid, selection),
                       o.output);
  } catch (const UsageError& e) {
    std::cerr << "velarix-cli: " << e.what() << '\n';
    return kExitUsage;
  }
}

}  // namespace

int runNew(const std::string& output) {
  Session s;
  newWing(s.wing, s.platform);
  return saveWing(s.wing, output, s.platform) ? kExitSuccess : kExitFailure;
}

int runConvert(const std::string& input, const std::string& output,
               const std::string& airfoilDirectory) {
  Session s;
  if (!loadInto(s, input, airfoilDirectory)) return kExitFailure;
  return saveWing(s.wing, output, s.platform) ? kExitSuccess : kExitFailure;
}

int runReport(const WingOptions& options) { return computeWingCommand(options, false); }

int runProfileDrag(const WingOptions& options) { return computeWingCommand(options, true); }

}  // namespace velarix::cli
