// Public face of the graphics layer: the canvas, the drawing of planform
// and distributions, the display toggles and the redraw cycle.
#pragma once

#include "graphics/airfoil_preview.h"
#include "graphics/canvas.h"
#include "graphics/display_toggles.h"
#include "graphics/planform_drawing.h"
#include "graphics/redraw_cycle.h"
