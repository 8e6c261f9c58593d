// Masks of string, numeric and dateTime columns: putting a string value into
// its mask for output, and taking the mask back off input text.
#pragma once

#include <string>
#include <string_view>

namespace maltrove {

// Fills a mask such as "###-####|####-####": among the "|" alternatives the
// first whose "#" count equals the value's length in bytes is used, else the
// first one. Each "#" takes the next byte of value (nothing once value is
// used up); other characters are copied. An empty pattern returns value.
std::string ApplyStringMask(std::string_view pattern, std::string_view value);

// The reverse of ApplyStringMask: drops every character that the pattern
// uses outside "#" (so "|" too) and keeps at most as many bytes as the whole
// pattern has "#".
std::string RemoveStringMask(std::string_view pattern, std::string_view text);

// Drops every character the pattern holds other than "#" and ".", which
// removes grouping commas and decorations but keeps the decimal point.
std::string RemoveNumericMask(std::string_view pattern, std::string_view text);

// Turns text typed under a strftime pattern back into yyyyMMddHHmmss order:
// keeps the digits not used by the pattern itself, then gives every "%" code
// of the pattern, in its order, 4 digits for %Y and 2 for any other code.
std::string RemoveDateMask(std::string_view pattern, std::string_view text);

}  // namespace maltrove
