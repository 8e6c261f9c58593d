// Escaping of text for XML attribute values and element content.
#pragma once

#include <string>
#include <string_view>

namespace maltrove {

// Replaces & " ' < > by their entities; an existing entity has its
// ampersand escaped again.
std::string XmlEscape(std::string_view text);
void AppendXmlEscaped(std::string* out, std::string_view text);

}  // namespace maltrove
