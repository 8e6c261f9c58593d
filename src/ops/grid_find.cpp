#include "ops/grid_find.h"

namespace maltrove {

namespace {

std::string AsciiLower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

bool Matches(const std::string& display, const std::string& text, bool wholeCell) {
  return wholeCell ? display == text : display.find(text) != std::string::npos;
}

}  // namespace

bool FindMatches(const std::string& displayText, const FindOptions& options) {
  if (options.matchCase) return Matches(displayText, options.text, options.wholeCell);
  return Matches(AsciiLower(displayText), AsciiLower(options.text), options.wholeCell);
}

std::optional<CellPosition> FindCell(const CGridModel& grid, const FindOptions& options) {
  const int rows = grid.getRowCount();
  const int cols = grid.getColumnCount();
  if (options.text.empty() || rows == 0 || cols == 0) return std::nullopt;
  const int step = options.down ? 1 : -1;
  const int firstCol = options.down ? 0 : cols - 1;
  int r = grid.focusedRow();
  int c = grid.focusedCol();
  if (r == -1) {
    r = options.down ? 0 : rows - 1;
    c = firstCol;
  } else {
    c += step;
    if (options.down ? c >= cols : c < 0) {
      r += step;
      c = firstCol;
    }
  }
  const std::string text = options.matchCase ? options.text : AsciiLower(options.text);
  // Positions left over from removed rows or columns have no cell and end
  // the search.
  for (; options.down ? r < rows : r >= 0; r += step, c = firstCol) {
    for (; options.down ? c < cols : c >= 0; c += step) {
      const CGridColumn* column = grid.column(c);
      if (column != nullptr && !column->isVisible()) continue;
      if (grid.cell(r, c) == nullptr) return std::nullopt;
      const std::string display = grid.displayText(r, c);
      if (Matches(options.matchCase ? display : AsciiLower(display), text, options.wholeCell)) {
        return CellPosition{r, c};
      }
    }
  }
  return std::nullopt;
}

}  // namespace maltrove
