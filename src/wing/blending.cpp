#include "wing/blending.h"

#include <optional>

#include "airfoil/airfoil.h"
#include "wing/cell_number.h"
#include "wing/platform.h"
#include "wing/wing.h"

namespace velarix {
namespace {

constexpr int kTipMessage = 10;

bool isBlendedRow(const TWing& wing, int row) {
  return wing.kinkTable.cell(kColKinkAirfoil, row) == kBlendedAirfoil;
}

// Zero-lift angle and moment of a kink from its stored (six-decimal) section.
void writeCharacteristicsFromSection(TWing& wing, int row) {
  TAirfoil section;
  for (int i = 0; i < kSectionPoints; ++i) {
    section.AddPoint({sectionX(i), kinkSectionY(wing, row, i)});
  }
  section.ComputeCharacteristics();
  wing.kinkTable.setNumber(kColKinkAlpha0, row, section.GetCharacteristic(kSlotAlpha0));
  wing.kinkTable.setNumber(kColKinkCm0, row, section.GetCharacteristic(kSlotCm0));
}

// v_a = (y_a - y_c)*(v_n - v_c)/(y_n - y_c) + v_c for every ordinate, between
// the source rows c (left) and n (right).
void blendBetween(TWing& wing, int row, int left, int right) {
  const Real ya = kinkY(wing, row);
  const Real yc = kinkY(wing, left);
  const Real yn = kinkY(wing, right);
  for (int i = 0; i < kSectionPoints; ++i) {
    const Real vc = kinkSectionY(wing, left, i);
    const Real vn = kinkSectionY(wing, right, i);
    // Two sources at the same span position (rows with equal y) leave no
    // span to interpolate over: the left source is taken.
    const Real va = yn == yc ? vc : (ya - yc) * (vn - vc) / (yn - yc) + vc;
    wing.kinkTable.setNumber(kColKinkSection + i, row, va);
  }
}

bool isTipRow(const TWing& wing, int row) { return row == 1 || row == wing.kinkCount(); }

void markBlended(TWing& wing, int row) {
  wing.kinkTable.setCell(kColKinkAirfoil, row, std::string(kBlendedAirfoil));
  wing.kinkTable.setCell(kColKinkAlpha0, row, "");
  wing.kinkTable.setCell(kColKinkCm0, row, "");
}

}  // namespace

// The sources of a blended kink are the nearest kinks on either side that
// carry an airfoil; the searches stop at the tips, which are taken even when
// blended. A blended tip has no source beyond it: it keeps its own stored
// ordinates, and its zero-lift values are recomputed from them like those of
// every blended kink.
void UpdateBlendedSections(TWing& wing) {
  const int last = wing.kinkCount();
  for (int row = 1; row <= last; ++row) {
    if (!isBlendedRow(wing, row)) continue;
    if (!isTipRow(wing, row)) {
      int left = row - 1;
      while (left > 1 && isBlendedRow(wing, left)) --left;
      int right = row + 1;
      while (right < last && isBlendedRow(wing, right)) ++right;
      blendBetween(wing, row, left, right);
    }
    writeCharacteristicsFromSection(wing, row);
  }
}

// A tip kink can't be a blend: neither the kink at the bar (a tip by
// +-halfSpan of the last recompute or by its row) nor, with symmetric input,
// its mirror kink is ever marked. A bar that stands on no kink changes
// nothing and keeps the polar window open.
bool MarkKinkAsBlended(TWing& wing, Platform& platform) {
  const Real bar = wing.barPosition;
  if (bar == wing.halfSpan || bar == -wing.halfSpan) {
    platform.showMessage(kTipMessage);
    return false;
  }
  if (!wing.wingPresent) return false;
  const std::optional<int> row = kinkRowAt(wing, bar);
  if (!row) return false;
  if (isTipRow(wing, *row)) {
    platform.showMessage(kTipMessage);
    return false;
  }
  markBlended(wing, *row);
  if (wing.symmetricInput) {
    const std::optional<int> mirror = kinkRowAt(wing, -bar);
    if (mirror && !isTipRow(wing, *mirror)) markBlended(wing, *mirror);
  }
  wing.wingSaved = false;
  UpdateBlendedSections(wing);
  platform.refreshWingDisplay(true);
  return true;
}

}  // namespace velarix
