// Text of the wide-character ODBC interface: SQLWCHAR is UTF-16 under
// unixODBC, and the text of the process is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace maltrove {

// Ill-formed UTF-8 becomes U+FFFD, one for each maximal ill-formed piece.
std::u16string Utf8ToUtf16(std::string_view text);

// The UTF-8 text of count units; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(const char16_t* units, size_t count);

}  // namespace maltrove
