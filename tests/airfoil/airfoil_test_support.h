// Airfoils for the tests: NACA 4-digit sections from their published
// equations, the shared coordinate files, and small hand-made chains.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "airfoil/airfoil.h"

namespace velarix::testing {

// NACA 4-digit section with maximum camber m at p and thickness t (chord
// fractions), Selig order, `perSide` cosine-spaced stations per surface and
// the nose (0, 0). Thickness
//   yt = 5t(0.2969 sqrt(x) - 0.1260 x - 0.3516 x^2 + 0.2843 x^3 - 0.1015 x^4),
// mean line yc = m/p^2 (2px - x^2) ahead of p, m/(1-p)^2 (1 - 2p + 2px - x^2)
// behind it; the thickness stands perpendicular to the mean line.
// Source: Abbott & von Doenhoff, Theory of Wing Sections, ch. 6.
inline long double nacaCamber(long double m, long double p, long double x) {
  if (m == 0) return 0;
  return x < p ? m / (p * p) * (2 * p * x - x * x)
               : m / ((1 - p) * (1 - p)) * (1 - 2 * p + 2 * p * x - x * x);
}
inline long double nacaCamberSlope(long double m, long double p, long double x) {
  if (m == 0) return 0;
  return x < p ? 2 * m / (p * p) * (p - x) : 2 * m / ((1 - p) * (1 - p)) * (p - x);
}
inline TAirfoil nacaFourDigit(long double m, long double p, long double t, int perSide,
                              bool perpendicularThickness = true) {
  TAirfoil a;
  a.Name = "NACA 4-digit";
  const auto surface = [&](int i, bool upper) {
    const long double x = (1 - std::cos(i * kPi / perSide)) / 2;
    const long double yt = 5 * t *
                           (0.2969L * std::sqrt(x) - 0.1260L * x - 0.3516L * x * x +
                            0.2843L * x * x * x - 0.1015L * x * x * x * x);
    const long double theta = perpendicularThickness ? std::atan(nacaCamberSlope(m, p, x)) : 0;
    const long double sign = upper ? 1 : -1;
    return TCoord{x - sign * yt * std::sin(theta),
                  nacaCamber(m, p, x) + sign * yt * std::cos(theta)};
  };
  for (int i = perSide; i >= 1; --i) a.AddPoint(surface(i, true));
  a.AddPoint({0, 0});
  for (int i = 1; i <= perSide; ++i) a.AddPoint(surface(i, false));
  return a;
}

inline TAirfoil chain(std::initializer_list<TCoord> points) {
  TAirfoil a;
  for (const TCoord& p : points) a.AddPoint(p);
  return a;
}

// The shared coordinate files beside the repository.
// VELARIX_SHARED_DIR overrides the place of the shared folder.
inline std::filesystem::path sharedAirfoilDirectory() {
  if (const char* shared = std::getenv("VELARIX_SHARED_DIR")) {
    return std::filesystem::path(shared) / "airfoils";
  }
  return std::filesystem::path(VELARIX_SOURCE_DIR) / ".." / "shared" / "airfoils";
}

}  // namespace velarix::testing

#define VELARIX_REQUIRE_SHARED_AIRFOILS()                                             \
  do {                                                                                \
    if (!std::filesystem::is_directory(::velarix::testing::sharedAirfoilDirectory())) \
      GTEST_SKIP() << "no shared airfoil files at "                                   \
                   << ::velarix::testing::sharedAirfoilDirectory();                   \
  } while (false)
