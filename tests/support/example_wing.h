// A swept, tapered example wing with flaps in two groups, and plausible
// spanwise results for it, for the drawing tests (the lifting-line solver
// is not needed to check a drawing).
#pragma once

#include <cmath>
#include <string>

#include "compute/span_distribution.h"
#include "compute/stations.h"
#include "wing/wing.h"

namespace velarix::testing {

struct KinkRowText {
  const char* y;
  const char* x;
  const char* chord;
};

struct FlapRowText {
  const char* chordLeft;
  const char* chordRight;
  const char* group;
};

// A wing from kink rows (left tip first) and one flap row per interval.
inline TWing makeWing(std::initializer_list<KinkRowText> kinks,
                      std::initializer_list<FlapRowText> flaps) {
  TWing wing;
  resetToNewWing(wing);
  CellTable& k = wing.kinkTable;
  k.setRowCount(static_cast<int>(kinks.size()) + 1);
  int row = 1;
  for (const KinkRowText& r : kinks) {
    k.setCell(kColKinkY, row, r.y);
    k.setCell(kColKinkX, row, r.x);
    k.setCell(kColKinkZ, row, "0");
    k.setCell(kColKinkChord, row, r.chord);
    k.setCell(kColKinkChordAngle, row, "0");
    k.setCell(kColKinkPivotPercent, row, "75");
    k.setCell(kColKinkAirfoil, row, std::string(kFlatPlateAirfoil));
    k.setCell(kColKinkAlpha0, row, "0");
    k.setCell(kColKinkCm0, row, "0");
    for (int i = 0; i < kSectionPoints; ++i)
      k.setNumber(kColKinkSection + i, row, flatPlateOrdinate(i));
    ++row;
  }
  CellTable& f = wing.flapTable;
  f.setRowCount(static_cast<int>(flaps.size()) + 1);
  row = 1;
  for (const FlapRowText& r : flaps) {
    f.setNumber(kColFlapNumber, row, row);
    f.setCell(kColFlapYLeft, row, k.cell(kColKinkY, row));
    f.setCell(kColFlapChordLeft, row, r.chordLeft);
    f.setCell(kColFlapYRight, row, k.cell(kColKinkY, row + 1));
    f.setCell(kColFlapChordRight, row, r.chordRight);
    f.setCell(kColFlapGroup, row, r.group);
    f.setCell(kColFlapDeflection, row, "0");
    ++row;
  }
  computeSpan(wing);
  return wing;
}

// 2.4 m span, 25 deg sweep, inner and outer flaps in groups 1 and 2.
inline TWing exampleWing() {
  return makeWing({{"-1,2", "0,46", "0,16"},
                   {"-0,6", "0,22", "0,24"},
                   {"0", "0", "0,32"},
                   {"0,6", "0,22", "0,24"},
                   {"1,2", "0,46", "0,16"}},
                  {{"25", "20", "2"}, {"20", "20", "1"}, {"20", "20", "1"}, {"20", "25", "2"}});
}

// Stations of the wing plus elliptic-like results: circulation
// gamma ~ sqrt(1 - (y/s)^2), ca = gamma*2b/c, a moment that changes sign,
// a small induced angle and drag, Reynolds numbers from the chord, and
// local centres of pressure at 30 % of the chord.
inline TSpanDistribution exampleResults(const TWing& wing, int stations) {
  TWing copy = wing;
  copy.stationCount = stations;
  TSpanDistribution d;
  computeStations(copy, d);
  const Real s = copy.halfSpan;
  const Real b = 2 * s;
  for (int k = 1; k <= stations; ++k) {
    const auto i = static_cast<std::size_t>(k);
    const Real r = d.eta[i] / s;
    const Real g = 0.05L * std::sqrt(1 - r * r) * (1 + 0.15L * r);
    d.gamma[i] = g;
    d.ca[i] = g * 2 * b / d.chord[i];
    d.mue[i] = -0.004L + 0.006L * r * r;
    d.ai[i] = 0.02L + 0.004L * r;
    d.cwi[i] = d.ai[i] * g;
    d.cwp[i] = 0.0004L * (1 + r * r);
    d.cwg[i] = d.cwp[i] + d.cwi[i];
    d.xd[i] = d.xLeadingEdge[i] + 0.3L * d.chord[i];
  }
  for (int k = 0; k <= stations + 1; ++k) {
    const auto i = static_cast<std::size_t>(k);
    d.re[i] = std::nearbyint(15.0L * 68459.0L * d.chord[i]);
  }
  return d;
}

}  // namespace velarix::testing
