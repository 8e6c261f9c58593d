#pragma once

#include <string>
#include <string_view>

namespace maltrove {

// Gives an XML text a declaration naming an encoding: a declaration is put in
// front when there is none, an encoding is added to one without it, and a
// declaration that names an encoding is left as it is.
std::string PrepareDeclaration(std::string_view text, const std::string& encoding);

}  // namespace maltrove
