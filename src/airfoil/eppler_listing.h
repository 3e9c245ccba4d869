// The printed listing of the airfoil analysis program and its reading into
// TEpplerResult: removal of the page headers inside velocity tables, the
// parser, and the optional drag correction for laminar separation bubbles.
// Everything here is pure (lines in, values out).
//
// Listing layout read here. Columns are 1-based; "n chars from column c" is
// the substring of length n starting at c. Lines are classified by how they
// begin:
//
//   "1AIRFOIL ..."   page header: ", <flap chord> %" (the last "%" of the line
//                    and the last "," before it) and "FLAP" followed by seven
//                    characters holding the flap deflection (the first "FLAP"
//                    after that "%").
//   " MACH ..."      second page-header line (ignored).
//   <angle line>     the line before a velocity-table header: a label, two or
//                    more blanks, then the angles of the table separated by
//                    blanks.
//   "   N ..."       velocity-table header. Every following line up to the one
//                    with "SUMMARY" at column 2 is a row: chord position in 11
//                    chars from column 5, the velocity ratio of the table's
//                    j-th angle in 7 chars from column 27 + 7(j-1).
//   "0         R"    Reynolds line: roughness echo in 6 chars from 3 columns
//                    after "MU"; then each "R" starts a 12-column group with
//                    the Reynolds number in 9 chars from 3 columns after it.
//   "0 ALPHA"        one block of six lines per angle: the angle in 7 chars
//                    after the first "="; one line skipped; then, with one
//                    24-column group per Reynolds number of the last Reynolds
//                    line:
//                      upper surface: t in 6 chars from column 11 + 24(k-1),
//                                     "*" at column 31 + 24(k-1) = bubble;
//                      lower surface: the same columns;
//                      for each k: "CL=" + 6 chars, "CD=" + 7 chars;
//                      for each k: "CM=" + 7 chars.
//
// The flap, roughness, Reynolds-number and angle fields are converted like
// cell texts (point or comma, six decimals); all other fields are plain
// decimal numbers (point, optional exponent). No made-up value reaches a
// chart: in an angle block, a Reynolds group with a field that is no number
// (a section that did not converge may print "nan" or stars) leaves that one
// point unlisted; anywhere else such a field makes the listing malformed, and
// parseEpplerListing throws EpplerListingError naming the line (and column).
//
// Choices where the layout leaves room:
// - Several velocity tables (more than fourteen angles): every table appends
//   its angles to one list, and its columns are stored at the positions of
//   those angles, so velocity column m always belongs to angle m. Rows restart
//   at 1 in every table; the chord positions of a later table overwrite those
//   of an earlier one row by row (they are the same airfoil points).
// - A Reynolds line that repeats the numbers of the one before it (a listing
//   that prints it again for every angle card) adds no numbers; a line with
//   other numbers appends them, up to five.
// - An angle block whose angle is not in the angle list is skipped.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "wing/real.h"

namespace velarix {

inline constexpr int kMaxEpplerVelocityRows = 100;

// A listing that cannot be read. line() is the 1-based number in the cleaned
// listing (the one the user sees), 0 when the fault is not tied to one line.
class EpplerListingError : public std::runtime_error {
 public:
  EpplerListingError(std::size_t line, const std::string& what);
  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};

// Results of one angle of attack at one Reynolds number.
struct EpplerPolarPoint {
  Real cl = 0;  // lift coefficient
  Real cd = 0;  // drag coefficient (bubble correction included once applied)
  Real cm = 0;  // moment coefficient
  // Transition values t as listed; the chord position of transition is 1 - t.
  Real transitionUpper = 0;
  Real transitionLower = 0;
  bool bubbleUpper = false;  // laminar separation bubble marked "*"
  bool bubbleLower = false;
  bool listed = false;  // false: the listing held no values for this pair
};

// The parsed result of one run. Index k (Reynolds number) and m (angle) are
// 1-based in the listing and stored at k-1 and m-1.
struct TEpplerResult {
  std::string airfoilName;            // set by the run from its inputs
  Real roughnessCode = 0;             // as echoed by the listing
  Real flapChordPercent = 0;          // as echoed by the listing [% chord]
  Real flapDeflectionDeg = 0;         // as echoed by the listing [deg]
  std::vector<Real> reynoldsNumbers;  // at most 5, listing order
  std::vector<Real> anglesDeg;        // at most 255, order of the velocity tables
  // points[k-1][m-1]; sized reynoldsNumbers.size() x anglesDeg.size().
  std::vector<std::vector<EpplerPolarPoint>> points;
  // Velocity distribution: chord positions of the rows (at most 100) and, per
  // angle m, the velocity ratio v/V at every row (velocityRatios[m-1][row]; a
  // column may hold fewer rows than velocityChordPositions, none when the
  // angle had no table).
  std::vector<Real> velocityChordPositions;
  std::vector<std::vector<Real>> velocityRatios;
  bool valid = false;  // a run has been parsed completely

  // At least one angle with values at some Reynolds number.
  bool hasPolarPoints() const;
};

// Removes the page headers that the listing repeats inside long velocity
// tables: after a line beginning "   N", every line beginning "1AIRFOIL",
// " MACH" or "   N" up to the line with "SUMMARY" at column 2 is deleted.
// The remaining lines are the listing the user sees.
void cleanupEpplerListing(std::vector<std::string>& lines);

// Parses a cleaned listing. Sets valid on success. Throws EpplerListingError
// for a malformed listing. The airfoil name is left empty.
TEpplerResult parseEpplerListing(const std::vector<std::string>& lines);

// Drag of a laminar separation bubble at a transition value t and Reynolds
// number Re (an empirical fit): x = 1 - t,
//   Re_lim = 591836.73 x^2 - 414285.71 x + 272500,
//   dCD = 0.05625 x^2 + 0.003 (x <= 0.4), -0.06 x + 0.036 (0.4 < x <= 0.6),
//         0 (x > 0.6),
// scaled by (Re_lim - Re) / (Re_lim - 100000): the full dCD at Re 100000,
// nothing at Re_lim. 0 when Re > Re_lim or x lies outside 0 .. 1.
Real bubbleDragIncrement(Real transition, Real reynolds);

// Adds the bubble drag to CD for every Reynolds number and angle whose upper
// or lower bubble marker is set, once with the upper and once with the lower
// transition value.
void applyBubbleCorrection(TEpplerResult& result);

// The station drag run reads one value: in the fourth line after the first
// line beginning "0 ALPHA", the 7 characters after "CD=". Nothing when the
// listing holds no such line or the text is no number.
std::optional<Real> stationDragCoefficient(const std::vector<std::string>& cleanedLines);

}  // namespace velarix
