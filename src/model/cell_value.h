// How a text becomes a cell value, and the three texts a cell gives back:
// the storage text (comparisons), the display text (painting, find) and the
// output text (script, copy, export).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/char_rules.h"
#include "model/grid_column.h"
#include "model/grid_row.h"
#include "model/select_lists.h"
#include "shared/trim.h"

namespace maltrove {

// The input checks and mask removal: the text to store, or nothing when a
// character is refused.
std::optional<std::string> PrepareInput(const CGridColumn& column, std::string_view data);
// The input without its blanks, and a numeric input without a final ".".
inline std::string_view TrimInput(const CGridColumn& column, std::string_view data) {
  std::string_view trimmed = TrimBlanks(data);
  if (column.dataType == kDataNumeric && !trimmed.empty() && trimmed.back() == '.') {
    trimmed.remove_suffix(1);
  }
  return trimmed;
}

// The same without a copy for a column with no characters to ignore and no
// output pattern, where the text to store is a part of `data`. Inline: the
// fill of a table passes here for every cell.
inline std::optional<std::string_view> PrepareInputInPlace(const CGridColumn& column,
                                                           std::string_view data) {
  const std::string_view text = TrimInput(column, data);
  if (!IsTextAllowed(column.dataType == kDataNumeric, column.allowChar, text)) return std::nullopt;
  return text;
}
// Whether PrepareInputInPlace serves the column.
inline bool TakesInputInPlace(const CGridColumn& column) {
  return column.ignoreChar.empty() && column.outputType.empty();
}

// Whether a cell's own select lists take the place of the column's: only
// when both are set.
inline bool HasOwnSelectLists(const CellCombo* own) {
  return own != nullptr && !own->comboValues.empty() && !own->comboDatas.empty();
}

// Stores a text in the cell's normal form for its column; never refuses.
// `own` is the cell's own select lists, if it has any; `index`, when given,
// is the column's lists split (for a cell without lists of its own).
void SetCellValue(const CGridColumn& column, CGridCell& cell, std::string_view text,
                  const CellCombo* own = nullptr, const SelectListIndex* index = nullptr);

// The stored value of a select cell matched against its lists: a view into
// `text`, the lists, or `scratch` (a bank code's text), so the fill of a
// select column stores it without a string of its own.
std::string_view MatchSelectView(const CGridColumn& column, const CellCombo* own,
                                 std::string_view text, std::string* scratch);

std::string StorageText(const CGridColumn& column, const CGridCell& cell);
std::string DisplayText(const CGridColumn& column, const CGridCell& cell,
                        const CellCombo* own = nullptr);
std::string OutputText(const CGridColumn& column, const CGridCell& cell);
// OutputText appended to `out`; the exports' path, which needs no text per
// cell.
void AppendOutputText(const CGridColumn& column, const CGridCell& cell, std::string* out);

// Whether a default value suits the column's data type.
bool IsValidDefault(int dataType, std::string_view value);

}  // namespace maltrove
