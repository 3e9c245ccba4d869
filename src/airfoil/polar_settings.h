// The settings of an airfoil polar run as the user types them, and their
// check before a run. The polar window and the command line share it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "wing/real.h"

namespace velarix {

inline constexpr int kPolarReynoldsCells = 5;

// The entry texts; edit fields are read like cell texts (point or comma,
// six decimals), Reynolds cells as plain decimal numbers.
struct PolarSettingsTexts {
  std::string firstAngle = "-10";    // "erster Anstellwinkel (Grad)"
  std::string lastAngle = "10";      // "letzter Anstellwinkel (Grad)"
  std::string angleStep = "1";       // "Schrittweite (Grad)"
  std::string flapChord = "25";      // "Klappenlänge (%)"
  std::string flapDeflection = "0";  // "Ausschlagwinkel (°)"
  std::array<std::string, kPolarReynoldsCells> reynolds = {"60000", "100000", "200000",
                                                           "400000", "800000"};
};

enum class PolarField {
  Airfoil, FlapChord, FlapDeflection, Reynolds, FirstAngle, LastAngle, AngleStep
};

// A refused setting: the message number of the message table and the field
// that gets the focus.
struct PolarSettingsProblem {
  int message = 0;
  PolarField field = PolarField::Airfoil;
};

struct PolarSettings {
  Real firstAngleDeg = 0;
  Real lastAngleDeg = 0;
  Real angleStepDeg = 0;
  Real flapChordPercent = 0;
  Real flapDeflectionDeg = 0;
  std::vector<Real> reynoldsNumbers;  // the cells that hold numbers, in order
};

// Checks in the window's order: an airfoil with points (42), flap chord
// 0..100 (34), deflection -98..89 (35), every numeric Reynolds cell >= 1000
// (43), at least one Reynolds number (40), first angle -98..89 (37), last
// angle -98..89 and not below the first (38), step >= 0.1 (39),
// (last - first + 1)/step <= 255 (41). Bounds are inclusive.
std::optional<PolarSettingsProblem> checkPolarSettings(const PolarSettingsTexts& texts,
                                                       bool airfoilHasPoints,
                                                       PolarSettings& settings);

}  // namespace velarix
