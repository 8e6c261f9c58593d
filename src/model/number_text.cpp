#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

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

}  // namespace

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

std::string FormatNumberWithGrouping(double value, std::string_view pattern) {
  std::string text = FormatNumber(value, pattern);
  return WantsGrouping(pattern) ? GroupThousands(text) : text;
}

}  // namespace maltrove
