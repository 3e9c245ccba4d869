// Test helpers for the editing operations: a FakePlatform that also records
// bar moves and, like the real recompute, takes halfSpan and span from the
// last kink row on every refresh with recomputation.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/fake_platform.h"
#include "wing/cell_number.h"
#include "wing/wing.h"

namespace velarix::testing {

class EditingPlatform : public FakePlatform {
 public:
  explicit EditingPlatform(TWing& wing) : wing_(wing) {}

  std::vector<std::pair<Real, Real>> barMoves;  // (old, new)

  void refreshWingDisplay(bool recompute) override {
    FakePlatform::refreshWingDisplay(recompute);
    if (recompute) updateSpan(wing_);
  }
  void moveMarkerBar(Real oldPosition, Real newPosition) override {
    barMoves.emplace_back(oldPosition, newPosition);
  }

  // halfSpan = kinkY of the last row, span = 2*halfSpan.
  static void updateSpan(TWing& wing) {
    Real y = 0;
    if (wing.kinkCount() >= 1 &&
        tryParseCellNumber(wing.kinkTable.cell(kColKinkY, wing.kinkCount()), y)) {
      wing.halfSpan = y;
      wing.span = 2 * y;
    }
  }

  void clearRecords() {
    messages.clear();
    errors.clear();
    refreshes.clear();
    barMoves.clear();
  }

 private:
  TWing& wing_;
};

// The new wing of "Neuer Flügel" as the recompute leaves it.
inline TWing editableNewWing(bool symmetric) {
  TWing wing;
  resetToNewWing(wing);
  wing.symmetricInput = symmetric;
  EditingPlatform::updateSpan(wing);
  return wing;
}

// The texts of one column over the data rows.
inline std::vector<std::string> columnTexts(const CellTable& table, int column) {
  std::vector<std::string> texts;
  for (int row = 1; row < table.rowCount(); ++row) texts.push_back(table.cell(column, row));
  return texts;
}

// One data row of the flap table, columns 0..6.
inline std::vector<std::string> flapRow(const TWing& wing, int row) {
  std::vector<std::string> texts;
  for (int column = 0; column < kFlapColumns; ++column) {
    texts.push_back(wing.flapTable.cell(column, row));
  }
  return texts;
}

using Texts = std::vector<std::string>;

}  // namespace velarix::testing
