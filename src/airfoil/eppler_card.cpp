#include "airfoil/eppler_card.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace velarix {

namespace {

// Below this an ordinate counts as zero: smoothing leaves sharp trailing
// edges at about +-1e-16, far below the seventh decimal of the card.
constexpr Real kOrdinateNoise = 1e-12L;
constexpr int kCoordinateDecimals = 7;
constexpr int kCoordinateWidth = 9;
constexpr Real kFlapThirdValue = 400;

std::string padLeft(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string padRight(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

void requireFinite(Real value, const char* what) {
  if (!std::isfinite(value)) {
    throw EpplerCardError(std::string("Eingabedatei des Analyseprogramms: ") + what +
                          " ist keine endliche Zahl");
  }
}

// Index of the last point with X = 0 (the nose), or -1.
int lastNoseIndex(const TAirfoil& airfoil) {
  for (int i = airfoil.Count() - 1; i >= 0; --i) {
    if (airfoil.point(i).X == 0) return i;
  }
  return -1;
}

// Eight values to a line; the last line of a block holds the rest.
void appendBlock(std::vector<std::string>& lines, const std::vector<std::string>& texts) {
  std::string line;
  int onLine = 0;
  for (const std::string& text : texts) {
    line += text;
    if (++onLine == kValuesPerCoordinateLine) {
      lines.push_back(line);
      line.clear();
      onLine = 0;
    }
  }
  if (onLine > 0) lines.push_back(line);
}

}  // namespace

std::string epplerFixed(Real value, int width, int decimals) {
  std::array<char, 5100> buffer{};  // fixed notation of the largest long double
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, decimals);
  std::string text = result.ec == std::errc() ? std::string(buffer.data(), result.ptr)
                                              : std::string(std::isnan(value) ? "nan" : "inf");
  return padLeft(std::move(text), static_cast<std::size_t>(width < 0 ? 0 : width));
}

std::vector<Real> epplerAngleSequence(Real firstDeg, Real stepDeg, Real lastDeg) {
  std::vector<Real> angles;
  Real angle = firstDeg;
  while (!(angle > lastDeg) && static_cast<int>(angles.size()) < kMaxEpplerAngles &&
         std::isfinite(angle)) {
    angles.push_back(angle);
    angle += stepDeg;
  }
  return angles;
}

std::string epplerCoordinateText(Real value, bool isOrdinate) {
  if (isOrdinate && std::fabs(value) < kOrdinateNoise) value = 0;
  std::string text = epplerFixed(value, 0, kCoordinateDecimals);
  if (isOrdinate && text.starts_with("-0")) {
    text.erase(1, 1);
    if (text.size() > kCoordinateWidth) text.resize(kCoordinateWidth);
  }
  return padRight(std::move(text), kCoordinateWidth) + ' ';
}

std::vector<std::string> epplerCoordinateLines(const TAirfoil& airfoil) {
  const int nose = lastNoseIndex(airfoil);
  if (nose < 0) {
    throw EpplerCardError("Eingabedatei des Analyseprogramms: das Profil \"" + airfoil.Name +
                          "\" hat keinen Nasenpunkt mit X = 0");
  }
  for (const TCoord& p : airfoil.points()) {
    requireFinite(p.X, "eine Profilkoordinate X");
    requireFinite(p.Y, "eine Profilkoordinate Y");
  }
  const int upperCount = nose + 1;                // trailing edge .. nose
  const int lowerCount = airfoil.Count() - nose;  // nose .. trailing edge
  std::vector<std::string> lines;
  lines.push_back("   " + std::to_string(upperCount) + "   " + std::to_string(lowerCount));

  std::vector<std::string> upperX, upperY, lowerX, lowerY;
  for (int i = nose; i >= 0; --i) {
    upperX.push_back(epplerCoordinateText(airfoil.point(i).X, false));
    upperY.push_back(epplerCoordinateText(airfoil.point(i).Y, true));
  }
  for (int i = nose; i < airfoil.Count(); ++i) {
    lowerX.push_back(epplerCoordinateText(airfoil.point(i).X, false));
    lowerY.push_back(epplerCoordinateText(airfoil.point(i).Y, true));
  }
  appendBlock(lines, upperX);
  appendBlock(lines, upperY);
  appendBlock(lines, lowerX);
  appendBlock(lines, lowerY);
  return lines;
}

std::string epplerFlapCard(const TAirfoil& airfoil, Real flapChordPercent, Real flapDeflectionDeg) {
  requireFinite(flapChordPercent, "die Klappentiefe");
  requireFinite(flapDeflectionDeg, "der Klappenausschlag");
  const Real hingeX = (100 - flapChordPercent) * 0.01L;
  const Real camberAtHinge =
      (airfoil.OrdinateAt(true, hingeX) + airfoil.OrdinateAt(false, hingeX)) / 2;
  requireFinite(camberAtHinge, "die Wölbung am Klappendrehpunkt");
  return "FLAP" + epplerFixed(flapChordPercent * 100, 11, 0) +
         epplerFixed(camberAtHinge * 10000, 5, 0) + epplerFixed(kFlapThirdValue, 5, 0) +
         epplerFixed(flapDeflectionDeg * 100, 5, 0);
}

std::string epplerReynoldsCard(int roughnessCode, const std::vector<Real>& reynoldsNumbers) {
  std::string card = "RE  110   ";
  for (const Real reynolds : reynoldsNumbers) {
    requireFinite(reynolds, "eine Reynoldszahl");
    card += roughnessCode == kRoughnessClean
                ? std::string(" 0000")
                : epplerFixed(static_cast<Real>(roughnessCode) * 1000, 5, 0);
    card += epplerFixed(reynolds / 1000, 5, 0);
  }
  return card;
}

std::string epplerAngleCard(const std::vector<Real>& anglesDeg) {
  std::string card = "ALFA  1" + epplerFixed(static_cast<Real>(anglesDeg.size()), 3, 0);
  for (const Real angle : anglesDeg) {
    requireFinite(angle, "ein Anstellwinkel");
    card += epplerFixed(angle * 100, 5, 0);
  }
  return card;
}

std::vector<std::string> epplerCardLines(const EpplerCardInputs& inputs) {
  const auto reynoldsCount = inputs.reynoldsNumbers.size();
  if (reynoldsCount == 0 || reynoldsCount > kMaxEpplerReynoldsNumbers) {
    throw EpplerCardError("Eingabedatei des Analyseprogramms: " + std::to_string(reynoldsCount) +
                          " Reynoldszahlen (erlaubt sind 1 bis 5)");
  }
  for (const Real reynolds : inputs.reynoldsNumbers) {
    requireFinite(reynolds, "eine Reynoldszahl");
    if (reynolds < kMinEpplerReynoldsNumber) {
      throw EpplerCardError("Eingabedatei des Analyseprogramms: Reynoldszahl " +
                            epplerFixed(reynolds, 0, 0) + " ist kleiner als 1000");
    }
  }
  const auto angleCount = inputs.anglesDeg.size();
  if (angleCount == 0 || angleCount > kMaxEpplerAngles) {
    throw EpplerCardError("Eingabedatei des Analyseprogramms: " + std::to_string(angleCount) +
                          " Anstellwinkel (erlaubt sind 1 bis 255)");
  }
  const int code = inputs.roughnessCode;
  if (code != kRoughnessClean && code != kRoughnessSoiled && code != kRoughnessLightIcing &&
      code != kRoughnessHeavyIcing) {
    throw EpplerCardError("Eingabedatei des Analyseprogramms: Rauhigkeitskennzahl " +
                          std::to_string(code) + " (erlaubt sind 0, 5, 7 und 9)");
  }

  // The name is one card line; a stray line break of its file must not split it.
  std::string name = inputs.airfoil.Name;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  std::vector<std::string> lines{"FXPR", name};
  const std::vector<std::string> coordinates = epplerCoordinateLines(inputs.airfoil);
  lines.insert(lines.end(), coordinates.begin(), coordinates.end());
  if (inputs.flapDeflectionDeg != 0) {
    lines.push_back(
        epplerFlapCard(inputs.airfoil, inputs.flapChordPercent, inputs.flapDeflectionDeg));
  }
  const std::string reynoldsCard = epplerReynoldsCard(code, inputs.reynoldsNumbers);
  for (std::size_t first = 0; first < angleCount; first += kAnglesPerCard) {
    const std::size_t last = std::min(angleCount, first + kAnglesPerCard);
    lines.push_back(epplerAngleCard(
        std::vector<Real>(inputs.anglesDeg.begin() + static_cast<std::ptrdiff_t>(first),
                          inputs.anglesDeg.begin() + static_cast<std::ptrdiff_t>(last))));
    lines.push_back(reynoldsCard);
  }
  lines.push_back("ENDE");
  return lines;
}

}  // namespace velarix
