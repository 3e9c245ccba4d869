// The wing document: the kink table, the flap table and the wing-level
// values, plus the document state (present, saved, file name, bar position).
//
// Geometry lives in two tables of text cells (CellTable), exactly as the
// wing-list window shows them and the wing file stores them; every number
// passes through formatCellNumber/parseCellNumber.
//
// Kink table (70 columns), one TKinkStation per data row, rows 1..N in
// ascending kinkY: row 1 is the left tip (most negative y), row N the right
// tip; a row at y = 0 (the wing centre) is the origin of x.
//   0 y in m | 1 x in m (leading edge, positive aft) | 2 z in m | 3 t in m
//   (chord) | 4 chord angle [deg] | 5 pivot [% chord] | 6 airfoil file name or
//   "strak" | 7 alpha 0 [deg] | 8 cm 0 | 9..69 ordinates y/c of the standard
//   section at sectionX(0..60), which the header row holds.
// Flap table (7 columns), flap row k spans kink rows k and k+1:
//   0 Nr. | 1 y-L in m | 2 t-L in % | 3 y-R in m | 4 t-R in % | 5 group 0..99 |
//   6 deflection [deg, positive trailing edge down]
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "wing/cell_table.h"
#include "wing/real.h"

namespace velarix {

class Platform;

// Kink table columns.
inline constexpr int kKinkColumns = 70;
inline constexpr int kColKinkY = 0;
inline constexpr int kColKinkX = 1;
inline constexpr int kColKinkZ = 2;
inline constexpr int kColKinkChord = 3;
inline constexpr int kColKinkChordAngle = 4;
inline constexpr int kColKinkPivotPercent = 5;
inline constexpr int kColKinkAirfoil = 6;
inline constexpr int kColKinkAlpha0 = 7;
inline constexpr int kColKinkCm0 = 8;
inline constexpr int kColKinkSection = 9;  // first of the 61 ordinate columns
inline constexpr int kSectionPoints = 61;

// Flap table columns.
inline constexpr int kFlapColumns = 7;
inline constexpr int kColFlapNumber = 0;
inline constexpr int kColFlapYLeft = 1;
inline constexpr int kColFlapChordLeft = 2;
inline constexpr int kColFlapYRight = 3;
inline constexpr int kColFlapChordRight = 4;
inline constexpr int kColFlapGroup = 5;
inline constexpr int kColFlapDeflection = 6;

inline constexpr std::string_view kBlendedAirfoil = "strak";
inline constexpr std::string_view kFlatPlateAirfoil = "ebene_platte.dat";
inline constexpr std::string_view kNewWingFileName = "noname.flg";

// Span conditions (texts compared exactly).
inline constexpr std::string_view kSpanAttachCut = "Ansetzen / Abschneiden";
inline constexpr std::string_view kSpanKeepLeadingEdgeSweep = "Nasenwinkel erhalten";
inline constexpr std::string_view kSpanKeepQuarterChordSweep = "t/4 Winkel erhalten";
inline constexpr std::string_view kSpanKeepTrailingEdgeSweep = "Endwinkel erhalten";
inline constexpr std::string_view kSpanKeepLeadingEdgeCoordinates = "Nasenkoordin. erhalten";
inline constexpr std::string_view kSpanVaria = "Varia";
// Kink delete conditions (texts compared exactly, spelling as stored).
inline constexpr std::string_view kDeleteTakeLeftFlap = "linke Kl. ünern.";
inline constexpr std::string_view kDeleteTakeRightFlap = "rechte Kl übern.";
inline constexpr std::string_view kDeleteBothFlaps = "beide Kl. löschen";

// Chord position x/c of standard-section point i (0..60): from the trailing
// edge over the upper side to the leading edge (i = 30) and back,
// 0.5*(1 +- cos(6 deg * i)) rounded to 5 decimals.
Real sectionX(int i);
// Ordinate of the built-in 2.9 % flat plate at standard-section point i.
Real flatPlateOrdinate(int i);

enum class DesignMode { WingAngle, LiftCoefficient, StabilityMargin, CgPosition, Speed };
enum class SurfaceCondition { Clean, Dirty, LightIcing, HeavyIcing };

// Display switches of the main window (the speed buttons), in one place so
// that the wing file, the drawing cycle and the windows share them.
enum class DisplaySwitch {
  Wing,                   // SpeedButton1 "Flügel darstellen"
  XC,                     // SpeedButton2
  XE,                     // SpeedButton3
  XN,                     // SpeedButton4
  XD,                     // SpeedButton5
  Reynolds,               // SpeedButton6
  Circulation,            // SpeedButton7
  PrescribedCirculation,  // SpeedButton8
  RotationDirections,     // SpeedButton10
  LiftCoefficients,       // SpeedButton11
  InducedDrag,            // SpeedButton12 (drag group)
  ProfileDrag,            // SpeedButton15 (drag group)
  TotalDrag,              // SpeedButton16 (drag group)
  PitchingMoments,        // SpeedButton13
  InducedAngles,          // SpeedButton14
  LocalCentresOfPressure, // SpeedButton17 "xd"
  Stations,               // SpeedButton19
  AxisReynolds,           // SpeedButton24 (axis group)
  AxisCirculation,        // SpeedButton25
  AxisLiftCoefficient,    // SpeedButton27
  AxisPitchingMoment,     // SpeedButton28
  AxisInducedAngle,       // SpeedButton29
  AxisDrag,               // SpeedButton30
  Count
};
inline constexpr int kDisplaySwitchCount = static_cast<int>(DisplaySwitch::Count);

// Down (on) state of every display switch.
struct DisplaySwitches {
  std::array<bool, kDisplaySwitchCount> down{};
  bool operator[](DisplaySwitch s) const { return down[static_cast<std::size_t>(s)]; }
  bool& operator[](DisplaySwitch s) { return down[static_cast<std::size_t>(s)]; }
  bool operator==(const DisplaySwitches&) const = default;
};

// One kink row as numbers (a typed view of the cells).
struct TKinkStation {
  Real kinkY = 0;             // [m]
  Real kinkX = 0;             // leading edge [m]
  Real kinkZ = 0;             // [m]
  Real kinkChord = 0;         // [m]
  Real kinkChordAngle = 0;    // [deg]
  Real kinkPivotPercent = 0;  // [% chord]
  std::string kinkAirfoil;
  bool isBlended() const { return kinkAirfoil == kBlendedAirfoil; }
};

// One flap row as numbers.
struct TFlap {
  int flapNumber = 0;
  Real flapYLeft = 0;        // [m]
  Real flapChordLeft = 0;    // [% of local chord]
  Real flapYRight = 0;       // [m]
  Real flapChordRight = 0;   // [% of local chord]
  int flapGroup = 0;         // 0..99, 0 = no group
  Real flapDeflection = 0;   // [deg]
};

struct TWing {
  CellTable kinkTable{kKinkColumns};
  CellTable flapTable{kFlapColumns};

