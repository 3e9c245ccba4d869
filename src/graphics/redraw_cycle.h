// The recompute-and-redraw cycle of the main window.
//
// Every change of the wing or of the display ends in refreshWingDisplay: it
// optionally recomputes the wing, refreshes the readout at the marker bar,
// and rebuilds the drawing area and the axis strip from scratch in a fixed
// order (copy-mode planform first, then the inverting curves, bars and
// axis, the vortex lines last). On the way it enables the toggles whose
// drawing is shown and disables the others.
#pragma once

#include <functional>

#include "graphics/canvas.h"
#include "graphics/display_toggles.h"
#include "graphics/planform_drawing.h"

namespace velarix {

struct RedrawContext {
  Canvas& drawingArea;
  Canvas& axisStrip;
  DisplayToggleState& toggles;
  // The spanwise profile and total drag are up to date. Cleared by every
  // recomputation here; set by the profile-drag run at the stations.
  bool& profileDragValid;
  // The wing computation (stations, solver, coefficients, drawing scale).
  std::function<void()> recompute;
  // The readout of the values at the marker bar.
  std::function<void()> refreshReadout;
  // The values to draw, taken after the computation has run.
  std::function<DrawingInputs()> drawingInputs;
};

// One pass of the cycle. An exception from the computation does not stop
// the readout and the drawing, which show whatever the results hold; it is
// rethrown when the drawing is complete.
void refreshWingDisplay(bool recompute, RedrawContext& context);

}  // namespace velarix

#include "compute/wing_computation.h"

namespace velarix {

// The drawing inputs of a computed wing: its tables and results, the four
// neutral points, the moment coefficients for the rotation pictures, and the
// window's cross-bar row, value-axis column and group colours.
DrawingInputs drawingInputsFor(const TWing& wing, const WingResults& results, Real crossBarY,
                               int valueAxisX, const GroupColours& groupColours);

}  // namespace velarix
