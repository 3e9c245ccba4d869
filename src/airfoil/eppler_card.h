// The card file of the airfoil analysis program: the fixed-column input that
// names the airfoil, lists its coordinates, an optional flap, the Reynolds
// numbers with the surface roughness and the angles of attack.
//
// Everything here is pure: inputs in, text lines out. The station drag
// computation builds its own card from the same pieces (point counts and
// coordinate blocks, flap card, Reynolds card, angle card) for the 61-point
// section of every station, so those pieces are public.
//
// Card layout, one text line each:
//   "FXPR"
//   airfoil name
//   "   s   d"          s = points from the trailing edge over the upper surface
//                       to the nose inclusive, d = points from the nose over the
//                       lower surface to the trailing edge inclusive
//   four coordinate blocks: upper X, upper Y (nose to trailing edge), lower X,
//                       lower Y (nose to trailing edge); eight ten-column values
//                       to a line
//   "FLAP" card         only when the flap is deflected
//   per group of at most fourteen angles: "ALFA  1" card, then the Reynolds card
//   "ENDE"
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "airfoil/airfoil.h"
#include "wing/real.h"

namespace velarix {

// Roughness codes of the Reynolds card.
inline constexpr int kRoughnessClean = 0;
inline constexpr int kRoughnessSoiled = 5;  // insects, dust
inline constexpr int kRoughnessLightIcing = 7;
inline constexpr int kRoughnessHeavyIcing = 9;

inline constexpr int kMaxEpplerReynoldsNumbers = 5;
inline constexpr int kMaxEpplerAngles = 255;
inline constexpr int kAnglesPerCard = 14;
inline constexpr int kValuesPerCoordinateLine = 8;
inline constexpr Real kMinEpplerReynoldsNumber = 1000;

// Inputs that cannot be written as a card (no nose point, no Reynolds number,
// a value that is not finite, ...). The message says what is wrong.
class EpplerCardError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct EpplerCardInputs {
  // Chain order (see airfoil.h), holding a point with X = 0 (callers apply
  // EnsureLeadingEdgePoint first). The name goes into the card unchanged.
  TAirfoil airfoil;
  Real flapChordPercent = 0;   // [% chord], 0 .. 100
  Real flapDeflectionDeg = 0;  // [deg], trailing edge down positive; 0 writes no flap card
  int roughnessCode = kRoughnessClean;
  std::vector<Real> reynoldsNumbers;  // 1 .. 5, each >= 1000
  std::vector<Real> anglesDeg;        // 1 .. 255 angles of attack [deg]
};

// The angles of attack of a run: first, then each previous angle plus the
// step (repeated addition, so the rounding of the sum is that of the program
// that reads them back), as long as the angle is not above the last; at most
// 255 of them (a step of 0 or below therefore gives 255 equal or falling
// angles, which the settings check rejects before a run).
std::vector<Real> epplerAngleSequence(Real firstDeg, Real stepDeg, Real lastDeg);

// One coordinate text "%-9.7f" and a blank. For ordinates a text that begins
// with "-0" loses its "0" and is cut to nine characters, so a small negative
// ordinate still fits its ten columns ("-.0123456 "); ordinates within 1e-12
// of zero (the rounding noise of a sharp trailing edge after smoothing) are
// written as "0.0000000".
std::string epplerCoordinateText(Real value, bool isOrdinate);

// The point-count line and the four coordinate blocks (card lines 3 onward up
// to the flap card). Throws EpplerCardError when the chain has no point with
// X = 0 or a coordinate is not finite.
std::vector<std::string> epplerCoordinateLines(const TAirfoil& airfoil);

// "FLAP" + "%11.0f" flap chord % * 100 + "%5.0f" camber ordinate at the hinge
// * 10000 + "%5.0f" 400 + "%5.0f" deflection * 100. The hinge lies at
// x_h = (100 - flap chord %) / 100; the camber ordinate there is the mean of
// the upper and lower surface ordinates (OrdinateAt).
std::string epplerFlapCard(const TAirfoil& airfoil, Real flapChordPercent, Real flapDeflectionDeg);

// "RE  110   " and ten columns per Reynolds number: "%5.0f" of the roughness
// code * 1000 (" 0000" for a clean surface), then "%5.0f" of Re / 1000.
std::string epplerReynoldsCard(int roughnessCode, const std::vector<Real>& reynoldsNumbers);

// "ALFA  1" + "%3.0f" n + n fields "%5.0f" of angle * 100, for n <= 14 angles.
std::string epplerAngleCard(const std::vector<Real>& anglesDeg);

// The whole card file, line by line (no line ends). Throws EpplerCardError for
// inputs that cannot be written (see EpplerCardInputs).
std::vector<std::string> epplerCardLines(const EpplerCardInputs& inputs);

// Number texts of the card, independent of the locale: fixed with the given
// decimals (rounded to nearest, ties to even, like printf), padded with blanks
// on the left to at least width characters ("%width.decimalsf").
std::string epplerFixed(Real value, int width, int decimals);

}  // namespace velarix
