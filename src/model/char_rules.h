// Character rules applied to a cell's input text before it is stored.
#pragma once

#include <string>
#include <string_view>

namespace maltrove {

// Whether character c may stand after textBefore (so at position
// textBefore.size()) in the input of a column. A numeric column takes digits,
// one ".", and "+" or "-" only in front. A non-empty allowChar overrides
// that: it lists characters and byte ranges such as "0-9a-f", and a leading
// "-" in it is what admits the minus sign.
bool IsCharAllowed(bool numericColumn, std::string_view allowChar, char c,
                   std::string_view textBefore);

// Whether c is named by a character set in allowChar's syntax: characters,
// byte ranges such as "a-f", and a leading "-" for the minus sign.
bool IsCharInSet(std::string_view set, char c);

// Whether every character of text passes IsCharAllowed, in one pass.
bool IsTextAllowedByRules(bool numericColumn, std::string_view allowChar, std::string_view text);
// The same, answering at once for a text column without a character list
// (most columns).
inline bool IsTextAllowed(bool numericColumn, std::string_view allowChar, std::string_view text) {
  return (!numericColumn && allowChar.empty()) ||
         IsTextAllowedByRules(numericColumn, allowChar, text);
}

// text without any of the characters listed in chars.
std::string RemoveChars(std::string_view text, std::string_view chars);

}  // namespace maltrove
