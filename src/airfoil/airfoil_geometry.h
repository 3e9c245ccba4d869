// Small geometric helpers shared by the airfoil sources (not part of the
// layer's public face).
#pragma once

#include "airfoil/airfoil.h"

namespace velarix::airfoil_detail {

// Linear interpolation (or extrapolation) of y at x through the points a and
// b: y = ya + (yb - ya)*(x - xa)/(xb - xa). Two points with equal x have no
// slope; then the ordinate of a is taken.
inline Real interpolateY(const TCoord& a, const TCoord& b, Real x) {
  if (b.X == a.X) return a.Y;
  return a.Y + (b.Y - a.Y) * (x - a.X) / (b.X - a.X);
}

}  // namespace velarix::airfoil_detail
