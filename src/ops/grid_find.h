// The grid's search for a text: cell by cell through the rows in use (the
// filtered rows while a filter is active), from the cell after the focused
// one, skipping hidden columns.
#pragma once

#include <optional>
#include <string>

#include "model/grid_model.h"

namespace maltrove {

struct FindOptions {
  std::string text;        // searched as given, blanks included
  bool down = true;        // false searches upward
  bool matchCase = false;  // false: ASCII letters match in either case
  bool wholeCell = false;  // the display text must equal the text
};

struct CellPosition {
  int row = -1;
  int col = -1;
  bool operator==(const CellPosition&) const = default;
};

// The first matching cell in the search direction, starting after the
// focused cell; with no focused row, at the first cell (down) or the last
// cell (up). A row without a cell in a visible column ends the search. An
// empty text finds nothing.
std::optional<CellPosition> FindCell(const CGridModel& grid, const FindOptions& options);

// Whether one display text matches under the options.
bool FindMatches(const std::string& displayText, const FindOptions& options);

}  // namespace maltrove
