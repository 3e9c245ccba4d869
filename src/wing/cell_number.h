// The two conversions between numbers and the texts of cells and entry fields.
//
// Cell texts are the stored form of every number of the wing model: a value is
// truncated toward zero to six decimals and written with a comma as decimal
// separator; reading accepts a point or a comma. Both directions work on the
// decimal digits, never through double, so that every six-decimal text
// survives a read and a write byte for byte ("1,005" stays "1,005").
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "wing/real.h"

namespace velarix {

// Raised when a text is not a number. The message names the text.
class CellConversionError : public std::runtime_error {
 public:
  explicit CellConversionError(std::string_view text);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// Number -> cell text. The value is first taken to 15 significant digits (so
// that a computed 0.44999999999999999 counts as 0.45), then truncated toward
// zero to six decimals, and written in the shortest general form: plain
// decimal with a comma ("0,2", "-0,5", "75", "0,333333") for 0 and magnitudes
// from 0.00001 below 10^15, otherwise scientific ("1E-6", "-9E-6", "1E15").
std::string formatCellNumber(Real x);

// Cell text -> number. Every "." is read as ",". Leading and trailing blanks
// are allowed; the text must otherwise be an optionally signed decimal number
// with an optional exponent ("1,5", "-2.25", "1E-3"). The decimal text is
// truncated to six decimals exactly, then converted. Throws
// CellConversionError for a text that is no number (the empty text included).
Real parseCellNumber(std::string_view text);

// Like parseCellNumber, but reports failure by returning false.
bool tryParseCellNumber(std::string_view text, Real& value);

// Rounds to d decimals with halves to even: the nearest decimal k*10^-d with
// k = nearbyint(x*10^d). Formatting the result prints exactly those digits.
Real roundToDecimals(Real x, int decimals);

// Rounds to the nearest integer, halves to even (the default rounding mode).
long long roundHalfEven(Real x);

}  // namespace velarix
