// The encoding-name table (the CHARSET_DATA text) and its lookup.
#pragma once

#include <string_view>

namespace maltrove {

// The table as the text resource holds it: lines of "codepage family name
// ...", each ending in CR LF.
std::string_view CharsetDataText();

// Finds an encoding name, ignoring case and surrounding white space; the
// first line naming it gives the code page and its family code page. When no
// line names it both outputs become 0; an empty name leaves them untouched.
bool LookupEncoding(std::string_view name, int* codePage, int* familyCodePage);

}  // namespace maltrove
