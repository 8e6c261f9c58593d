#include "model/char_rules.h"

namespace maltrove {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNumericCharAllowed(char c, std::string_view textBefore) {
  if (IsDigit(c)) return true;
  if ((c == '+' || c == '-') && textBefore.empty()) return true;
  return c == '.' && textBefore.find('.') == std::string_view::npos;
}

// Ranges compare byte values, so bytes of multi-byte characters sort above
// every ASCII character.
bool InByteRange(char low, char c, char high) {
  auto b = static_cast<unsigned char>(c);
  return static_cast<unsigned char>(low) <= b && b <= static_cast<unsigned char>(high);
}

bool IsListedInAllowChar(std::string_view allowChar, char c) {
  if (c == '-') return allowChar.front() == '-';
  for (size_t i = 0; i < allowChar.size(); ++i) {
    if (allowChar[i] == c) return true;
    if (allowChar[i] != '-' || i == 0) continue;
    // A dangling "-" at the end makes the list unusable past this point.
    if (i + 1 == allowChar.size()) return false;
    if (InByteRange(allowChar[i - 1], c, allowChar[i + 1])) return true;
  }
  return false;
}

}  // namespace

bool IsCharInSet(std::string_view set, char c) {
  return !set.empty() && IsListedInAllowChar(set, c);
}

bool IsCharAllowed(bool numericColumn, std::string_view allowChar, char c,
                   std::string_view textBefore) {
  if (!allowChar.empty()) return IsListedInAllowChar(allowChar, c);
  if (numericColumn) return IsNumericCharAllowed(c, textBefore);
  return true;
}

bool IsTextAllowedByRules(bool numericColumn, std::string_view allowChar, std::string_view text) {
  if (!allowChar.empty()) {
    for (char c : text) {
      if (!IsListedInAllowChar(allowChar, c)) return false;
    }
    return true;
  }
  if (!numericColumn) return true;
  bool seenDot = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c) || ((c == '+' || c == '-') && i == 0)) continue;
    if (c != '.' || seenDot) return false;
    seenDot = true;
  }
  return true;
}

std::string RemoveChars(std::string_view text, std::string_view chars) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (chars.find(c) == std::string_view::npos) out.push_back(c);
  }
  return out;
}

}  // namespace maltrove
