#include "wing/cell_number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace velarix {

namespace {

constexpr int kDecimals = 6;
constexpr int kSignificantDigits = 15;
// Exponents beyond this make a text out of range (far beyond long double).
constexpr int kMaxDecimalExponent = 4950;

// Decimal digits of a value: value = 0.d1 d2 d3 ... * 10^pointPosition,
// i.e. pointPosition digits stand before the decimal point.
struct DecimalDigits {
  bool negative = false;
  std::string digits;  // without leading zeros, may be empty (zero)
  int pointPosition = 0;
};

// Drops the digits that stand after the sixth decimal (truncation toward zero)
// and strips leading and trailing zeros.
void truncateToSixDecimals(DecimalDigits& d) {
  const int keep = d.pointPosition + kDecimals;
  if (keep <= 0) {
    d.digits.clear();
  } else if (keep < static_cast<int>(d.digits.size())) {
    d.digits.resize(static_cast<std::size_t>(keep));
  }
  std::size_t lead = 0;
  while (lead < d.digits.size() && d.digits[lead] == '0') ++lead;
  d.digits.erase(0, lead);
  d.pointPosition -= static_cast<int>(lead);
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) {
    d.negative = false;
    d.pointPosition = 0;
  }
}

std::string plainText(const DecimalDigits& d) {
  std::string out = d.negative ? "-" : "";
  const int n = static_cast<int>(d.digits.size());
  if (d.pointPosition <= 0) {
    out += "0,";
    out.append(static_cast<std::size_t>(-d.pointPosition), '0');
    out += d.digits;
    return out;
  }
  if (n <= d.pointPosition) {
    out += d.digits;
    out.append(static_cast<std::size_t>(d.pointPosition - n), '0');
    return out;
  }
  out.append(d.digits, 0, static_cast<std::size_t>(d.pointPosition));
  out += ',';
  out.append(d.digits, static_cast<std::size_t>(d.pointPosition), std::string::npos);
  return out;
}

std::string scientificText(const DecimalDigits& d) {
  std::string out = d.negative ? "-" : "";
  out += d.digits[0];
  if (d.digits.size() > 1) {
    out += ',';
    out.append(d.digits, 1, std::string::npos);
  }
  const int exponent = d.pointPosition - 1;
  out += 'E';
  if (exponent < 0) out += '-';
  out += std::to_string(std::abs(exponent));
  return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Reads [sign] digits [sep digits] [E [sign] digits] with ',' as the only
// decimal separator. Returns false for anything else.
bool scanDecimal(std::string_view s, DecimalDigits& d) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    d.negative = s[i] == '-';
    ++i;
  }
  std::string mantissa;
  int integerDigits = 0;
  bool sawDigit = false;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    mantissa += s[i++];
    ++integerDigits;
    sawDigit = true;
  }
  if (i < s.size() && s[i] == ',') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      mantissa += s[i++];
      sawDigit = true;
    }
  }
  if (!sawDigit) return false;
  long long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
      negativeExponent = s[i] == '-';
      ++i;
    }
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      if (exponent < 1000000) exponent = exponent * 10 + (s[i] - '0');
      ++i;
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != s.size()) return false;
  std::size_t lead = 0;
  while (lead < mantissa.size() && mantissa[lead] == '0') ++lead;
  d.digits = mantissa.substr(lead);
  d.pointPosition = static_cast<int>(integerDigits - static_cast<int>(lead));
  if (d.digits.empty()) {
    d.pointPosition = 0;
    return true;
  }
  if (exponent > kMaxDecimalExponent) return false;  // out of range
  if (exponent < -kMaxDecimalExponent) {
    d.digits.clear();
    d.pointPosition = 0;
    return true;
  }
  d.pointPosition += static_cast<int>(exponent);
  return true;
}

}  // namespace

CellConversionError::CellConversionError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' ist kein gültiger Gleitkommawert"),
      text_(text) {}

std::string formatCellNumber(Real x) {
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
  // 15 significant digits in scientific form: d.dddddddddddddde[+-]xx
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  DecimalDigits d;
  std::size_t i = 0;
  if (text[i] == '-') {
    d.negative = true;
    ++i;
  }
  const std::size_t e = text.find('e');
  for (std::size_t k = i; k < e; ++k) {
    if (text[k] != '.') d.digits += text[k];
  }
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                  exponent);
  d.pointPosition = exponent + 1;
  truncateToSixDecimals(d);
  if (d.digits.empty()) return "0";
  // Magnitude below 0.00001 (pointPosition <= -5) or at least 10^15.
  if (d.pointPosition <= -5 || d.pointPosition > 15) return scientificText(d);
  return plainText(d);
}

bool tryParseCellNumber(std::string_view text, Real& value) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  std::string s(text.substr(begin, end - begin));
  for (char& c : s) {
    if (c == '.') c = ',';
  }
  DecimalDigits d;
  if (!scanDecimal(s, d)) return false;
  truncateToSixDecimals(d);
  if (d.digits.empty()) {
    value = 0.0L;
    return true;
  }
  std::string canonical = d.negative ? "-0." : "0.";
  canonical += d.digits;
  canonical += 'e';
  canonical += std::to_string(d.pointPosition);
  long double parsed = 0.0L;
  const auto result =
      std::from_chars(canonical.data(), canonical.data() + canonical.size(), parsed);
  if (result.ec != std::errc() || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

Real parseCellNumber(std::string_view text) {
  Real value = 0.0L;
  if (!tryParseCellNumber(text, value)) throw CellConversionError(text);
  return value;
}

Real roundToDecimals(Real x, int decimals) {
  Real scale = 1.0L;
  for (int i = 0; i < decimals; ++i) scale *= 10.0L;
  return std::nearbyint(x * scale) / scale;
}

long long roundHalfEven(Real x) { return std::llrint(x); }

}  // namespace velarix
