// Base64 text of binary data, in the line layout of the zipped transport.
#pragma once

#include <string>
#include <string_view>

namespace maltrove {

// Standard alphabet with "=" padding. The complete three-byte groups come 19
// to a line (76 characters) and CR LF follows every full line of 19 groups,
// the last one included; the padded group of the remaining one or two bytes
// follows directly. So 57 bytes give 76 characters and CR LF, 58 bytes add
// "xx==" after that CR LF, and 56 bytes give a single line of 76 characters.
std::string Base64Encode(std::string_view bytes);

// Reads up to the end or a NUL, skipping every character outside the
// alphabet (line breaks, "=", blanks). A final group of two or three
// characters gives one or two bytes; a lone final character gives nothing.
bool Base64Decode(std::string_view text, std::string* bytes);

}  // namespace maltrove
