// Shared machinery of the planform and flap editing operations (internal to
// the wing layer).
//
// Every editing operation runs on a copy of the wing and takes the copy over
// only when it has run to its end. A text that is no number, in the entry or
// in a cell the operation reads, raises CellConversionError on the way; the
// error is shown and the wing keeps every cell as it was, so an edit never
// stops half-way with a half-mirrored wing. The closing redraw runs on the
// committed wing, after the commit.
#pragma once

#include <utility>

#include "wing/cell_number.h"
#include "wing/editing_context.h"
#include "wing/platform.h"
#include "wing/wing.h"

namespace velarix::editing {

// What an operation asks for at its end.
struct Closing {
  enum class Kind { None, Redraw, Recompute, BarMoved };
  Kind kind = Kind::None;
  Real oldBarPosition = 0;  // for BarMoved [m]

  static Closing none() { return {}; }
  static Closing redraw() { return {Kind::Redraw, 0}; }
  static Closing recompute() { return {Kind::Recompute, 0}; }
  static Closing barMoved(Real oldPosition) { return {Kind::BarMoved, oldPosition}; }
};

// Runs `edit` (TWing& -> Closing) on a copy of the wing while a wing is
// present. Returns whether the edit was committed.
template <class Edit>
bool runEdit(TWing& wing, Platform& platform, Edit&& edit) {
  if (!wing.wingPresent) return false;
  TWing work = wing;
  Closing closing;
  try {
    closing = std::forward<Edit>(edit)(work);
  } catch (const CellConversionError& error) {
    platform.showError(kEditingErrorCaption, error.what());
    return false;
  }
  wing = std::move(work);
  switch (closing.kind) {
    case Closing::Kind::None:
      break;
    case Closing::Kind::Redraw:
      platform.refreshWingDisplay(false);
      break;
    case Closing::Kind::Recompute:
      platform.refreshWingDisplay(true);
      break;
    case Closing::Kind::BarMoved:
      platform.moveMarkerBar(closing.oldBarPosition, wing.barPosition);
      break;
  }
  return true;
}

// The value a number takes when it is written into a cell and read back:
// truncated toward zero to six decimals.
inline Real sixDecimals(Real x) { return parseCellNumber(formatCellNumber(x)); }

// The bar stays within [-halfSpan, halfSpan] (halfSpan of the last
// recompute). A jump to a kink or field beyond it, which only a wing whose
// left tip lies farther out than the right one has, stops at the limit.
inline Real clampedBar(const TWing& wing, Real y) {
  if (y < -wing.halfSpan) return -wing.halfSpan;
  if (y > wing.halfSpan) return wing.halfSpan;
  return y;
}

// Flap numbers 1..M in table order.
inline void renumberFlaps(TWing& wing) {
  for (int r = 1; r <= wing.flapCount(); ++r) {
    wing.flapTable.setCell(kColFlapNumber, r, std::to_string(r));
  }
}

}  // namespace velarix::editing
