#include "numbers.h"

#include <charconv>
#include <cmath>

namespace velarix::analysis {

std::string_view trimBlanks(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<double> parseDecimal(std::string_view text) {
  text = trimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  // from_chars also reads "nan" and "inf"; only digits, sign, point and
  // exponent are accepted here.
  for (char c : text) {
    const bool ok = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    if (!ok) return std::nullopt;
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

namespace {

std::string fixedText(double x, int decimals) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string formatFixed(double x, int width, int decimals) {
  if (!std::isfinite(x)) x = 0.0;
  for (int d = decimals; d >= 0; --d) {
    double value = x;
    if (std::fabs(value) < 0.5 * std::pow(10.0, -d)) value = 0.0;  // no "-0.00"
    std::string text = fixedText(value, d);
    if (static_cast<int>(text.size()) <= width) {
      return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
    }
  }
  // Too large for the field: clamp to the widest integer that fits.
  const int digits = x < 0 ? width - 1 : width;
  const double limit = std::pow(10.0, digits) - 1.0;
  return formatFixed(x < 0 ? -limit : limit, width, 0);
}

std::string formatDecimal(double x, int decimals) {
  return std::string(trimBlanks(formatFixed(x, 40, decimals)));
}

}  // namespace velarix::analysis
