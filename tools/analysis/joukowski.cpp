#include "joukowski.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace velarix::analysis {

JoukowskiAirfoil joukowskiAirfoil(double centreX, double centreY, double alphaDeg, int upperPoints,
                                  int lowerPoints) {
  return karmanTrefftzAirfoil(centreX, centreY, 0.0, alphaDeg, upperPoints, lowerPoints);
}

JoukowskiAirfoil karmanTrefftzAirfoil(double centreX, double centreY, double tauDeg, double alphaDeg,
                                      int upperPoints, int lowerPoints) {
  using Complex = std::complex<double>;
  constexpr double pi = std::numbers::pi;
  const Complex mu(centreX, centreY);
  const double radius = std::abs(1.0 - mu);
  const double thetaTail = std::arg(1.0 - mu);
  const double n = 2.0 - tauDeg / 180.0;
  const bool cusp = tauDeg == 0.0;
  const auto circle = [&](double theta) { return mu + radius * std::polar(1.0, theta); };
  // (zeta - 1) / (zeta + 1) is negative real only on the segment (-1, 1),
  // inside the circle, so the principal power is continuous outside it.
  const auto power = [&](Complex zeta) { return std::pow((zeta - 1.0) / (zeta + 1.0), n); };
  const auto map = [&](Complex zeta) {
    if (cusp) return zeta + 1.0 / zeta;
    const Complex r = power(zeta);
    return n * (1.0 + r) / (1.0 - r);
  };
  const auto mapDerivative = [&](Complex zeta) {
    if (cusp) return 1.0 - 1.0 / (zeta * zeta);
    const Complex r = power(zeta);
    return 4.0 * n * n * r / ((1.0 - r) * (1.0 - r) * (zeta * zeta - 1.0));
  };

  // Leading edge: the contour point farthest from the trailing edge z = n.
  const Complex tail(n, 0.0);
  double thetaNose = thetaTail + pi;
  double best = 0.0;
  for (int i = 0; i <= 20000; ++i) {
    const double theta = thetaTail + 2.0 * pi * i / 20000.0;
    const double d = std::abs(map(circle(theta)) - tail);
    if (d > best) {
      best = d;
      thetaNose = theta;
    }
  }
  double step = 2.0 * pi / 20000.0;
  for (int iteration = 0; iteration < 60; ++iteration) {
    step *= 0.5;
    const double dPlus = std::abs(map(circle(thetaNose + step)) - tail);
    const double dMinus = std::abs(map(circle(thetaNose - step)) - tail);
    if (dPlus > best) {
      best = dPlus;
      thetaNose += step;
    } else if (dMinus > best) {
      best = dMinus;
      thetaNose -= step;
    }
  }
  const Complex nose = map(circle(thetaNose));
  const Complex chordVector = tail - nose;
  const double chord = std::abs(chordVector);
  const double chordAngle = std::arg(chordVector);

  // Free stream in the z plane (equal to that of the zeta plane at infinity).
  const double alpha = alphaDeg * pi / 180.0 + chordAngle;
  const Complex freeStream = std::polar(1.0, -alpha);        // e^{-i alpha}
  const Complex freeStreamBar = std::polar(1.0, alpha);      // e^{+i alpha}
  // Complex velocity about the circle (u - i v):
  //   W(zeta) = e^{-i a} - R^2 e^{i a} / (zeta - mu)^2 + i G / (2 pi (zeta - mu)),
  // G (clockwise positive) from W(1) = 0.
  const Complex atTail = 1.0 - mu;
  const Complex noCirculation = freeStream - radius * radius * freeStreamBar / (atTail * atTail);
  const double circulation = std::real(-noCirculation * 2.0 * pi * atTail / Complex(0.0, 1.0));
  const auto speedAt = [&](Complex zeta) {
    const Complex d = zeta - mu;
    if (std::abs(zeta - 1.0) < 1e-9) {
      // Finite angle: a corner, the speed is zero.
      if (!cusp) return 0.0;
      // Cusp: both vanish; the ratio of their derivatives.
      const Complex wPrime = 2.0 * radius * radius * freeStreamBar / (d * d * d) -
                             Complex(0.0, 1.0) * circulation / (2.0 * pi * d * d);
      return std::abs(wPrime / (2.0 / (zeta * zeta * zeta)));
    }
    const Complex w = freeStream - radius * radius * freeStreamBar / (d * d) +
                      Complex(0.0, 1.0) * circulation / (2.0 * pi * d);
    return std::abs(w / mapDerivative(zeta));
  };
  const auto normalised = [&](Complex z) {
    const Complex p = (z - nose) * std::polar(1.0, -chordAngle) / chord;
    return Point{p.real(), p.imag()};
  };

  JoukowskiAirfoil airfoil;
  // Upper surface: from the nose back to the trailing edge (circle angle falling).
  for (int i = 0; i < upperPoints; ++i) {
    const double theta = thetaNose + (thetaTail - thetaNose) * i / (upperPoints - 1);
    const Complex zeta = i == upperPoints - 1 ? Complex(1.0, 0.0) : circle(theta);
    airfoil.upper.push_back(normalised(map(zeta)));
    airfoil.upperSpeed.push_back(speedAt(zeta));
  }
  for (int i = 0; i < lowerPoints; ++i) {
    const double theta = thetaNose + (thetaTail + 2.0 * pi - thetaNose) * i / (lowerPoints - 1);
    const Complex zeta = i == lowerPoints - 1 ? Complex(1.0, 0.0) : circle(theta);
    airfoil.lower.push_back(normalised(map(zeta)));
    airfoil.lowerSpeed.push_back(speedAt(zeta));
  }
  airfoil.upper.front() = airfoil.lower.front() = Point{0.0, 0.0};
  airfoil.upper.back() = airfoil.lower.back() = Point{1.0, 0.0};
  airfoil.cl = 2.0 * circulation / chord;
  return airfoil;
}

}  // namespace velarix::analysis
