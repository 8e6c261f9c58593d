// Text of a numeric cell's value under a display or output pattern.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace maltrove {

// The exact powers of ten a double holds, 10^0 to 10^22.
inline constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A text of the form -?digits with at most one "." among the digits and at
// most 15 digits in all: its number is exactly `mantissa` over
// 10^max(decimals, 0), negated when `negative`.
struct PlainDecimal {
  uint64_t mantissa = 0;
  int integerDigits = 0;  // digits before the "."
  int decimals = -1;      // digits after it; -1 without a "."
  bool negative = false;
};

// False for any other text, and for one without a digit. Inline: the fill
// of a table reads every numeric cell through it.
inline bool ScanPlainDecimal(std::string_view s, PlainDecimal* out) {
  PlainDecimal d;
  size_t i = 0;
  d.negative = !s.empty() && s[0] == '-';
  if (d.negative) ++i;
  int digits = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      if (++digits > 15) return false;
      d.mantissa = d.mantissa * 10 + static_cast<uint64_t>(c - '0');
      if (d.decimals >= 0) ++d.decimals;
      else ++d.integerDigits;
    } else if (c == '.' && d.decimals < 0) {
      d.decimals = 0;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  *out = d;
  return true;
}

// With n "#" after the first "." of the pattern (n > 0) the value is printed
// with n decimals ("%.nf"). Otherwise an integral value is printed as a
// plain integer and any other value with up to 16 significant digits
// ("%.16g"). Negative zero prints as zero; NaN and infinities print as
// printf spells them.
std::string FormatNumber(double value, std::string_view pattern);

// FormatNumber(value, "") appended to `out`, without a text of its own.
void AppendPlainNumber(double value, std::string* out);

// FormatNumber plus thousands grouping, which a pattern asks for with a ","
// before its first "." (or a "," and no "."), as in "#,###.##".
std::string FormatNumberWithGrouping(double value, std::string_view pattern);

// Whether FormatNumber(x, "") reads back as x, decided without the text.
// `fractionDigits` >= 0 says x is the double nearest an integer of at most 15
// digits over 10^fractionDigits, which settles most answers without dividing.
bool NumberReadsBack(double x, int fractionDigits = -1);

}  // namespace maltrove
