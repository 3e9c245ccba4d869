#include "wing/planform_editing.h"

#include <cmath>
#include <optional>
#include <string>

#include "wing/blending.h"
#include "wing/cell_number.h"
#include "wing/editing_support.h"

namespace velarix {

using editing::Closing;
using editing::renumberFlaps;
using editing::runEdit;
using editing::sixDecimals;

namespace {

constexpr Real kMaxSpan = 100;      // [m], message 1 above
constexpr Real kMinSpan = 0.01L;    // [m], message 2 below
constexpr Real kMinChord = 0.001L;  // [m], message 2 below
constexpr Real kMaxAngleDeg = 89;   // message 4 beyond +-
constexpr Real kBarStep = 0.001L;   // [m], one "-" or "+"
constexpr int kMessageSpanTooLarge = 1;
constexpr int kMessageTooSmall = 2;
constexpr int kMessageAngle = 4;
constexpr int kMessagePercent = 8;
constexpr int kMessageCentreX = 14;

bool isAngleInRange(Real angleDeg) { return angleDeg >= -kMaxAngleDeg && angleDeg <= kMaxAngleDeg; }
bool isPercentInRange(Real p) { return p >= 0 && p <= 100; }

Real cellY(const TWing& wing, int row) { return wing.kinkTable.number(kColKinkY, row); }
Real cellX(const TWing& wing, int row) { return wing.kinkTable.number(kColKinkX, row); }
Real cellChord(const TWing& wing, int row) { return wing.kinkTable.number(kColKinkChord, row); }

// The kink at the bar and, with symmetric input, the mirrored kink (the same
// row at the centre).
struct BarKinks {
  std::optional<int> atBar;
  std::optional<int> mirrored;
};

BarKinks kinksAtBar(const TWing& wing) {
  BarKinks kinks;
  kinks.atBar = kinkRowAt(wing, wing.barPosition);
  if (wing.symmetricInput) kinks.mirrored = kinkRowAt(wing, -wing.barPosition);
  return kinks;
}

// Writes one kink column at the kink at the bar and at the mirrored kink.
void writeAtBarKinks(TWing& wing, const BarKinks& kinks, int column, Real value) {
  if (kinks.atBar) wing.kinkTable.setNumber(column, *kinks.atBar, value);
  if (kinks.mirrored) wing.kinkTable.setNumber(column, *kinks.mirrored, value);
}

// Inserts a "strak" kink at y when y lies strictly inside a kink interval
// i, i+1 and splits flap field i there. With w = (y - y_i)/(y_i+1 - y_i) the
// leading edge, the trailing edge, the chord angle, the pivot and the flap
// chord are interpolated linearly. Returns whether a kink was inserted.
bool insertKink(TWing& wing, Real y) {
  const std::optional<int> interval = kinkIntervalAt(wing, y);
  if (!interval) return false;
  const int i = *interval;
  CellTable& k = wing.kinkTable;
  CellTable& f = wing.flapTable;

  const Real yLeft = cellY(wing, i);
  const Real yRight = cellY(wing, i + 1);
  const Real w = (y - yLeft) / (yRight - yLeft);
  const Real xLeft = cellX(wing, i);
  const Real xRight = cellX(wing, i + 1);
  const Real trailingLeft = xLeft + cellChord(wing, i);
  const Real trailingRight = xRight + cellChord(wing, i + 1);
  const Real leadingEdge = xLeft + w * (xRight - xLeft);
  const Real trailingEdge = trailingLeft + w * (trailingRight - trailingLeft);
  const Real angleLeft = k.number(kColKinkChordAngle, i);
  const Real angle = angleLeft + w * (k.number(kColKinkChordAngle, i + 1) - angleLeft);
  const Real pivotLeft = k.number(kColKinkPivotPercent, i);
  const Real pivot = pivotLeft + w * (k.number(kColKinkPivotPercent, i + 1) - pivotLeft);

  const Real flapChordLeft = f.number(kColFlapChordLeft, i);
  const Real flapChordRight = f.number(kColFlapChordRight, i);
  const Real flapChordAtKink = flapChordLeft + w * (flapChordRight - flapChordLeft);
  const std::string group = f.cell(kColFlapGroup, i);
  const std::string deflection = f.cell(kColFlapDeflection, i);

  k.insertRow(1);
  k.setNumber(kColKinkY, 1, y);
  k.setNumber(kColKinkX, 1, leadingEdge);
  k.setCell(kColKinkZ, 1, "0");
  k.setNumber(kColKinkChord, 1, trailingEdge - leadingEdge);
  k.setNumber(kColKinkChordAngle, 1, angle);
  k.setNumber(kColKinkPivotPercent, 1, pivot);
  k.setCell(kColKinkAirfoil, 1, std::string(kBlendedAirfoil));
  k.sortRows(1, k.rowCount() - 1, kColKinkY);

  f.setNumber(kColFlapYRight, i, y);
  f.setNumber(kColFlapChordRight, i, flapChordAtKink);
  f.insertRow(1);
  f.setNumber(kColFlapYLeft, 1, y);
  f.setNumber(kColFlapChordLeft, 1, flapChordAtKink);
  f.setNumber(kColFlapYRight, 1, yRight);
  f.setNumber(kColFlapChordRight, 1, flapChordRight);
  f.setCell(kColFlapGroup, 1, group);
  f.setCell(kColFlapDeflection, 1, deflection);
  f.sortRows(1, f.rowCount() - 1, kColFlapYLeft);
  renumberFlaps(wing);
  wing.wingSaved = false;
  return true;
}

void clearFlapField(CellTable& f, int row) {
  for (int column : {kColFlapChordLeft, kColFlapChordRight, kColFlapGroup, kColFlapDeflection}) {
    f.setCell(column, row, "0");
  }
}

void copyFlapGroupAndDeflection(CellTable& f, int from, int to) {
  f.setCell(kColFlapGroup, to, f.cell(kColFlapGroup, from));
  f.setCell(kColFlapDeflection, to, f.cell(kColFlapDeflection, from));
}

// Removes kink row q; flap fields q-1 and q become one field, kept in row q:
// it takes the left end of field q-1, and its flap by the delete condition
// ("linke Kl. ünern.": that of field q-1; "beide Kl. löschen": none; any
// other text: its own).
void removeKinkKeepingRightField(TWing& wing, int q) {
  CellTable& f = wing.flapTable;
  f.setCell(kColFlapYLeft, q, f.cell(kColFlapYLeft, q - 1));
  f.setCell(kColFlapChordLeft, q, f.cell(kColFlapChordLeft, q - 1));
  if (wing.kinkDeleteCondition == kDeleteTakeLeftFlap) {
    copyFlapGroupAndDeflection(f, q - 1, q);
  } else if (wing.kinkDeleteCondition == kDeleteBothFlaps) {
    clearFlapField(f, q);
  }
  f.removeRow(q - 1);
  wing.kinkTable.removeRow(q);
}

// The mirror image for the mirrored kink r: the merged field is kept in row
// r-1 and takes the right end of field r; "linke Kl. ünern." takes the flap
// of field r, the one nearer the centre.
void removeKinkKeepingLeftField(TWing& wing, int r) {
  CellTable& f = wing.flapTable;
  f.setCell(kColFlapYRight, r - 1, f.cell(kColFlapYRight, r));
  f.setCell(kColFlapChordRight, r - 1, f.cell(kColFlapChordRight, r));
  if (wing.kinkDeleteCondition == kDeleteTakeLeftFlap) {
    copyFlapGroupAndDeflection(f, r, r - 1);
  } else if (wing.kinkDeleteCondition == kDeleteBothFlaps) {
    clearFlapField(f, r - 1);
  }
  f.removeRow(r);
  wing.kinkTable.removeRow(r);
}

// An inner kink: neither a tip row nor the centre.
bool isRemovableKink(const TWing& wing, int row) {
  return row > 1 && row < wing.kinkCount() && cellY(wing, row) != 0;
}

// "<" without the redraw: to the next kink left of the bar.
void jumpKinkLeftInPlace(TWing& wing) {
  if (!(wing.barPosition > -wing.halfSpan)) return;
  for (int i = 1; i < wing.kinkCount(); ++i) {
    if (cellY(wing, i) < wing.barPosition && wing.barPosition <= cellY(wing, i + 1)) {
      wing.barPosition = editing::clampedBar(wing, cellY(wing, i));
      return;
    }
  }
}

// ">" without the redraw: to the next kink right of the bar.
void jumpKinkRightInPlace(TWing& wing) {
  if (!(wing.barPosition < wing.halfSpan)) return;
  for (int i = 1; i < wing.kinkCount(); ++i) {
    if (cellY(wing, i) <= wing.barPosition && wing.barPosition < cellY(wing, i + 1)) {
      wing.barPosition = editing::clampedBar(wing, cellY(wing, i + 1));
      return;
    }
  }
}

// --- Span ---------------------------------------------------------------

// Scaling conditions: y <- r*y and x (and the chord for "Varia") by the
// line of the chord that keeps its sweep; flap ends y <- r*y. Returns false
// for a text that names no scaling condition.
bool scaleSpan(TWing& wing, Real r) {
  const std::string& condition = wing.spanCondition;
  // Fraction of the chord whose line keeps its angle (x_f = x + f*c).
  Real keptFraction = 0;
  bool scaleX = true;
  bool scaleChord = false;
  if (condition == kSpanKeepLeadingEdgeSweep) {
    keptFraction = 0;
  } else if (condition == kSpanKeepQuarterChordSweep) {
    keptFraction = 0.25L;
  } else if (condition == kSpanKeepTrailingEdgeSweep) {
    keptFraction = 1;
  } else if (condition == kSpanKeepLeadingEdgeCoordinates) {
    scaleX = false;
  } else if (condition == kSpanVaria) {
    scaleChord = true;
  } else {
    return false;
  }
  CellTable& k = wing.kinkTable;
  for (int row = 1; row <= wing.kinkCount(); ++row) {
    const Real y = cellY(wing, row);
    const Real x = cellX(wing, row);
    const Real chord = cellChord(wing, row);
    k.setNumber(kColKinkY, row, r * y);
    if (scaleChord) {
      k.setNumber(kColKinkX, row, r * x);
      k.setNumber(kColKinkChord, row, r * chord);
    } else if (scaleX) {
      k.setNumber(kColKinkX, row, r * (x + keptFraction * chord) - keptFraction * chord);
    }
  }
  CellTable& f = wing.flapTable;
  for (int row = 1; row <= wing.flapCount(); ++row) {
    const Real left = f.number(kColFlapYLeft, row);
    const Real right = f.number(kColFlapYRight, row);
    f.setNumber(kColFlapYLeft, row, r * left);
    f.setNumber(kColFlapYRight, row, r * right);
  }
  return true;
}

// Copies the kink columns 1..69 (everything but y) from one row to another.
void copyKinkBeyondY(CellTable& k, int from, int to) {
  for (int column = kColKinkX; column < kKinkColumns; ++column) {
    k.setCell(column, to, k.cell(column, from));
  }
}

void setEmptyFlapField(CellTable& f, int row, Real yLeft, Real yRight) {
  f.setNumber(kColFlapYLeft, row, yLeft);
  f.setNumber(kColFlapYRight, row, yRight);
  clearFlapField(f, row);
}

// "Ansetzen / Abschneiden" at the right end: a new tip at y continuing the
// old one (same x, chord, twist and airfoil) with an empty flap field.
void attachRightEnd(TWing& wing, Real y) {
  CellTable& k = wing.kinkTable;
  CellTable& f = wing.flapTable;
  const int oldTip = wing.kinkCount();
  const Real oldTipY = cellY(wing, oldTip);
  k.setRowCount(k.rowCount() + 1);
  k.setNumber(kColKinkY, oldTip + 1, y);
  copyKinkBeyondY(k, oldTip, oldTip + 1);
  f.setRowCount(f.rowCount() + 1);
  setEmptyFlapField(f, f.rowCount() - 1, oldTipY, y);
}

void attachLeftEnd(TWing& wing, Real y) {
  CellTable& k = wing.kinkTable;
  CellTable& f = wing.flapTable;
  const Real oldTipY = cellY(wing, 1);
  k.insertRow(1);
  k.setNumber(kColKinkY, 1, y);
  copyKinkBeyondY(k, 2, 1);
  f.insertRow(1);
  setEmptyFlapField(f, 1, y, oldTipY);
}

void makeFlatPlateEnd(CellTable& k, int row) {
  k.setCell(kColKinkAirfoil, row, std::string(kFlatPlateAirfoil));
  k.setCell(kColKinkAlpha0, row, "0");
  k.setCell(kColKinkCm0, row, "0");
}

// "Ansetzen / Abschneiden": each wing end moves to +-b/2, attached where the
// new end lies beyond the old one and cut off where it lies inside. For a
// wing with mirror-equal ends both ends do the same.
void attachOrCut(TWing& wing, Real span) {
  const Real half = sixDecimals(span / 2);
  const Real rightTip = cellY(wing, wing.kinkCount());
  const Real leftTip = cellY(wing, 1);
  const bool cutRight = half < rightTip;
  const bool cutLeft = -half > leftTip;
  if (half > rightTip) attachRightEnd(wing, half);
  if (-half < leftTip) attachLeftEnd(wing, -half);
  if (cutRight || cutLeft) {
    if (cutRight) insertKink(wing, half);
    if (cutLeft) insertKink(wing, -half);
    UpdateBlendedSections(wing);
    CellTable& k = wing.kinkTable;
    for (int row = wing.kinkCount(); row >= 1; --row) {
      const Real y = cellY(wing, row);
      if (y < -half || y > half) k.removeRow(row);
    }
    CellTable& f = wing.flapTable;
    for (int row = wing.flapCount(); row >= 1; --row) {
      const Real left = f.number(kColFlapYLeft, row);
      const Real right = f.number(kColFlapYRight, row);
      if (left < -half || left > half || right < -half || right > half) f.removeRow(row);
    }
    // Wing ends cannot be blended sections.
    if (cutLeft) makeFlatPlateEnd(k, 1);
    if (cutRight) makeFlatPlateEnd(k, wing.kinkCount());
  }
  renumberFlaps(wing);
}

// --- Sweep ----------------------------------------------------------------

// The chord line at fraction p runs from kink a to its neighbour n at
// angle phi (positive: the neighbour lies aft). With
//   d = tan(phi) * |y_n - y_a|,  o = (x_n + p*c_n) - (x_a + p*c_a) - d
// every kink from n outward (rows first..last) moves by -o.
void sweepToNeighbour(TWing& wing, int a, int neighbour, Real angleDeg, Real p, int first,
                      int last) {
  const Real d =
      std::tan(angleDeg * kPi / 180) * std::fabs(cellY(wing, neighbour) - cellY(wing, a));
  const Real o = (cellX(wing, neighbour) + p * cellChord(wing, neighbour)) -
                 (cellX(wing, a) + p * cellChord(wing, a)) - d;
  for (int row = first; row <= last; ++row) {
    wing.kinkTable.setNumber(kColKinkX, row, cellX(wing, row) - o);
  }
}

void sweepRightAt(TWing& wing, int a, Real angleDeg, Real p) {
  if (a >= wing.kinkCount()) return;
  sweepToNeighbour(wing, a, a + 1, angleDeg, p, a + 1, wing.kinkCount());
}

void sweepLeftAt(TWing& wing, int a, Real angleDeg, Real p) {
  if (a <= 1) return;
  sweepToNeighbour(wing, a, a - 1, angleDeg, p, 1, a - 1);
}

enum class SweepSide { Left, Right };

void setSweep(TWing& wing, const EditingContext& context, Platform& platform,
              std::string_view angleText, SweepSide side) {
  runEdit(wing, platform, [&](TWing& w) {
    const Real angleDeg = parseCellNumber(angleText);
    if (!isAngleInRange(angleDeg)) {
      platform.showMessage(kMessageAngle);
      return Closing::recompute();
    }
    const Real p = parseCellNumber(context.sweepReferenceText) / 100;
    const BarKinks kinks = kinksAtBar(w);
    if (kinks.atBar) {
      if (side == SweepSide::Right) {
        sweepRightAt(w, *kinks.atBar, angleDeg, p);
      } else {
        sweepLeftAt(w, *kinks.atBar, angleDeg, p);
      }
    }
    // The mirrored kink gets the other side with the same angle; the rows
    // stay where they were, so the row found before still holds.
    if (kinks.mirrored) {
      if (side == SweepSide::Right) {
        sweepLeftAt(w, *kinks.mirrored, angleDeg, p);
      } else {
        sweepRightAt(w, *kinks.mirrored, angleDeg, p);
      }
    }
    normaliseX(w);
    w.wingSaved = false;
    return Closing::recompute();
  });
}

}  // namespace

void setKink(TWing& wing, Platform& platform) {
  runEdit(wing, platform, [](TWing& w) {
    const Real y = sixDecimals(w.barPosition);
    bool inserted = insertKink(w, y);
    if (w.symmetricInput) inserted = insertKink(w, -y) || inserted;
    if (inserted) UpdateBlendedSections(w);
    return Closing::recompute();
  });
}

void deleteKink(TWing& wing, Platform& platform) {
  runEdit(wing, platform, [](TWing& w) {
    const std::optional<int> q = kinkRowAt(w, w.barPosition);
    if (!q || !isRemovableKink(w, *q)) return Closing::none();
    removeKinkKeepingRightField(w, *q);
    if (w.symmetricInput) {
      // On a wing that is not mirror-equal the mirrored position may be a
      // tip, which is never removed.
      const std::optional<int> r = kinkRowAt(w, -w.barPosition);
      if (r && isRemovableKink(w, *r)) removeKinkKeepingLeftField(w, *r);
    }
    renumberFlaps(w);
    normaliseX(w);
    w.wingSaved = false;
    if (w.barPosition > 0 && w.barPosition < w.halfSpan) {
      jumpKinkLeftInPlace(w);
    } else if (w.barPosition < 0 && w.barPosition > -w.halfSpan) {
      jumpKinkRightInPlace(w);
    }
    return Closing::recompute();
  });
}

void changeSpan(TWing& wing, Platform& platform, std::string_view spanText) {
  runEdit(wing, platform, [&](TWing& w) {
    const Real b = parseCellNumber(spanText);
    if (b > kMaxSpan) {
      platform.showMessage(kMessageSpanTooLarge);
    } else if (b < kMinSpan) {
      platform.showMessage(kMessageTooSmall);
    } else if (w.spanCondition == kSpanAttachCut) {
      attachOrCut(w, b);
    } else if (w.span > 0) {
      scaleSpan(w, b / w.span);
    }
    w.barPosition = 0;
    normaliseX(w);
    w.wingSaved = false;
    return Closing::recompute();
  });
}

void setChord(TWing& wing, EditingContext& context, Platform& platform,
              std::string_view chordText) {
  bool resetReference = false;
  runEdit(wing, platform, [&](TWing& w) {
    const Real chord = parseCellNumber(chordText);
    if (chord < kMinChord) {
      platform.showMessage(kMessageTooSmall);
      return Closing::recompute();
    }
    Real p = 0;
    if (!tryParseCellNumber(context.chordReferenceText, p) || !isPercentInRange(p)) {
      p = 0;
      resetReference = true;
    }
    const BarKinks kinks = kinksAtBar(w);
    // x_new = x + (p/100)*t_old - (p/100)*t: the point at p % keeps its x.
    for (const std::optional<int>& row : {kinks.atBar, kinks.mirrored}) {
      if (!row) continue;
      const Real oldChord = cellChord(w, *row);
      w.kinkTable.setNumber(kColKinkX, *row, cellX(w, *row) + p / 100 * oldChord - p / 100 * chord);
      w.kinkTable.setNumber(kColKinkChord, *row, chord);
    }
    normaliseX(w);
    w.wingSaved = false;
    return Closing::recompute();
  });
  if (resetReference) context.chordReferenceText.assign(1, '0');
}

void setChordReference(TWing& wing, EditingContext& context, Platform& platform,
                       std::string_view text) {
  if (!wing.wingPresent) return;
  context.chordReferenceText = std::string(text);
  runEdit(wing, platform, [&](TWing&) {
    const Real p = parseCellNumber(text);
    if (!isPercentInRange(p)) {
      platform.showMessage(kMessagePercent);
    } else {
      context.chordReferenceText = formatCellNumber(p);
    }
    return Closing::recompute();
  });
}

void setChordAngle(TWing& wing, Platform& platform, std::string_view angleText) {
  runEdit(wing, platform, [&](TWing& w) {
    const Real angleDeg = parseCellNumber(angleText);
    if (!isAngleInRange(angleDeg)) {
      platform.showMessage(kMessageAngle);
      return Closing::recompute();
    }
    writeAtBarKinks(w, kinksAtBar(w), kColKinkChordAngle, angleDeg);
    w.wingSaved = false;
    return Closing::recompute();
  });
}

void setPivot(TWing& wing, EditingContext& context, Platform& platform, std::string_view text) {
  if (!wing.wingPresent) return;
  context.pivotText = std::string(text);
  runEdit(wing, platform, [&](TWing& w) {
    const Real p = parseCellNumber(text);
    if (!isPercentInRange(p)) {
      platform.showMessage(kMessagePercent);
      return Closing::recompute();
    }
    writeAtBarKinks(w, kinksAtBar(w), kColKinkPivotPercent, p);
    w.wingSaved = false;
    return Closing::recompute();
  });
}

void setLeadingEdgeX(TWing& wing, Platform& platform, std::string_view xText) {
  runEdit(wing, platform, [&](TWing& w) {
    const Real x = parseCellNumber(xText);
    if (w.barPosition == 0) {
      platform.showMessage(kMessageCentreX);
      return Closing::recompute();
    }
    writeAtBarKinks(w, kinksAtBar(w), kColKinkX, x);
    w.wingSaved = false;
    return Closing::recompute();
  });
}

void setSweepRight(TWing& wing, const EditingContext& context, Platform& platform,
                   std::string_view angleText) {
  setSweep(wing, context, platform, angleText, SweepSide::Right);
}

void setSweepLeft(TWing& wing, const EditingContext& context, Platform& platform,
                  std::string_view angleText) {
  setSweep(wing, context, platform, angleText, SweepSide::Left);
}

void setSweepReference(TWing& wing, EditingContext& context, Platform& platform,
                       std::string_view text) {
  if (!wing.wingPresent) return;
  context.sweepReferenceText = std::string(text);
  runEdit(wing, platform, [&](TWing&) {
    if (!isPercentInRange(parseCellNumber(text))) {
      platform.showMessage(kMessagePercent);
      return Closing::recompute();
    }
    return Closing::redraw();
  });
}

void mirrorAirfoil(TWing& wing, Platform& platform) {
  runEdit(wing, platform, [](TWing& w) {
    const BarKinks kinks = kinksAtBar(w);
    if (kinks.atBar && kinks.mirrored) {
      CellTable& k = w.kinkTable;
      const int from = *kinks.atBar;
      const int to = *kinks.mirrored;
      const bool toTip = to == 1 || to == w.kinkCount();
      if (!(toTip && k.cell(kColKinkAirfoil, from) == kBlendedAirfoil)) {
        for (int column = kColKinkAirfoil; column < kKinkColumns; ++column) {
          k.setCell(column, to, k.cell(column, from));
        }
      }
    }
    w.wingSaved = false;
    return Closing::recompute();
  });
}

void jumpKinkLeft(TWing& wing, Platform& platform) {
  runEdit(wing, platform, [](TWing& w) {
    const Real old = w.barPosition;
    jumpKinkLeftInPlace(w);
    return Closing::barMoved(old);
  });
}

void jumpKinkRight(TWing& wing, Platform& platform) {
  runEdit(wing, platform, [](TWing& w) {
    const Real old = w.barPosition;
    jumpKinkRightInPlace(w);
    return Closing::barMoved(old);
  });
}

namespace {

// Positions closer to the centre than one step are the centre itself, so
// that repeated steps meet it exactly.
Real snapToCentre(Real y) { return (y > -kBarStep && y < kBarStep) ? 0 : y; }

}  // namespace

void moveBarMillimetreLeft(TWing& wing, Platform& platform) {
  runEdit(wing, platform, [](TWing& w) {
    const Real old = w.barPosition;
    if (w.barPosition > -w.halfSpan) {
      Real y = w.barPosition - kBarStep;
      if (y < -w.halfSpan) y = -w.halfSpan;
      w.barPosition = snapToCentre(y);
    }
    return Closing::barMoved(old);
  });
}

void moveBarMillimetreRight(TWing& wing, Platform& platform) {
  runEdit(wing, platform, [](TWing& w) {
    const Real old = w.barPosition;
    if (w.barPosition < w.halfSpan) {
      Real y = w.barPosition + kBarStep;
      if (y > w.halfSpan) y = w.halfSpan;
      w.barPosition = snapToCentre(y);
    }
    return Closing::barMoved(old);
  });
}

void setBarPosition(TWing& wing, Platform& platform, std::string_view positionText) {
  runEdit(wing, platform, [&](TWing& w) {
    Real y = parseCellNumber(positionText);
    if (y < -w.halfSpan) y = -w.halfSpan;
    if (y > w.halfSpan) y = w.halfSpan;
    w.barPosition = y;
    return Closing::redraw();
  });
}

}  // namespace velarix