  // Wing-level values.
  Real wingAngleOfAttack = 1.0L;  // [deg]
  Real wingMass = 1.0L;           // [kg]
  Real flightAltitude = 0.0L;     // [m]
  int stationCount = 15;          // m, odd 3..127
  std::string gammaExponent = "1";
  DesignMode designMode = DesignMode::WingAngle;
  Real designCA = 0;
  Real designStabilityMargin = 0;  // [% of lu]
  Real designCgPosition = 0;       // [m]
  Real designSpeed = 0;            // [m/s]
  SurfaceCondition surfaceCondition = SurfaceCondition::Clean;
  std::string spanCondition{kSpanVaria};
  std::string kinkDeleteCondition{kDeleteBothFlaps};
  bool symmetricInput = true;
  DisplaySwitches switches;

  // Document state (not stored in the wing file).
  bool wingPresent = false;
  bool wingSaved = true;
  std::string wingFileName;
  Real barPosition = 0;  // [m]
  Real halfSpan = 0;     // [m], kinkY of the last row at the last recompute
  Real span = 0;         // [m]

  // Number of kink data rows N and flap data rows.
  int kinkCount() const { return kinkTable.rowCount() - 1; }
  int flapCount() const { return flapTable.rowCount() - 1; }

  bool operator==(const TWing&) const = default;
};

// Typed reads of one data row (throw CellConversionError for a non-number).
TKinkStation kinkStation(const TWing& wing, int row);
TFlap flapField(const TWing& wing, int row);
Real kinkY(const TWing& wing, int row);
Real kinkSectionY(const TWing& wing, int row, int point);

// Writes the default kink table header (column names and sectionX texts).
void writeKinkHeader(CellTable& kinkTable);
void writeFlapHeader(CellTable& flapTable);

// The "Neuer Flügel" command. Asks with message 5 when the current wing is
// unsaved and keeps it on No; ends with a recompute and redraw either way.
void newWing(TWing& wing, Platform& platform);
// The new-wing content alone (tables, values, switches, state), no questions.
void resetToNewWing(TWing& wing);

// Moves x so that the leading edge of the centre row (the first row with
// kinkY = 0) is at 0. Without a centre row, x stays unchanged.
void normaliseX(TWing& wing);

// The first kink row whose kinkY equals y exactly.
std::optional<int> kinkRowAt(const TWing& wing, Real y);
// The kink interval i with kinkY(i) < y < kinkY(i+1).
std::optional<int> kinkIntervalAt(const TWing& wing, Real y);
// The first flap row with flapYLeft < y < flapYRight.
std::optional<int> flapFieldAt(const TWing& wing, Real y);

}  // namespace velarix
