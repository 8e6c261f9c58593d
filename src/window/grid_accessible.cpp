// CGridWnd as a table for assistive technologies: what each cell says, the
// headers, the focus, the selection and the check states.
#include "window/grid_wnd.h"

#include <algorithm>

namespace maltrove {

std::string CGridWnd::CellText(int row, int col) const { return model_.displayText(row, col); }

std::string CGridWnd::ColumnHeaderText(int col) const { return model_.getColumnLabel(col); }

std::string CGridWnd::RowHeaderText(int row) const {
  return model_.row(row) != nullptr ? std::to_string(row + 1) : std::string();
}

bool CGridWnd::IsCellSelected(int row, int col) const { return model_.isSelected(row, col) != 0; }

int CGridWnd::CellChecked(int row, int col) const {
  const CGridColumn* column = model_.column(col);
  if (column == nullptr || !column->isCheckable() || model_.row(row) == nullptr) return -1;
  return model_.getCellChecked(row, col) != 0 ? 1 : 0;
}

bool CGridWnd::IsColumnVisible(int col) const {
  const CGridColumn* column = model_.column(col);
  return column != nullptr && column->isVisible();
}

Rect CGridWnd::CellBounds(int row, int col) const {
  const CGridRow* r = model_.row(row);
  const CGridColumn* c = model_.column(col);
  if (r == nullptr || c == nullptr || !c->isVisible()) return {};
  const int dx = IsFixedColumn(model_, col) ? 0 : scroll().horizontal;
  Rect rect = CellRect(*c, *r).moved(-dx, -scroll().vertical);
  const platform::Size view = ViewSize();
  rect.left = std::max(rect.left, 0);
  rect.top = std::max(rect.top, 0);
  rect.right = std::min(rect.right, view.width);
  rect.bottom = std::min(rect.bottom, view.height);
  return rect.empty() ? Rect{} : rect;
}

}  // namespace maltrove
