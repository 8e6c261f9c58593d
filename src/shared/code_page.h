// Text conversion between UTF-8 (the text of the process) and Windows code
// pages, through iconv. Code page 0 and 65001 are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace maltrove {

// The iconv name of a Windows code page, or nullptr when none is known.
const char* IconvName(int codePage);

// Encodes UTF-8 text. Characters the code page cannot represent, and
// ill-formed UTF-8, come out as "?". Without a converter for the code page
// the text is copied and the result is false.
bool ConvertFromUtf8(std::string_view text, int codePage, std::string* out);

// Encodes UTF-8 text only when every character has a form in the code page;
// false (out unspecified) otherwise, for ill-formed UTF-8, or without a
// converter.
bool ConvertFromUtf8Exactly(std::string_view text, int codePage, std::string* out);

// Decodes bytes to UTF-8; bytes that do not decode become U+FFFD. Without a
// converter the bytes are taken as UTF-8 and the result is false.
bool ConvertToUtf8(std::string_view bytes, int codePage, std::string* out);

// Converts bytes of one code page into another, through UTF-8.
std::string ConvertCodePage(std::string_view text, int from, int to);

}  // namespace maltrove
