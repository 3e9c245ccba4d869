// Exact potential flow about Joukowski and Karman-Trefftz airfoils, the
// references for the panel method: the circle |zeta - mu| = R through
// zeta = 1 (enclosing zeta = -1) is mapped by
//   z = n (1 + r) / (1 - r),  r = ((zeta - 1) / (zeta + 1))^n,  n = 2 - tau / pi,
// tau the trailing-edge angle; n = 2 is the Joukowski map z = zeta + 1/zeta
// with its cusp. The flow about the circle with the circulation of the Kutta
// condition at zeta = 1 maps to the flow about the airfoil.
// Speeds: |dw/dz| = |w'(zeta)| / |dz/dzeta|, free-stream speed 1, with
//   dz/dzeta = 4 n^2 r / ((1 - r)^2 (zeta^2 - 1)).
// At a finite-angle trailing edge the exact speed is zero (a corner), at the
// cusp it is finite.
// The airfoil is moved, turned and scaled to the nose at (0, 0) and the
// trailing edge at (1, 0); speed ratios do not change by that.
#pragma once

#include <vector>

#include "geometry.h"

namespace velarix::analysis {

struct JoukowskiAirfoil {
  std::vector<Point> upper;             // nose to trailing edge
  std::vector<Point> lower;             // nose to trailing edge
  std::vector<double> upperSpeed;       // exact v/V at those points
  std::vector<double> lowerSpeed;
  double cl = 0.0;                      // exact lift coefficient
};

// centreX < 0 sets the thickness, centreY > 0 the camber; alphaDeg is measured
// from the chord line. The points are even in the circle angle (clustered at
// nose and trailing edge by the mapping).
JoukowskiAirfoil joukowskiAirfoil(double centreX, double centreY, double alphaDeg, int upperPoints,
                                  int lowerPoints);

// The same with a trailing-edge angle tauDeg (0 gives the Joukowski airfoil).
JoukowskiAirfoil karmanTrefftzAirfoil(double centreX, double centreY, double tauDeg, double alphaDeg,
                                      int upperPoints, int lowerPoints);

}  // namespace velarix::analysis
