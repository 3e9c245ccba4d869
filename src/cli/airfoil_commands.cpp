// The airfoil commands: airfoil (characteristics listing) and polar.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "airfoil/airfoil.h"
#include "airfoil/eppler_card.h"
#include "airfoil/eppler_run.h"
#include "airfoil/polar_settings.h"
#include "cli/commands.h"
#include "cli/console_platform.h"
#include "wing/cell_number.h"
#include "wing/file_io.h"
#include "wing/messages.h"

namespace velarix::cli {

namespace {

int roughnessOf(const std::string& surface) {
  if (surface == "clean") return kRoughnessClean;
  if (surface == "dirty") return kRoughnessSoiled;
  if (surface == "light-icing") return kRoughnessLightIcing;
  if (surface == "heavy-icing") return kRoughnessHeavyIcing;
  return -1;
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string fixed(Real value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
  return buffer;
}

bool writeLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  try {
    writeFileAtomically(path, text);
    return true;
  } catch (const std::exception& e) {
    std::cerr << "velarix-cli: " << path << ": " << e.what() << '\n';
    return false;
  }
}

// The option behind a refused polar setting, for the message line.
std::string optionOf(PolarField field, const PolarOptions& o) {
  switch (field) {
    case PolarField::Airfoil: return "";
    case PolarField::FlapChord: return ": --flap-chord " + o.flapChord;
    case PolarField::FlapDeflection: return ": --flap-deflection " + o.flapDeflection;
    case PolarField::Reynolds: return ": --re " + o.reynolds;
    default: return ": --alpha " + o.alpha;
  }
}

}  // namespace

int runAirfoil(const std::string& airfoilFile, bool section) {
  if (!fileReadable(airfoilFile)) return kExitFailure;
  TAirfoil airfoil;
  airfoil.LoadFromFile(airfoilFile);
  airfoil.ComputeCharacteristics();
  for (const std::string& line : airfoil.CharacteristicsListing()) std::cout << line << '\n';
  if (section) {
    TAirfoil source = airfoil;
    source.EnsureLeadingEdgePoint();
    const TAirfoil standard = source.SmoothForWing(60);
    std::cout << "\nStandardschnitt (" << standard.Count() << " Punkte): x y\n";
    for (const TCoord& p : standard.points()) {
      std::cout << formatCellNumber(p.X) << ' ' << formatCellNumber(p.Y) << '\n';
    }
  }
  return kExitSuccess;
}

int runPolar(const PolarOptions& o) {
  ConsolePlatform platform;
  const int roughness = roughnessOf(o.surface);
  if (roughness < 0) {
    std::cerr << "velarix-cli: --surface: '" << o.surface
              << "' (erlaubt: clean, dirty, light-icing, heavy-icing)\n";
    return kExitUsage;
  }
  const std::vector<std::string> alpha = split(o.alpha, ':');
  if (alpha.size() != 3) {
    std::cerr << "velarix-cli: --alpha: '" << o.alpha << "' (erwartet ERSTER:LETZTER:SCHRITT)\n";
    return kExitUsage;
  }
  const std::vector<std::string> reynolds = split(o.reynolds, ',');
  if (reynolds.size() > static_cast<std::size_t>(kPolarReynoldsCells)) {
    std::cerr << "velarix-cli: --re: höchstens 5 Re-Zahlen\n";
    return kExitUsage;
  }

  if (!fileReadable(o.airfoilFile)) return kExitFailure;
  TAirfoil airfoil;
  airfoil.LoadFromFile(o.airfoilFile);

  PolarSettingsTexts texts;
  texts.firstAngle = alpha[0];
  texts.lastAngle = alpha[1];
  texts.angleStep = alpha[2];
  texts.flapChord = o.flapChord;
  texts.flapDeflection = o.flapDeflection;
  texts.reynolds.fill("");
  for (std::size_t i = 0; i < reynolds.size(); ++i) texts.reynolds[i] = reynolds[i];
  PolarSettings settings;
  if (const auto problem = checkPolarSettings(texts, airfoil.Count() > 0, settings)) {
    platform.setSubject(o.airfoilFile + optionOf(problem->field, o));
    platform.showMessage(problem->message);
    return kExitFailure;
  }

  EpplerCardInputs inputs;
  inputs.airfoil = o.noSmooth ? airfoil.Clone() : airfoil.SmoothForWing(60);
  inputs.airfoil.EnsureLeadingEdgePoint();
  inputs.flapChordPercent = settings.flapChordPercent;
  inputs.flapDeflectionDeg = settings.flapDeflectionDeg;
  inputs.roughnessCode = roughness;
  inputs.reynoldsNumbers = settings.reynoldsNumbers;
  inputs.anglesDeg =
      epplerAngleSequence(settings.firstAngleDeg, settings.angleStepDeg, settings.lastAngleDeg);

  if (!o.cardFile.empty() && !writeLines(o.cardFile, epplerCardLines(inputs))) return kExitFailure;

  platform.setSubject(o.airfoilFile);
  TEpplerResult result;
  const EpplerRunReport run = RunEppler(inputs, o.bubbles, defaultEpplerSettings(), platform, result);
  if (!o.listingFile.empty() && !run.listing.empty() && !writeLines(o.listingFile, run.listing)) {
    return kExitFailure;
  }
  if (run.status != EpplerRunStatus::Completed || !result.valid) {
    if (!platform.errorShown()) {
      std::cerr << "velarix-cli: " << o.airfoilFile
                << ": das Analyseprogramm hat kein Listing geschrieben\n";
    }
    return kExitFailure;
  }

  const bool csv = o.format == "csv";
  if (csv) {
    std::cout << "re,alpha,cl,cd,cm,xtr_upper,xtr_lower,bubble_upper,bubble_lower\n";
  } else {
    std::cout << result.airfoilName << "\n";
  }
  for (std::size_t k = 0; k < result.reynoldsNumbers.size(); ++k) {
    const Real re = result.reynoldsNumbers[k];
    if (!csv) {
      std::cout << "\nRe = " << formatCellNumber(std::trunc(re)) << "\n"
                << "   alpha      CL       CD        CM   xtr_o   xtr_u  Blasen\n";
    }
    for (std::size_t m = 0; m < result.anglesDeg.size(); ++m) {
      const EpplerPolarPoint& p = result.points[k][m];
      if (!p.listed) continue;
      const Real xUpper = 1 - p.transitionUpper;
      const Real xLower = 1 - p.transitionLower;
      if (csv) {
        std::cout << fixed(re, 0) << ',' << fixed(result.anglesDeg[m], 2) << ',' << fixed(p.cl, 4)
                  << ',' << fixed(p.cd, 5) << ',' << fixed(p.cm, 4) << ',' << fixed(xUpper, 3)
                  << ',' << fixed(xLower, 3) << ',' << (p.bubbleUpper ? 1 : 0) << ','
                  << (p.bubbleLower ? 1 : 0) << '\n';
      } else {
        char line[160];
        std::snprintf(line, sizeof line, "%8.2f %7.4f %8.5f %9.4f %7.3f %7.3f  %s%s\n",
                      static_cast<double>(result.anglesDeg[m]), static_cast<double>(p.cl),
                      static_cast<double>(p.cd), static_cast<double>(p.cm),
                      static_cast<double>(xUpper), static_cast<double>(xLower),
                      p.bubbleUpper ? "o" : "-", p.bubbleLower ? "u" : "-");
        std::cout << line;
      }
    }
  }
  return kExitSuccess;
}

}  // namespace velarix::cli
