#include "window/grid_wnd.h"

#include <algorithm>

namespace maltrove {

void CGridWnd::setFocusCell(int32_t row, int32_t col) {
  if (row == model_.focusedRow() && col == model_.focusedCol() && !editorOpen_) return;
  editorOpen_ = false;
  model_.setFocus(std::max(row, 0), std::max(col, 0));
  if (events_ != nullptr) events_->onCellFocused(row, col);
}

}  // namespace maltrove
