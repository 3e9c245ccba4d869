// Drawing of the main window: the planform with its flaps, the marks of the
// neutral points, the rotation-direction pictures, the spanwise
// distributions as curves each with its own vertical scale, the local
// centres of pressure, the Multhopp stations, the marker bar and the value
// axis.
//
// Every operation paints on a Canvas and reads its values from a
// DrawingInputs; none keeps state between calls. Curves, bars and axes are
// drawn in inverting pen mode, everything else in copy mode; each operation
// leaves the pen in copy mode.
//
// Pixel coordinates are rounded to the nearest integer with halves to even
// and clamped to +-kPixelLimit, so that a runaway value ends up far outside
// the surface instead of overflowing an int.
#pragma once

#include <array>
#include <optional>

#include "compute/span_distribution.h"
#include "compute/stations.h"
#include "graphics/canvas.h"
#include "graphics/display_toggles.h"
#include "wing/wing.h"

namespace velarix {

// Free band above and below every distribution curve [pixels].
inline constexpr int kCurveMargin = 20;
// The strip below the drawing area in which the value axis is placed.
inline constexpr int kAxisStripWidth = 880;
inline constexpr int kAxisStripHeight = 12;
// Largest pixel coordinate magnitude handed to a canvas.
inline constexpr int kPixelLimit = 1'000'000;

// Sizes of the rotation-direction pictures [pixels].
inline constexpr int kRollPictureWidth = 136;
inline constexpr int kRollPictureHeight = 46;
inline constexpr int kYawPictureWidth = 56;
inline constexpr int kYawPictureHeight = 56;

inline constexpr int kFlapGroupCount = 100;
using GroupColours = std::array<Colour, kFlapGroupCount>;
// Every group white, as without a settings file.
GroupColours defaultGroupColours();

enum class NeutralPoint { XC, XE, XN, XD };

// Everything the drawing reads. The wing and the distribution are borrowed;
// they must outlive the inputs.
struct DrawingInputs {
  const TWing& wing;                      // tables, halfSpan, wingPresent, switches,
                                          // barPosition
  const TSpanDistribution& distribution;  // stations 1..m, tips 0 and m+1
  DrawingMapping mapping;                 // planform mapping of the drawing area
  Real xc = 0;                            // geometric neutral point [m]
  Real xe = 0;                            // elliptic neutral point [m]
  Real xn = 0;                            // aerodynamic neutral point [m]
  Real xd = 0;                            // centre of pressure [m]
  Real rollingMoment = 0;                 // rolling-moment coefficient
  Real yawingMoment = 0;                  // yawing-moment coefficient
  Real crossBarY = 0;                     // horizontal bar of the cross [pixels]
  int valueAxisX = 5;                     // value axis column [pixels]
  GroupColours groupColours = defaultGroupColours();
};

// Column and row of the point (y, x) [m] of the planform:
// round(y*drawScale) + drawOriginX, round(x*drawScale) + drawOriginY.
int planformColumn(const DrawingMapping& mapping, Real y);
int planformRow(const DrawingMapping& mapping, Real x);
// Nearest integer (halves to even), clamped to +-kPixelLimit; NaN gives 0.
int toPixel(Real value);

// The drawing area: white inside a one-pixel edge, with a black frame when
// `frame` is set. The brush is left white.
void clearImage(Canvas& canvas, bool frame);
// The axis strip: filled with the button-face colour, no frame.
void clearAxisStrip(Canvas& strip);

// Outline, quarter-chord line and flaps (filled in their group colour),
// if a wing is present. Rows whose cells are no numbers are left out.
void drawPlanform(Canvas& canvas, const DrawingInputs& in);

// Circle, tick, leader and label of one of the four points at the wing
// centre. XC and XE are labelled to the right, XN and XD to the left; the
// label goes up when the partner (XC with XE, XN with XD) lies at or behind
// the point, else down.
void drawNeutralPointMark(Canvas& canvas, const DrawingInputs& in, NeutralPoint point);

// Roll and yaw pictures for the sign of the rolling and yawing moment
// coefficients rounded to 5 decimals; nothing for a value that rounds to 0.
void drawRotationIcons(Canvas& canvas, const DrawingInputs& in);

// The prescribed circulation p_i = sin(i*pi/(m+1))^n * gamma_c, mirrored
// about the centre station c, with n = the wing's gamma exponent. Nothing
// when n is no number or n <= 0, or without stations.
std::optional<Distribution> computeGammaPrescription(const TWing& wing,
                                                     const TSpanDistribution& distribution);

// A Prescription curve is dotted, scaled together with the circulation and
// sampled three times more coarsely, and has no zero line.
enum class CurveKind { Plain, Prescription };

// Catmull-Rom spline through the station values (0 at both tips) with its
// own vertical scale in the band between kCurveMargin and H - kCurveMargin,
// and a dash-dot zero line across the surface. A distribution that is 0
// everywhere has no scale: only its zero line is drawn, at H - kCurveMargin.
// A distribution with a value that is not finite is not drawn.
void drawDistributionCurve(Canvas& canvas, const DrawingInputs& in, const Distribution& values,
                           Colour colour, CurveKind kind);

// Straight lines through the Reynolds numbers at 0..m+1 (tips included),
// scaled like a curve, with the zero line.
void drawReynoldsPolyline(Canvas& canvas, const DrawingInputs& in, Colour colour);

// Dotted line through the local centres of pressure (eta_k, xd_k).
void drawLocalCentresOfPressure(Canvas& canvas, const DrawingInputs& in);

// Grey vertical bar over the whole height at the span position [m], in
// inverting mode: drawing it twice at the same place removes it. Only with
// a wing present.
void drawMarkerBar(Canvas& canvas, const DrawingInputs& in, Real barPosition);

// Grey horizontal bar over the whole width at the pixel row, inverting.
void drawCrossBar(Canvas& canvas, const DrawingInputs& in, Real row);

// Filled black triangle pointing up at column x of the axis strip.
void drawValueAxisMarker(Canvas& strip, int x);

// The value axis of the chosen distribution (chosenValueAxis) at column x:
// vertical line, eleven ticks and, with `labels`, the tick values and the
// axis name. Lines are inverting, so an axis without labels drawn twice
// vanishes. ai is shown in degrees.
void drawValueAxis(Canvas& canvas, const DrawingInputs& in, const DisplayToggleState& toggles,
                   int x, bool labels);

// Red dotted vertical lines at the stations.
void drawVortexStations(Canvas& canvas, const DrawingInputs& in);

}  // namespace velarix
