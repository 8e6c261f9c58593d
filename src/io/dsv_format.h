// Separated-value text: delimiter candidates, the columns that take part,
// lines and fields, and the letter names of fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/grid_model.h"

namespace maltrove {

// The delimiter box's items: one per candidate of the setting, where a
// backslash and the character after it form one candidate and "\t" shows as
// "Tab". The default setting gives , Tab : ; | @ # $ & * !
std::vector<std::string> DelimiterCandidates(const std::string& setting);
// The delimiter an operation uses: a tab for "Tab", else the first
// character of the box's text.
char DelimiterOf(const std::string& boxText);

// Columns exported, previewed and imported: visible ones (or all with
// `hidden`) whose input type is not radio, checkBox or button (or all with
// `checkButton`).
std::vector<int> ListedColumns(const CGridModel& grid, bool hidden, bool checkButton);

// Splits text into lines at "\r\n", or at a lone "\n" or "\r"; the text after
// the last separator is the last line.
std::vector<std::string_view> SplitLines(std::string_view text);
// Splits a line at every delimiter; with removeQuotes every '"' is dropped.
std::vector<std::string> SplitFields(std::string_view line, char delimiter, bool removeQuotes);

// "A" for position 0 .. "Z" for 25, then "AA", "AB", ... ("BA" for 52).
std::string LetterName(int position);

// The header text of a column: its label, or its field name when the label
// is blank; trimmed.
std::string HeaderName(const CGridColumn& column);

}  // namespace maltrove
