#include "window/editor_chars.h"

#include <algorithm>

#include "model/char_rules.h"

namespace maltrove {

bool AcceptTypedChar(const CGridColumn& column, const std::string& character,
                     const std::string& text, int caret) {
  if (character.empty()) return false;
  std::string before = text;
  if (column.inputLimit > 0 && before.size() > static_cast<size_t>(column.inputLimit)) {
    before.resize(static_cast<size_t>(column.inputLimit));
  }
  before.resize(std::min(before.size(), static_cast<size_t>(std::max(caret, 0))));
  const bool numeric = column.dataType == kDataNumeric;
  for (char c : character) {
    if (!IsCharAllowed(numeric, column.allowChar, c, before)) return false;
    before.push_back(c);
  }
  if (column.ignoreChar.empty()) return true;
  if (character.size() == 1) return !IsCharInSet(column.ignoreChar, character[0]);
  return column.ignoreChar.find(character) == std::string::npos;
}

}  // namespace maltrove
