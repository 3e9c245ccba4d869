// An airfoil as an ordered chain of chordwise points, and the geometric
// tools every user of airfoils relies on.
//
// Point order (the invariant all algorithms rely on): the chain starts at the
// trailing edge on the upper surface, runs forward along the upper surface
// with falling X to the leading edge, then back along the lower surface with
// rising X to the trailing edge (the Selig layout of coordinate files). The
// leading edge is the point where X stops falling. Coordinates are fractions
// of the chord, Y positive upwards.
//
// The standard section: every kink airfoil of a wing is stored as 61 points,
// SmoothForWing(60) of its file airfoil: upper surface j = 0..29 at
// X = (cos(j*pi/30) + 1)/2, point 30 = (0, 0), then the lower surface at the
// same positions in reverse order, ending with X = 1.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "wing/real.h"

namespace velarix {

// One point of an airfoil, chord fractions.
struct TCoord {
  Real X = 0;
  Real Y = 0;
  bool operator==(const TCoord&) const = default;
};

// A coordinate file that cannot be used. The message names the file and the
// reason (and the line where there is one).
class AirfoilFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A point chain from which a result cannot be computed (too few points, or a
// result that would not be a finite number). The message names the airfoil.
class AirfoilGeometryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Largest number of points a coordinate file may hold. Real airfoil files
// have a few hundred; the smoothing pipeline copes with any count, this only
// keeps a runaway file from taking the memory.
inline constexpr int kMaxAirfoilPoints = 10000;

// Characteristic slots (see ComputeCharacteristics).
inline constexpr int kCharacteristicCount = 10;
inline constexpr int kSlotThickness = 0;          // d [% chord]
inline constexpr int kSlotThicknessPosition = 1;  // xd [% chord]
inline constexpr int kSlotCamber = 2;             // f [% chord], signed
inline constexpr int kSlotCamberPosition = 3;     // xf [% chord]
inline constexpr int kSlotAlpha0 = 4;             // zero-lift angle [deg]
inline constexpr int kSlotCm0 = 5;                // Cm about c/4 at zero lift
inline constexpr int kSlotLiftSlope = 6;          // dca [1/rad]
inline constexpr int kSlotNeutralPoint = 7;       // xNp [% chord]
inline constexpr int kSlotAlphaE = 8;             // Alfa_e [deg]
inline constexpr int kSlotCaE = 9;                // Ca_e

// Value type: copying an airfoil copies its points; operations that make a
// new airfoil return it by value and leave the source unchanged.
class TAirfoil {
 public:
  std::string Name;

  int Count() const { return static_cast<int>(points_.size()); }
  // The point at index, or nothing when index > Count() - 1.
  std::optional<TCoord> GetPoint(std::uint16_t index) const;
  const TCoord& point(int index) const { return points_[static_cast<std::size_t>(index)]; }
  const std::vector<TCoord>& points() const { return points_; }
  void AddPoint(TCoord p) { points_.push_back(p); }
  // Inserts before index (index = Count() appends).
  void InsertPoint(int index, TCoord p);
  void Clear() { points_.clear(); }

  // Slot 0..9; 0 for a slot above 9, and setting such a slot does nothing.
  Real GetCharacteristic(int slot) const;
  void SetCharacteristic(int slot, Real value);

  // Reads a coordinate file (name line, then "x y" per line). Throws
  // AirfoilFileError naming the file and the reason; the airfoil is then
  // unchanged. What is accepted:
  // - line 1 is the name (a trailing CR and a UTF-8 byte-order mark are
  //   dropped; a line that is no UTF-8 is read as Windows-1252);
  // - every further line holds x and y (point as decimal separator, exponent
  //   allowed), separated by blanks or tabs; the rest of the line is ignored;
  //   blank lines are skipped;
  // - at least 3 and at most kMaxAirfoilPoints points, all |y| <= 1;
  // - the chain runs in one sweep from a trailing edge near x = 1 forward to
  //   a nose near x = 0 and back to a trailing edge near x = 1 (neighbouring
  //   points with equal x are allowed). A chain that runs over the lower
  //   surface first is turned round into the usual order.
  void LoadFromFile(const std::filesystem::path& path);
  // The same from text already in memory; sourceName stands for the file
  // name in error messages.
  void loadFromText(std::string_view contents, const std::string& sourceName);
  void loadFromStream(std::istream& in, const std::string& sourceName);

  TAirfoil Clone() const { return *this; }

  // Inserts (0, 0) at the leading edge unless the chain holds it exactly.
  void EnsureLeadingEdgePoint();
  // Index of the nose: the last point before x first rises (for a chain
  // that never rises, the last point). Equal x does not count as a rise.
  int noseIndex() const;
  // The four operations below return a new airfoil with the source's name
  // and compute its characteristics when it has at least three points.
  //
  // Linear subdivision: (N-1)*steps + 1 points. steps < 1 throws
  // std::invalid_argument.
  TAirfoil Subdivide(int steps) const;
  // Uniform cubic B-spline with the points as control points, chord
  // renormalised: (N-1)*steps points, any N. steps < 1 throws
  // std::invalid_argument.
  TAirfoil SmoothBSpline(int steps) const;
  // 2*(count/2) + 1 points at cosine-spaced chord positions, the nose (0, 0)
  // in the middle (works on a copy with EnsureLeadingEdgePoint applied).
  TAirfoil ResampleCosine(int count) const;
  // The smoothing pipeline; SmoothForWing(60) is the standard section.
  // Callers apply EnsureLeadingEdgePoint to the source first. Throws
  // AirfoilGeometryError when the result would not be finite.
  TAirfoil SmoothForWing(int count) const;
  // Y of the upper or lower surface at chord position x (linear).
  Real OrdinateAt(bool upper, Real x) const;

  // Fills the ten characteristic slots from the point chain. Throws
  // AirfoilGeometryError for fewer than three points or a result that is no
  // finite number; the slots are then unchanged.
  void ComputeCharacteristics();
  // The thirteen-line characteristics listing: name, empty line, "Anzahl
  // Koordinaten = N", then one line per slot.
  std::vector<std::string> CharacteristicsListing() const;

  bool operator==(const TAirfoil&) const = default;

 private:
  std::vector<TCoord> points_;
  std::array<Real, kCharacteristicCount> characteristics_{};
};

}  // namespace velarix
