// Small text helpers of the analysis program: the error type for bad input and
// locale-independent number reading and fixed-width number writing.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velarix::analysis {

// Raised for input the program cannot analyse: a malformed card, an unusable
// geometry. The message names the line or the quantity and the value.
class AnalysisInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Blanks and tabs removed at both ends.
std::string_view trimBlanks(std::string_view text);

// A plain decimal number ("0.25", "-.0123", "1e-3", "+5") with a point as the
// separator; nothing else on the text after trimming. NaN and infinity are no
// numbers here.
std::optional<double> parseDecimal(std::string_view text);

// Writes x with the given number of decimals, or fewer when the text would
// otherwise be wider than width; right-aligned in width characters. A value
// that does not fit even without decimals is clamped to the largest one that
// does. Never writes "-0.000".
std::string formatFixed(double x, int width, int decimals);

// x with the given number of decimals and no padding (for messages).
std::string formatDecimal(double x, int decimals);

}  // namespace velarix::analysis
