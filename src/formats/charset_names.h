// Names of the GDI character-set codes used by font-character-set.
#pragma once

#include <string>
#include <string_view>

namespace maltrove {

// "" for a code without a name.
std::string CharSetName(int code);
// Exact, case-sensitive; -1 for an unknown name.
int CharSetCode(std::string_view name);

}  // namespace maltrove
