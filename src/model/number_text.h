// Text of a numeric cell's value under a display or output pattern.
#pragma once

#include <string>
#include <string_view>

namespace maltrove {

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
