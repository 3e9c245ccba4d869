#include "wing/control_availability.h"

#include <cmath>

#include "wing/cell_number.h"

namespace velarix {

namespace {

std::optional<Real> numberOf(const CellTable& table, int column, int row) {
  Real value = 0;
  if (!tryParseCellNumber(table.cell(column, row), value)) return std::nullopt;
  return value;
}

ControlState shown(std::string text) { return ControlState{true, std::move(text)}; }

std::string roundedText(Real value, int decimals) {
  return formatCellNumber(roundToDecimals(value, decimals));
}

std::optional<int> kinkRowAtBar(const TWing& wing) {
  for (int row = 1; row <= wing.kinkCount(); ++row) {
    const std::optional<Real> y = numberOf(wing.kinkTable, kColKinkY, row);
    if (y && *y == wing.barPosition) return row;
  }
  return std::nullopt;
}

std::optional<int> flapRowAtBar(const TWing& wing) {
  for (int row = 1; row <= wing.flapCount(); ++row) {
    const std::optional<Real> left = numberOf(wing.flapTable, kColFlapYLeft, row);
    const std::optional<Real> right = numberOf(wing.flapTable, kColFlapYRight, row);
    if (left && right && *left < wing.barPosition && wing.barPosition < *right) return row;
  }
  return std::nullopt;
}

// Angle of the chord line at fraction p between kink rows a and b, in
// degrees (57.3 per radian) rounded to one decimal:
//   arctan(((x_b + p*t_b) - (x_a + p*t_a)) / (y_b - y_a) * direction)
// with direction +1 toward the right neighbour and the formula's sign for
// the left one (both positive when the line runs aft toward the tips).
std::optional<std::string> sweepText(const TWing& wing, int row, int neighbour, Real p) {
  const CellTable& k = wing.kinkTable;
  const auto x = numberOf(k, kColKinkX, row);
  const auto t = numberOf(k, kColKinkChord, row);
  const auto y = numberOf(k, kColKinkY, row);
  const auto xn = numberOf(k, kColKinkX, neighbour);
  const auto tn = numberOf(k, kColKinkChord, neighbour);
  const auto yn = numberOf(k, kColKinkY, neighbour);
  if (!x || !t || !y || !xn || !tn || !yn || *yn == *y) return std::nullopt;
  Real ratio = 0;
  if (neighbour > row) {
    ratio = ((*xn + p * *tn) - (*x + p * *t)) / (*yn - *y);
  } else {
    ratio = ((*x + p * *t) - (*xn + p * *tn)) / (*yn - *y);
  }
  return roundedText(std::atan(ratio) * kDegPerRadRounded, 1);
}

void fillKinkFields(const TWing& wing, const EditingContext& context, int row,
                    ControlAvailability& c) {
  const CellTable& k = wing.kinkTable;
  const Real y = wing.barPosition;
  const Real s = wing.halfSpan;
  c.chord = shown(k.cell(kColKinkChord, row));
  c.chordReferenceEnabled = true;
  c.chordAngle = shown(k.cell(kColKinkChordAngle, row));
  c.pivot = shown(k.cell(kColKinkPivotPercent, row));
  const std::optional<Real> x = numberOf(k, kColKinkX, row);
  c.leadingEdgeX = shown(x ? roundedText(*x, 4) : k.cell(kColKinkX, row));
  c.airfoil = shown(k.cell(kColKinkAirfoil, row));
  c.sweepReferenceEnabled = true;

  Real percent = 0;
  const bool referenceIsNumber = tryParseCellNumber(context.sweepReferenceText, percent);
  const Real p = percent / 100;
  if (y < s) {
    c.sweepRight.enabled = true;
    if (referenceIsNumber && row < wing.kinkCount()) {
      c.sweepRight.text = sweepText(wing, row, row + 1, p).value_or("");
    }
  }
  if (y > -s) {
    c.sweepLeft.enabled = true;
    if (referenceIsNumber && row > 1) {
      c.sweepLeft.text = sweepText(wing, row, row - 1, p).value_or("");
    }
  }
}

void fillFlapFields(const TWing& wing, int row, ControlAvailability& c) {
  const CellTable& f = wing.flapTable;
  const std::optional<Real> left = numberOf(f, kColFlapChordLeft, row);
  const std::optional<Real> right = numberOf(f, kColFlapChordRight, row);
  if (!((left && *left > 0) || (right && *right > 0))) return;
  c.flapRow = row;
  c.flapGroup = shown(f.cell(kColFlapGroup, row));
  c.flapNumber = shown(f.cell(kColFlapNumber, row));
  c.flapChordLeft = shown(f.cell(kColFlapChordLeft, row));
  c.flapChordRight = shown(f.cell(kColFlapChordRight, row));
  c.flapDeflection = shown(f.cell(kColFlapDeflection, row));
}

}  // namespace

ControlAvailability controlsAtBar(const TWing& wing, const EditingContext& context) {
  ControlAvailability c;
  const Real y = wing.barPosition;
  const Real s = wing.halfSpan;
  c.stationCount = shown(std::to_string(wing.stationCount));
  c.barPosition = shown(roundedText(y, 4));

  c.kinkRow = kinkRowAtBar(wing);
  c.deleteKinkEnabled = c.kinkRow && -s < y && y < s && y != 0;
  c.setKinkEnabled = !(y == -s || y == s || y == 0);
  if (c.kinkRow) fillKinkFields(wing, context, *c.kinkRow, c);
  c.offKinkButtonsEnabled = !c.kinkRow;

  if (const std::optional<int> field = flapRowAtBar(wing)) fillFlapFields(wing, *field, c);
  return c;
}

}  // namespace velarix
