// Integral boundary layer along one surface, from the stagnation point to the
// trailing edge: Eppler's two-equation method (momentum and kinetic energy),
// laminar and turbulent closures, a local transition criterion that depends on
// the roughness code, laminar separation taken as a short bubble, turbulent
// separation, and the Squire-Young drag of the surface.
//
// Symbols (lengths in chords, speeds in free-stream units):
//   s       arc length from the stagnation point
//   U       edge speed |q|;  U' = dU/ds
//   d2, d3  momentum and energy thickness; H32 = d3/d2, H12 = d1/d2
//   Re_d2   = Re U d2
//   cf      = tau_w / (rho U^2)   (half the usual skin-friction coefficient)
//   cD      = dissipation integral / (rho U^3)
//   d(d2)/ds = cf - (2 + H12) d2 U'/U
//   d(d3)/ds = 2 cD - 3 d3 U'/U
#pragma once

#include <vector>

namespace velarix::analysis {

// Laminar closure (fit to Falkner-Skan profiles; Eppler 1963, NASA TM-80210).
struct LaminarClosure {
  double h12;
  double cfReD2;  // cf Re_d2
  double cdReD2;  // cD Re_d2
};
LaminarClosure laminarClosure(double h32);

inline constexpr double kLaminarSeparationH32 = 1.51509;
inline constexpr double kTurbulentSeparationH32 = 1.46;
inline constexpr double kStagnationH32 = 1.62;
// Turbulent start behind a laminar separation: a reattached shape instead of
// the separation value, which would separate again at once.
inline constexpr double kReattachmentH32 = 1.60;
// ln(Re_d2) >= 18.4 H32 - 21.74 - kRoughnessCoefficient r
inline constexpr double kRoughnessCoefficient = 0.36;
// Squire-Young: H12 at the trailing edge capped here.
inline constexpr double kSquireYoungMaxH12 = 2.5;

// Turbulent closure: H12(H32), cf and cD at the given Re_d2.
double turbulentH12(double h32);
double turbulentCf(double h12, double reD2);
double turbulentCd(double h12, double reD2);

// The surface as the boundary layer sees it: stations from the stagnation
// point (s = 0, U = 0) to the trailing edge.
struct SurfaceFlow {
  std::vector<double> s;  // arc length from the stagnation point
  std::vector<double> u;  // edge speed >= 0
  std::vector<double> x;  // chord position of the station
};

struct SurfaceLayer {
  double transitionX = 1.0;      // chord position of transition (1 when laminar to the end)
  bool transitioned = false;
  bool bubble = false;           // laminar separation, transition in a short bubble
  bool separated = false;        // turbulent separation before the trailing edge
  double separationX = 1.0;
  double d2Te = 0.0;             // momentum thickness at the trailing edge
  double h12Te = 0.0;
  double uTe = 0.0;
  double cd = 0.0;               // Squire-Young share of this surface
  std::vector<double> stationX;  // chord position and displacement thickness
  std::vector<double> delta1;    // d1 = min(H12, 2.5) d2 along the march
};

// Marches the boundary layer for one Reynolds number and roughness code.
SurfaceLayer marchBoundaryLayer(const SurfaceFlow& flow, double reynolds, double roughness);

}  // namespace velarix::analysis
