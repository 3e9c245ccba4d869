#include "wing/wing.h"

#include <cmath>

#include "wing/cell_number.h"
#include "wing/platform.h"

namespace velarix {

namespace {

constexpr const char* kKinkHeaders[9] = {"y in m",        "x in m",      "z in m",
                                         "t in m",        "Sehnenw. in °", "Rückl. in %",
                                         "Profil",        "alpha 0",     "cm 0"};
constexpr const char* kFlapHeaders[kFlapColumns] = {"Nr.",      "y-L in m",   "t-L in %",
                                                    "y-R in m", "t-R in %",   "Nr. Gruppe",
                                                    "Beta in Grad"};

// Upper side of the built-in flat plate (2.9 % thick), points 0..30.
constexpr Real kFlatPlateUpper[31] = {
    0,       0.00016L, 0.00063L, 0.00141L, 0.00255L, 0.00471L, 0.00695L, 0.00807L,
    0.00964L, 0.01187L, 0.01375L, 0.01445L, 0.0145L,  0.0145L,  0.0145L,  0.0145L,
    0.0145L,  0.0145L,  0.0145L,  0.0145L,  0.0145L,  0.0145L,  0.0145L,  0.01439L,
    0.01341L, 0.01125L, 0.00893L, 0.00707L, 0.00558L, 0.0036L,  0};

void writeNewKinkRow(CellTable& t, int row, const char* y) {
  t.setCell(kColKinkY, row, y);
  t.setCell(kColKinkX, row, "0");
  t.setCell(kColKinkZ, row, "0");
  t.setCell(kColKinkChord, row, "0,2");
  t.setCell(kColKinkChordAngle, row, "0");
  t.setCell(kColKinkPivotPercent, row, "75");
  t.setCell(kColKinkAirfoil, row, std::string(kFlatPlateAirfoil));
  t.setCell(kColKinkAlpha0, row, "0");
  t.setCell(kColKinkCm0, row, "0");
  for (int i = 0; i < kSectionPoints; ++i) {
    t.setNumber(kColKinkSection + i, row, flatPlateOrdinate(i));
  }
}

}  // namespace

Real sectionX(int i) {
  const int k = i <= 30 ? i : i - 30;
  const Real c = std::cos(degToRad(6.0L * k));
  const Real x = i <= 30 ? 0.5L * (1.0L + c) : 0.5L * (1.0L - c);
  return roundToDecimals(x, 5);
}

Real flatPlateOrdinate(int i) {
  if (i <= 30) return kFlatPlateUpper[i];
  return -kFlatPlateUpper[60 - i];
}

TKinkStation kinkStation(const TWing& wing, int row) {
  const CellTable& t = wing.kinkTable;
  TKinkStation k;
  k.kinkY = t.number(kColKinkY, row);
  k.kinkX = t.number(kColKinkX, row);
  k.kinkZ = t.number(kColKinkZ, row);
  k.kinkChord = t.number(kColKinkChord, row);
  k.kinkChordAngle = t.number(kColKinkChordAngle, row);
  k.kinkPivotPercent = t.number(kColKinkPivotPercent, row);
  k.kinkAirfoil = t.cell(kColKinkAirfoil, row);
  return k;
}

TFlap flapField(const TWing& wing, int row) {
  const CellTable& t = wing.flapTable;
  TFlap f;
  f.flapNumber = static_cast<int>(std::trunc(t.number(kColFlapNumber, row)));
  f.flapYLeft = t.number(kColFlapYLeft, row);
  f.flapChordLeft = t.number(kColFlapChordLeft, row);
  f.flapYRight = t.number(kColFlapYRight, row);
  f.flapChordRight = t.number(kColFlapChordRight, row);
  f.flapGroup = static_cast<int>(std::trunc(t.number(kColFlapGroup, row)));
  f.flapDeflection = t.number(kColFlapDeflection, row);
  return f;
}

Real kinkY(const TWing& wing, int row) { return wing.kinkTable.number(kColKinkY, row); }

Real kinkSectionY(const TWing& wing, int row, int point) {
  return wing.kinkTable.number(kColKinkSection + point, row);
}

void writeKinkHeader(CellTable& kinkTable) {
  for (int c = 0; c < 9; ++c) kinkTable.setCell(c, 0, kKinkHeaders[c]);
  for (int i = 0; i < kSectionPoints; ++i) kinkTable.setNumber(kColKinkSection + i, 0, sectionX(i));
}

void writeFlapHeader(CellTable& flapTable) {
  for (int c = 0; c < kFlapColumns; ++c) flapTable.setCell(c, 0, kFlapHeaders[c]);
}

void resetToNewWing(TWing& wing) {
  CellTable& k = wing.kinkTable;
  k.clearTable();
  k.setRowCount(4);
  writeKinkHeader(k);
  writeNewKinkRow(k, 1, "-0,5");
  writeNewKinkRow(k, 2, "0");
  writeNewKinkRow(k, 3, "0,5");

  CellTable& f = wing.flapTable;
  f.clearTable();
  f.setRowCount(3);
  writeFlapHeader(f);
  const char* row1[kFlapColumns] = {"1", "-0,5", "0", "0", "0", "0", "0"};
  const char* row2[kFlapColumns] = {"2", "0", "0", "0,5", "0", "0", "0"};
  for (int c = 0; c < kFlapColumns; ++c) {
    f.setCell(c, 1, row1[c]);
    f.setCell(c, 2, row2[c]);
  }

  wing.wingFileName = std::string(kNewWingFileName);
  wing.wingSaved = true;
  wing.wingPresent = true;

  DisplaySwitches& s = wing.switches;
  s[DisplaySwitch::Wing] = true;
  for (DisplaySwitch off :
       {DisplaySwitch::XC, DisplaySwitch::XE, DisplaySwitch::XN, DisplaySwitch::XD,
        DisplaySwitch::Reynolds, DisplaySwitch::Circulation, DisplaySwitch::PrescribedCirculation,
        DisplaySwitch::RotationDirections, DisplaySwitch::LiftCoefficients,
        DisplaySwitch::InducedDrag, DisplaySwitch::PitchingMoments, DisplaySwitch::InducedAngles,
        DisplaySwitch::Stations}) {
    s[off] = false;
  }

  wing.barPosition = 0;
  wing.spanCondition = std::string(kSpanVaria);
  wing.kinkDeleteCondition = std::string(kDeleteBothFlaps);
  wing.designMode = DesignMode::WingAngle;
  wing.wingAngleOfAttack = 1.0L;
  wing.wingMass = 1.0L;
  wing.flightAltitude = 0;
  wing.stationCount = 15;
}

void newWing(TWing& wing, Platform& platform) {
  bool replace = true;
  if (!wing.wingSaved) replace = platform.showMessage(5) == Answer::Yes;
  if (replace) {
    resetToNewWing(wing);
    platform.showWingFileName(wing.wingFileName);
  }
  platform.refreshWingDisplay(true);
}

void normaliseX(TWing& wing) {
  CellTable& t = wing.kinkTable;
  const int n = wing.kinkCount();
  std::optional<int> centre;
  for (int r = 1; r <= n; ++r) {
    if (t.number(kColKinkY, r) == 0) {
      centre = r;
      break;
    }
  }
  if (!centre) return;
  const Real x0 = t.number(kColKinkX, *centre);
  for (int r = 1; r <= n; ++r) t.setNumber(kColKinkX, r, t.number(kColKinkX, r) - x0);
}

std::optional<int> kinkRowAt(const TWing& wing, Real y) {
  for (int r = 1; r <= wing.kinkCount(); ++r) {
    if (kinkY(wing, r) == y) return r;
  }
  return std::nullopt;
}

std::optional<int> kinkIntervalAt(const TWing& wing, Real y) {
  for (int i = 1; i < wing.kinkCount(); ++i) {
    if (kinkY(wing, i) < y && y < kinkY(wing, i + 1)) return i;
  }
  return std::nullopt;
}

std::optional<int> flapFieldAt(const TWing& wing, Real y) {
  const CellTable& f = wing.flapTable;
  for (int r = 1; r <= wing.flapCount(); ++r) {
    if (f.number(kColFlapYLeft, r) < y && y < f.number(kColFlapYRight, r)) return r;
  }
  return std::nullopt;
}

}  // namespace velarix
