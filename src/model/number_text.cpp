#include "model/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace maltrove {

namespace {

// printf into a string sized by a first dry run, so huge values and long
// precisions need no fixed buffer.
std::string PrintDouble(const char* format, int precision, double value) {
  int length = std::snprintf(nullptr, 0, format, precision, value);
  if (length <= 0) return std::string();
  std::string out(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(out.data(), out.size(), format, precision, value);
  out.resize(static_cast<size_t>(length));
  return out;
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
    return PrintDouble("%.*f", precision, value);
  }
  if (std::isfinite(value) && value == std::trunc(value)) {
    return PrintDouble("%.*f", 0, value);
  }
  return PrintDouble("%.*g", 16, value);
}

std::string FormatNumberWithGrouping(double value, std::string_view pattern) {
  std::string text = FormatNumber(value, pattern);
  return WantsGrouping(pattern) ? GroupThousands(text) : text;
}

}  // namespace maltrove
