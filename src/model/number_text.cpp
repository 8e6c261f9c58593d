#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <array>

namespace maltrove {

namespace {

// printf's "%.*f" or "%.*g" without the process locale (whose decimal comma
// would change the text) and without printf's cost.
std::string PrintDouble(std::chars_format format, int precision, double value) {
  char buffer[1400];  // 1e308 with 1000 decimals fits
  const std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  if (result.ec != std::errc()) return std::string();
  return std::string(buffer, result.ptr);
}

size_t DecimalsOf(std::string_view pattern) {
  size_t dot = pattern.find('.');
  if (dot == std::string_view::npos) return 0;
  std::string_view tail = pattern.substr(dot + 1);
  return static_cast<size_t>(std::count(tail.begin(), tail.end(), '#'));
}

bool WantsGrouping(std::string_view pattern) {
  size_t comma = pattern.find(',');
  return comma != std::string_view::npos && comma < pattern.find('.');
}

// Inserts "," every three digits of the integer digits that start the text
// (after an optional "-"). Only the digit run is grouped, so an exponent
// form such as "1e-07" is left alone.
std::string GroupThousands(const std::string& text) {
  size_t start = (!text.empty() && text[0] == '-') ? 1 : 0;
  size_t end = start;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  if (end < 4) return text;
  std::string out = text.substr(0, end);
  for (size_t at = end; at > start + 3; at -= 3) out.insert(at - 3, 1, ',');
  return out + text.substr(end);
}

constexpr int kMinExponent = -30;
constexpr int kMaxExponent = 52;

// For |x| in [2^e, 2^(e+1)): the most decimals d with |x| * 10^d below
// 10^15 (rounded down to be safe), or -1 when 10^d would not be exact.
constexpr std::array<int, kMaxExponent - kMinExponent + 1> kDecimals = [] {
  std::array<int, kMaxExponent - kMinExponent + 1> table{};
  for (int e = kMinExponent; e <= kMaxExponent; ++e) {
    const double v = 15 - (e + 1) * 0.30102999566398120 - 1e-9;
    int d = static_cast<int>(v);
    if (v < d) --d;
    table[e - kMinExponent] = d < 0 || d > 22 ? -1 : d;
  }
  return table;
}();

}  // namespace

// An integral x prints exactly. Otherwise the answer is yes when x is the
// double nearest a decimal of at most 15 significant digits (and not a power
// of two): the nearest 16-digit decimal, which "%.16g" prints, lies no
// farther from x than that one.
bool NumberReadsBack(double x, int fractionDigits) {
  uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  const int exponent = static_cast<int>((bits >> 52) & 0x7ff) - 1023;
  if (exponent == 1024) return false;  // inf, nan
  if (exponent >= 52) return true;
  if (exponent < 0 && (bits << 1) == 0) return true;  // zero
  if (exponent >= 0 && (bits << (12 + exponent)) == 0) return true;
  if ((bits & ((uint64_t{1} << 52) - 1)) == 0) return false;
  if (exponent < kMinExponent) return false;
  const int decimals = kDecimals[exponent - kMinExponent];
  if (decimals < 0) return false;
  // Such an x times 10^decimals lies within 0.25 of an integer below 2^53,
  // which rounds to that integer, and dividing it back gives x again.
  if (fractionDigits >= 0 && fractionDigits <= decimals) return true;
  const double scale = kPowersOfTen[decimals];
  const double t = x * scale;
  const double m = static_cast<double>(static_cast<int64_t>(t + std::copysign(0.5, t)));
  return m / scale == x;
}

std::string FormatNumber(double value, std::string_view pattern) {
  if (value == 0) value = 0;  // drops the sign of -0.0
  size_t decimals = DecimalsOf(pattern);
  if (decimals > 0) {
    // Far beyond what a double holds; only keeps the int conversion safe.
    int precision = static_cast<int>(std::min<size_t>(decimals, 1000));
    return PrintDouble(std::chars_format::fixed, precision, value);
  }
  if (std::isfinite(value) && value == std::trunc(value)) {
    return PrintDouble(std::chars_format::fixed, 0, value);
  }
  return PrintDouble(std::chars_format::general, 16, value);
}

void AppendPlainNumber(double value, std::string* out) {
  if (value == 0) value = 0;  // drops the sign of -0.0
  char buffer[400];  // 1e308 as an integer fits
  const bool integral = std::isfinite(value) && value == std::trunc(value);
  const std::to_chars_result result =
      integral ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0)
               : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 16);
  if (result.ec == std::errc()) out->append(buffer, result.ptr);
}

std::string FormatNumberWithGrouping(double value, std::string_view pattern) {
  std::string text = FormatNumber(value, pattern);
  return WantsGrouping(pattern) ? GroupThousands(text) : text;
}

}  // namespace maltrove
