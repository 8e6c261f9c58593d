// The grid's clipboard text: rows end with "\r\n" (none after the last),
// fields are separated by tabs, and a field may be quoted as spreadsheet
// programs quote it: in double quotes it may hold tabs, line breaks and
// doubled quotes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace maltrove {

// Appends one field, quoted only when it holds a tab, a line break or a
// double quote.
void AppendClipboardField(std::string& out, std::string_view value);

// The rows of a clipboard text, each a list of fields. A row ends at "\r\n"
// or at a lone "\n" outside quotes; a text ending with a line break has an
// empty last row, as the grid's own copy of an empty last field needs,
// except for one lone "\n" at the very end, which spreadsheets put after
// their last row. A
// field that opens with a quote but is not closed by a quote followed by a
// tab, a line break or the end is taken as it stands.
std::vector<std::vector<std::string>> ParseClipboardText(std::string_view text);

}  // namespace maltrove
