// Wings for the computation tests, built through the cells as the editor
// and the wing file do.
#pragma once

#include <string>
#include <vector>

#include "wing/wing.h"

namespace velarix::testing {

struct KinkRow {
  Real y, x, chord, twistDeg, alpha0Deg, cm0;
};
struct FlapRow {
  Real chordLeftPercent, chordRightPercent, deflectionDeg;
};

// A wing from kink rows (left tip first) and optional flap rows (one per
// panel; none means no flaps). Every airfoil is the flat plate.
inline TWing buildWing(const std::vector<KinkRow>& kinks, const std::vector<FlapRow>& flaps = {},
                       int stationCount = 15) {
  TWing w;
  resetToNewWing(w);
  CellTable& k = w.kinkTable;
  const int n = static_cast<int>(kinks.size());
  k.setRowCount(n + 1);
  for (int r = 1; r <= n; ++r) {
    const KinkRow& row = kinks[static_cast<std::size_t>(r - 1)];
    k.setNumber(kColKinkY, r, row.y);
    k.setNumber(kColKinkX, r, row.x);
    k.setCell(kColKinkZ, r, "0");
    k.setNumber(kColKinkChord, r, row.chord);
    k.setNumber(kColKinkChordAngle, r, row.twistDeg);
    k.setCell(kColKinkPivotPercent, r, "75");
    k.setCell(kColKinkAirfoil, r, std::string(kFlatPlateAirfoil));
    k.setNumber(kColKinkAlpha0, r, row.alpha0Deg);
    k.setNumber(kColKinkCm0, r, row.cm0);
  }
  CellTable& f = w.flapTable;
  f.setRowCount(n);
  for (int r = 1; r < n; ++r) {
    const FlapRow row = flaps.empty() ? FlapRow{0, 0, 0} : flaps[static_cast<std::size_t>(r - 1)];
    f.setNumber(kColFlapNumber, r, r);
    f.setNumber(kColFlapYLeft, r, kinks[static_cast<std::size_t>(r - 1)].y);
    f.setNumber(kColFlapChordLeft, r, row.chordLeftPercent);
    f.setNumber(kColFlapYRight, r, kinks[static_cast<std::size_t>(r)].y);
    f.setNumber(kColFlapChordRight, r, row.chordRightPercent);
    f.setCell(kColFlapGroup, r, "0");
    f.setNumber(kColFlapDeflection, r, row.deflectionDeg);
  }
  w.stationCount = stationCount;
  return w;
}

// Rectangular wing of half span s and chord c, no twist, flat plate.
inline TWing rectangularWing(Real s, Real c, int stationCount = 15) {
  return buildWing({{-s, 0, c, 0, 0, 0}, {0, 0, c, 0, 0, 0}, {s, 0, c, 0, 0, 0}}, {}, stationCount);
}

// Swept, tapered flying wing of 2 m span: root chord 0,3 m, tip chord
// 0,15 m, leading edge 0,3 m aft at the tips (about 17 degrees), 2 degrees
// washout, a reflexed root airfoil; with elevons deflected 3 degrees up on
// the outer panels when `withFlaps`.
inline TWing sweptWing(bool withFlaps, int stationCount = 15) {
  const std::vector<KinkRow> kinks = {{-1, 0.3L, 0.15L, -2, -1, 0.01L},
                                      {-0.5L, 0.15L, 0.225L, -1, -1.5L, 0.005L},
                                      {0, 0, 0.3L, 0, -2, -0.01L},
                                      {0.5L, 0.15L, 0.225L, -1, -1.5L, 0.005L},
                                      {1, 0.3L, 0.15L, -2, -1, 0.01L}};
  std::vector<FlapRow> flaps;
  if (withFlaps) flaps = {{20, 25, -3}, {0, 0, 0}, {0, 0, 0}, {25, 20, -3}};
  return buildWing(kinks, flaps, stationCount);
}

}  // namespace velarix::testing
