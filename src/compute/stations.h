// Multhopp stations and the interpolation of the planform onto them.
#pragma once

#include <stdexcept>
#include <string>

#include "compute/span_distribution.h"
#include "wing/wing.h"

namespace velarix {

// Size of the main window's drawing area [pixels].
inline constexpr int kDrawingAreaWidth = 880;
inline constexpr int kDrawingAreaHeight = 311;
// Total free width and height around the planform [pixels].
inline constexpr int kPlanformMargin = 60;

// Planform mapping of the drawing area: a point (y, x) in metres lies at
// column round(y*drawScale) + drawOriginX, row round(x*drawScale) + drawOriginY.
struct DrawingMapping {
  Real drawScale = 1.0L;  // [pixels/m]
  int drawOriginX = 0;
  int drawOriginY = 0;
  bool operator==(const DrawingMapping&) const = default;
};

// A wing that the computation cannot use. The message names the table, the
// row and the column and says what is wrong.
class WingDataError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Checks what the computation relies on: at least two kink rows sorted by y
// without two rows at the same y, no "strak" at a tip, one flap row per kink
// interval, every used cell a number, positive chords, a station count that
// is odd in 3..127. Throws WingDataError.
void validateWingForComputation(const TWing& wing);

// halfSpan = kinkY of the last row, span = 2*halfSpan, written into the wing.
void computeSpan(TWing& wing);

// Drawing scale for a drawing area of width x height pixels; the origins are
// stored in `mapping` (kept as they were when the planform has no depth or
// no span, where the scale is 1).
Real computeDrawingScale(const TWing& wing, int width, int height, DrawingMapping& mapping);

// Station positions and the planform, twist, zero-lift angle, moment and
// flap effects at every station, for m = wing.stationCount. Expects a wing
// that passed validateWingForComputation.
void computeStations(const TWing& wing, TSpanDistribution& distribution);

}  // namespace velarix
