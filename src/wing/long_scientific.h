// The long scientific form in which the wing file and the settings file store
// reals: 23 characters, a blank (positive or zero) or "-", one digit, ".",
// 14 digits, "E", the exponent's sign and 4 exponent digits:
//   1.0  -> " 1.00000000000000E+0000"     -2.5 -> "-2.50000000000000E+0000"
// The decimal separator is always a point, independent of any locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "wing/real.h"

namespace velarix {

// Throws std::domain_error for NaN and infinity, which have no such form.
std::string formatLongScientific(Real x);

// Reads a real written with a point or a comma as decimal separator, with an
// optional exponent and surrounding blanks (the long scientific form and
// plain decimals alike). Nothing for a text that is no finite number.
std::optional<Real> parseLongReal(std::string_view text);

}  // namespace velarix
