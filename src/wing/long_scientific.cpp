#include "wing/long_scientific.h"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace velarix {

std::string formatLongScientific(Real x) {
  if (!std::isfinite(x)) throw std::domain_error("a real that is not finite has no text form");
  if (x == 0) x = 0;  // -0 is written as 0
  std::array<char, 64> buffer{};
  // "d.ddddddddddddddde[+-]xx..." from the exact binary value, correctly rounded
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(x),
                                    std::chars_format::scientific, 14);
  const std::string_view digits(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
  const std::size_t e = digits.find('e');
  const std::string_view mantissa = digits.substr(0, e);
  const char exponentSign = digits[e + 1];
  std::string_view exponent = digits.substr(e + 2);
  while (exponent.size() > 1 && exponent.front() == '0') exponent.remove_prefix(1);

  std::string out;
  out.reserve(23);
  out += x < 0 ? '-' : ' ';
  out += mantissa;
  out += 'E';
  out += exponentSign;
  out.append(exponent.size() < 4 ? 4 - exponent.size() : 0, '0');
  out += exponent;
  return out;
}

std::optional<Real> parseLongReal(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty() || text.size() > 200) return std::nullopt;
  std::string s(text);
  for (char& c : s) {
    if (c == ',') c = '.';
  }
  std::size_t start = 0;
  if (s[0] == '+') start = 1;  // from_chars takes no plus sign
  if (start == 1 && s.size() > 1 && (s[1] == '+' || s[1] == '-')) return std::nullopt;
  // Only digits, one point, an exponent: from_chars would also read "inf"
  // and "nan", which are no numbers here.
  for (std::size_t i = start; i < s.size(); ++i) {
    const char c = s[i];
    const bool allowed =
        (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' ||
        ((c == '-' || c == '+') && (i == start || s[i - 1] == 'e' || s[i - 1] == 'E'));
    if (!allowed) return std::nullopt;
  }
  Real value = 0;
  const char* first = s.data() + start;
  const char* last = s.data() + s.size();
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace velarix
