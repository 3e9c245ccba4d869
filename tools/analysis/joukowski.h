// Exact potential flow about a Joukowski airfoil, the reference for the
// panel method: the circle |zeta - mu| = R through zeta = 1 is mapped by
// z = zeta + 1/zeta; the flow about the circle with the circulation of the
// Kutta condition at zeta = 1 maps to the flow about the airfoil.
// Speeds: |dw/dz| = |w'(zeta)| / |1 - 1/zeta^2|, free-stream speed 1.
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

}  // namespace velarix::analysis
