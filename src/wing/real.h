// Numeric type and named constants shared by every layer.
//
// Every quantity of the wing model and the computation is held in extended
// precision (80-bit long double on x86-64), chosen once here.
#pragma once

#include <numbers>

namespace velarix {

using Real = long double;

inline constexpr Real kPi = std::numbers::pi_v<long double>;

// Degrees per radian as the wing geometry and the computation use it: the
// rounded factor 57.3 is part of the required results (the solver names the
// few places that use 180/pi instead). Do not replace it with 180/pi.
inline constexpr Real kDegPerRadRounded = 57.3L;

// Standard gravity as used by the design and polar formulas [m/s^2].
inline constexpr Real kGravity = 9.81L;

// Degree/radian conversion with the rounded factor 57.3.
inline constexpr Real degToRadRounded(Real degrees) { return degrees / kDegPerRadRounded; }
inline constexpr Real radToDegRounded(Real radians) { return radians * kDegPerRadRounded; }

// Exact conversion with 180/pi, for the places that require it.
inline constexpr Real degToRad(Real degrees) { return degrees * kPi / 180.0L; }
inline constexpr Real radToDeg(Real radians) { return radians * 180.0L / kPi; }

}  // namespace velarix
