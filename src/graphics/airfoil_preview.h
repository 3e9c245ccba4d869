// The airfoil preview of the airfoil polar window: the whole section drawn
// across a small framed box, with a dashed chord stub at mid-height.
#pragma once

#include <vector>

#include "airfoil/airfoil.h"
#include "graphics/canvas.h"

namespace velarix {

// Clears the box with a frame; with s = W - 20 a point (x, y) in chord
// fractions lies at column round(s*x + 10), row H div 2 - round(s*y). With
// more than two points the points are joined in order, then a dashed line
// runs at row H div 2 from the first point's column to column 10.
void drawAirfoilPreview(Canvas& canvas, const std::vector<TCoord>& points);

}  // namespace velarix
