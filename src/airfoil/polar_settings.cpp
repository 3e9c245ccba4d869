#include "airfoil/polar_settings.h"

#include <charconv>
#include <cmath>

#include "wing/cell_number.h"

namespace velarix {

namespace {

constexpr Real kMinAngle = -98;
constexpr Real kMaxAngle = 89;
constexpr Real kMinStep = 0.1L;
constexpr Real kMaxAngleCount = 255;
constexpr Real kMinReynolds = 1000;

// A plain decimal number (point as separator, blanks around allowed).
bool plainNumber(const std::string& text, Real& value) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return false;
  std::size_t end = text.find_last_not_of(" \t") + 1;
  const char* first = text.data() + begin;
  const char* last = text.data() + end;
  if (*first == '+') ++first;
  long double parsed = 0;
  const auto result = std::from_chars(first, last, parsed);
  if (result.ec != std::errc() || result.ptr != last || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

bool inRange(const std::string& text, Real low, Real high, Real& value) {
  return tryParseCellNumber(text, value) && value >= low && value <= high;
}

}  // namespace

std::optional<PolarSettingsProblem> checkPolarSettings(const PolarSettingsTexts& texts,
                                                       bool airfoilHasPoints,
                                                       PolarSettings& settings) {
  if (!airfoilHasPoints) return PolarSettingsProblem{42, PolarField::Airfoil};
  if (!inRange(texts.flapChord, 0, 100, settings.flapChordPercent)) {
    return PolarSettingsProblem{34, PolarField::FlapChord};
  }
  if (!inRange(texts.flapDeflection, kMinAngle, kMaxAngle, settings.flapDeflectionDeg)) {
    return PolarSettingsProblem{35, PolarField::FlapDeflection};
  }
  settings.reynoldsNumbers.clear();
  for (const std::string& cell : texts.reynolds) {
    Real re = 0;
    if (!plainNumber(cell, re)) continue;
    if (re < kMinReynolds) return PolarSettingsProblem{43, PolarField::Reynolds};
    settings.reynoldsNumbers.push_back(re);
  }
  if (settings.reynoldsNumbers.empty()) return PolarSettingsProblem{40, PolarField::Reynolds};
  if (!inRange(texts.firstAngle, kMinAngle, kMaxAngle, settings.firstAngleDeg)) {
    return PolarSettingsProblem{37, PolarField::FirstAngle};
  }
  if (!inRange(texts.lastAngle, kMinAngle, kMaxAngle, settings.lastAngleDeg) ||
      settings.lastAngleDeg < settings.firstAngleDeg) {
    return PolarSettingsProblem{38, PolarField::LastAngle};
  }
  if (!tryParseCellNumber(texts.angleStep, settings.angleStepDeg) ||
      settings.angleStepDeg < kMinStep) {
    return PolarSettingsProblem{39, PolarField::AngleStep};
  }
  if ((settings.lastAngleDeg - settings.firstAngleDeg + 1) / settings.angleStepDeg >
      kMaxAngleCount) {
    return PolarSettingsProblem{41, PolarField::AngleStep};
  }
  return std::nullopt;
}

}  // namespace velarix
