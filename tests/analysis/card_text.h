// Card files for the analysis tests, written exactly as the main program
// writes them (ten-column "%-9.7f " values, eight to a line, "-0" shortened
// in y values; FLAP, ALFA and RE cards in their fixed columns).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace velarix::analysis::testing {

struct CardSection {
  std::string name = "TEST";
  std::vector<double> upperX, upperY, lowerX, lowerY;  // nose to trailing edge
};

inline std::string coordinateBlock(const std::vector<double>& values, bool ordinates) {
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%-9.7f", values[i]);
    std::string value = buffer;
    if (ordinates && value.rfind("-0", 0) == 0) value = ("-" + value.substr(2)).substr(0, 9);
    text += value + " ";
    if (i % 8 == 7 || i + 1 == values.size()) text += "\n";
  }
  return text;
}

inline std::string cardText(const CardSection& section, const std::vector<double>& anglesDeg,
                            const std::vector<double>& reynolds, double roughness, double flapChordPercent = 0.0,
                            double flapDeflectionDeg = 0.0) {
  char buffer[128];
  std::string text = "FXPR\n" + section.name + "\n";
  text += "   " + std::to_string(section.upperX.size()) + "   " + std::to_string(section.lowerX.size()) + "\n";
  text += coordinateBlock(section.upperX, false) + coordinateBlock(section.upperY, true);
  text += coordinateBlock(section.lowerX, false) + coordinateBlock(section.lowerY, true);
  if (flapDeflectionDeg != 0.0) {
    std::snprintf(buffer, sizeof buffer, "FLAP%11.0f%5.0f%5.0f%5.0f\n", flapChordPercent * 100.0, 0.0, 400.0,
                  flapDeflectionDeg * 100.0);
    text += buffer;
  }
  std::string reCard = "RE  110   ";
  for (double re : reynolds) {
    if (roughness == 0.0) {
      std::snprintf(buffer, sizeof buffer, " 0000%5.0f", re / 1000.0);
    } else {
      std::snprintf(buffer, sizeof buffer, "%5.0f%5.0f", roughness * 1000.0, re / 1000.0);
    }
    reCard += buffer;
  }
  for (std::size_t first = 0; first < anglesDeg.size(); first += 14) {
    const std::size_t n = std::min<std::size_t>(14, anglesDeg.size() - first);
    std::snprintf(buffer, sizeof buffer, "ALFA  1%3.0f", static_cast<double>(n));
    text += buffer;
    for (std::size_t i = 0; i < n; ++i) {
      std::snprintf(buffer, sizeof buffer, "%5.0f", anglesDeg[first + i] * 100.0);
      text += buffer;
    }
    text += "\n" + reCard + "\n";
  }
  return text + "ENDE\n";
}

// A NACA four-digit section (thickness t, camber m at position p) with n
// cosine-spaced points per surface, the nose point shared.
inline CardSection nacaSection(double m, double p, double t, int n) {
  CardSection section;
  section.name = "NACA TEST";
  for (int i = 0; i < n; ++i) {
    const double beta = 3.14159265358979323846 * i / (n - 1);
    const double x = 0.5 * (1.0 - std::cos(beta));
    const double yt = 5.0 * t *
                      (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x - 0.1036 * x * x * x * x);
    double yc = 0.0, slope = 0.0;
    if (m > 0.0) {
      if (x < p) {
        yc = m / (p * p) * (2.0 * p * x - x * x);
        slope = 2.0 * m / (p * p) * (p - x);
      } else {
        yc = m / ((1 - p) * (1 - p)) * ((1 - 2 * p) + 2 * p * x - x * x);
        slope = 2.0 * m / ((1 - p) * (1 - p)) * (p - x);
      }
    }
    const double theta = std::atan(slope);
    section.upperX.push_back(x - yt * std::sin(theta));
    section.upperY.push_back(yc + yt * std::cos(theta));
    section.lowerX.push_back(x + yt * std::sin(theta));
    section.lowerY.push_back(yc - yt * std::cos(theta));
  }
  return section;
}

}  // namespace velarix::analysis::testing
