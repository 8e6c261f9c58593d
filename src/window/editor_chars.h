// Which characters a cell editor lets through as they are typed.
#pragma once

#include <string>

#include "model/grid_column.h"

namespace maltrove {

// Whether `character` (one UTF-8 character) typed at byte `caret` of `text`
// may enter an editor of `column`: it must pass the column's allowed
// characters (numeric rules or allowChar) at the caret, given the text cut
// to inputLimit bytes, and must not be named by ignoreChar, read with the
// same set-and-range syntax as allowChar.
bool AcceptTypedChar(const CGridColumn& column, const std::string& character,
                     const std::string& text, int caret);

}  // namespace maltrove
