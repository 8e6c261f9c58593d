// CGridWnd's pointer input: presses, drags and releases on cells and header
// borders, double clicks, the wheel, the cursor and the context menu.
#include <algorithm>

#include "model/grid_messages.h"
#include "platform/user_interface.h"
#include "window/context_menu.h"
#include "window/grid_wnd.h"

namespace maltrove {

namespace {

bool Extending(int keys) { return (keys & (platform::kKeyShift | platform::kKeyControl)) != 0; }

const char kVersionText[] =
    "Maltrove Grid : 1,0,0,78 \nMaltroveDBGateway : 1,0,0,78 \nCode Page :ASCII";

}  // namespace

GridHit CGridWnd::Hit(int x, int y) const {
  return HitTest(model_, scroll(), ClientSize().height, hbar_.shown(), x, y);
}

bool CGridWnd::InBarSquare(int x, int y) const {
  if (!vbar_.shown() || !hbar_.shown()) return false;
  const platform::Size client = ClientSize();
  return x >= client.width - kBarSize && y >= client.height - kBarSize;
}

void CGridWnd::OnMouseDown(int x, int y, int keys) {
  HideTip();
  if (window_ == nullptr || InBarSquare(x, y)) return;
  if (CXScrollBar* bar = BarAt(x, y)) {
    capturedBar_ = bar;
    window_->CaptureMouse(true);
    bar->OnPress(x, y);
    return;
  }
  const GridHit hit = Hit(x, y);
  pressedRow_ = hit.row;
  pressedCol_ = hit.col;
  pressKind_ = hit.kind;
  clickedFocused_ = hit.kind == kHitCell && hit.row == model_.focusedRow() &&
                    hit.col == model_.focusedCol();
  if (clickedFocused_) RepaintCell(hit.row, hit.col);  // a button goes down
  if (hit.kind == kHitCell) PressCell(hit, keys);
  mouseDown_ = true;
  lastMouse_ = {x, y};
  window_->TakeFocus();
  window_->CaptureMouse(true);
}

void CGridWnd::PressCell(const GridHit& hit, int keys) {
  if (!Extending(keys)) {
    model_.clearSelection();
    selectionAnchor_ = 0;
  }
  if ((keys & platform::kKeyShift) && hit.row >= 0 && hit.col >= 0) {
    SelectRange(hit.row, hit.col);
    return;
  }
  selectionAnchor_ = model_.selection().size();
  setFocusCell(hit.row, hit.col);
  model_.addSelection(hit.row, hit.col);
  if (hit.row == -1 && events_ != nullptr) events_->onClickColumnHeader(hit.col);
  if (window_ != nullptr) window_->NotifyAccessibility(platform::AccessibleChange::kSelection, hit.row, hit.col);
}

// The selection after the anchor becomes the rectangle from the focused
// cell to (row, col).
void CGridWnd::SelectRange(int row, int col) {
  const int focusRow = std::max(model_.focusedRow(), 0);
  const int focusCol = std::max(model_.focusedCol(), 0);
  model_.truncateSelection(selectionAnchor_);
  model_.addSelectionRectangle(std::min(focusRow, row), std::min(focusCol, col),
                               std::max(focusRow, row), std::max(focusCol, col));
  if (window_ != nullptr) window_->NotifyAccessibility(platform::AccessibleChange::kSelection, row, col);
}

void CGridWnd::OnMouseMove(int x, int y, int keys, bool leftHeld) {
  if (capturedBar_ != nullptr) {
    capturedBar_->OnDrag(x, y);
    return;
  }
  if (!leftHeld || !mouseDown_) {
    UpdateCursor(x, y);
    if (editor_ == nullptr) UpdateDataTip(x, y);
    return;
  }
  (void)keys;
  if (pressKind_ == kHitColumnBorder || pressKind_ == kHitRowBorder) {
    DragResize(x, y);
  } else if (pressKind_ == kHitCell && pressedRow_ >= 0 && pressedCol_ >= 0) {
    const GridHit hit = Hit(x, y);
    if (hit.kind == kHitCell && hit.row >= 0 && hit.col >= 0 &&
        (hit.row != pressedRow_ || hit.col != pressedCol_)) {
      pressedRow_ = hit.row;
      pressedCol_ = hit.col;
      SelectRange(hit.row, hit.col);
    }
  }
  lastMouse_ = {x, y};
}

void CGridWnd::DragResize(int x, int y) {
  if (pressKind_ == kHitColumnBorder) {
    const int col = pressedCol_;
    const bool visible = col == -1 ? model_.rowHeaderVisible() != 0
                                   : model_.column(col) != nullptr && model_.column(col)->isVisible();
    if (!visible || model_.getColumnEnableResize(col) == 0) return;
    const int width = (col == -1 ? model_.rowHeaderWidth() : model_.column(col)->width) +
                      (x - lastMouse_.x);
    if (width < kMinColumnWidth) return;
    model_.setColumnWidth(col, width);
  } else {
    if (model_.enableRowResize() == 0) return;
    const int row = pressedRow_;
    const int height = (row == -1 ? model_.columnHeaderHeight() : model_.getRowHeight(row)) +
                       (y - lastMouse_.y);
    if (height < kMinRowHeight) return;
    model_.setRowHeight(row, height);
  }
}

void CGridWnd::OnMouseUp(int x, int y, int keys) {
  if (capturedBar_ != nullptr) {
    capturedBar_->OnRelease();
    capturedBar_ = nullptr;
    window_->CaptureMouse(false);
    return;
  }
  if (window_ != nullptr) window_->CaptureMouse(false);
  if (!mouseDown_) return;
  mouseDown_ = false;
  if (pressKind_ == kHitColumnBorder || pressKind_ == kHitRowBorder) {
    RecomputeScrollBars();
    RepaintAll();
  }
  const GridHit hit = Hit(x, y);
  const bool onFocused = hit.kind == kHitCell && hit.row == model_.focusedRow() &&
                         hit.col == model_.focusedCol() && hit.row >= 0 && hit.col >= 0;
  if (clickedFocused_ && onFocused) OpenEditor();
  const int wasRow = pressedRow_;
  const int wasCol = pressedCol_;
  pressedRow_ = pressedCol_ = -2;
  pressKind_ = kHitNothing;
  if (wasRow >= 0 && wasCol >= 0) RepaintCell(wasRow, wasCol);  // a button comes up
  if (onFocused) ReleaseOnCell(hit);
  clickedFocused_ = false;
  if (!Extending(keys)) selectionAnchor_ = 0;
}

void CGridWnd::ReleaseOnCell(const GridHit& hit) {
  if (events_ != nullptr) events_->onClickCell(hit.row, hit.col);
  if (model_.isCellReadOnly(hit.row, hit.col) != 0) return;
  const int before = model_.getCellChecked(hit.row, hit.col);
  model_.setCellChecked(hit.row, hit.col, before != 0 ? 0 : 1);
  if (model_.isCellHidden(hit.row, hit.col) || events_ == nullptr) return;
  const CGridColumn& column = *model_.column(hit.col);
  const int checked = model_.getCellChecked(hit.row, hit.col);
  if (column.inputType == kInputButton) events_->onClickCellButton(hit.row, hit.col);
  if (column.inputType == kInputRadio) events_->onClickCellRadio(hit.row, hit.col, checked);
  if (column.inputType == kInputCheckBox) events_->onClickCellCheckbox(hit.row, hit.col, checked);
  if (column.isCheckable() && window_ != nullptr) {
    window_->NotifyAccessibility(platform::AccessibleChange::kValue, hit.row, hit.col);
  }
}

void CGridWnd::OnDoubleClick(int x, int y, int) {
  if (window_ == nullptr || InBarSquare(x, y) || BarAt(x, y) != nullptr) return;
  const GridHit hit = Hit(x, y);
  if (hit.kind != kHitCell) return;
  if (hit.row >= 0 && hit.col >= 0) {
    if (hit.row != model_.focusedRow() || hit.col != model_.focusedCol()) {
      setFocusCell(hit.row, hit.col);
    }
    OpenEditor();
  } else if (hit.row == -1 && hit.col != -1) {
    if (events_ != nullptr) events_->onDblClickColHeader(hit.col);
  } else if (hit.col == -1 && hit.row != -1) {
    if (events_ != nullptr) events_->onDblClickRowHeader(hit.row);
  }
}

void CGridWnd::UpdateCursor(int x, int y) {
  if (window_ == nullptr) return;
  const GridHit hit = Hit(x, y);
  platform::CursorShape shape = platform::CursorShape::kArrow;
  if (hit.kind == kHitColumnBorder && model_.columnHeaderVisible()) {
    const bool visible = hit.col == -1 ? model_.rowHeaderVisible() != 0
                                       : model_.column(hit.col)->isVisible();
    if (visible && model_.getColumnEnableResize(hit.col) != 0) {
      shape = platform::CursorShape::kSizeHorizontal;
    }
  } else if (hit.kind == kHitRowBorder && model_.rowHeaderVisible() &&
             model_.enableRowResize() != 0 &&
             !(hit.row == -1 && !model_.columnHeaderVisible())) {
    shape = platform::CursorShape::kSizeVertical;
  }
  window_->SetCursor(shape);
}

void CGridWnd::OnWheel(int, int, int notches, int linesPerNotch) {
  if (window_ == nullptr || model_.contentBottom() <= ClientSize().height) return;
  const int lines = linesPerNotch > 0 ? linesPerNotch : 3;
  // Rolling away from the user scrolls up.
  ScrollTo(true, vbar_.position() - notches * lines * kWheelStep);
  RepaintBar(true);
}

void CGridWnd::OnMouseLeave() {}

// ---- context menu ------------------------------------------------------------------

void CGridWnd::OnRightClick(int x, int y, int) {
  HideTip();
  if (window_ == nullptr || BarAt(x, y) != nullptr || InBarSquare(x, y)) return;
  ShowContextMenu(x, y);
}

void CGridWnd::ShowContextMenu(int x, int y) {
  if (ui_ == nullptr) return;
  const GridHit hit = Hit(x, y);
  MenuContext context;
  context.level = model_.style().contextMenuLevel;
  context.onColumnHeader = hit.row == -1;
  context.onRowHeader = hit.col == -1 && hit.row >= 0;
  context.selectionEmpty = model_.selection().empty();
  context.clipboardHasText = commands_ != nullptr && commands_->ClipboardHasText();
  context.hasFocus = model_.focusedRow() >= 0 && model_.focusedCol() >= 0;
  context.filtered = model_.isFiltered();
  const std::vector<platform::MenuItem> items = BuildContextMenu(context);
  if (items.empty()) return;
  contextRow_ = hit.row >= 0 ? hit.row : -1;
  contextOnRowHeader_ = context.onRowHeader;
  const platform::Point screen = window_->ClientToScreen({x, y});
  const int command = ui_->PopupMenu(items, screen.x, screen.y);
  if (command != 0) RunMenuCommand(command);
}

void CGridWnd::RunMenuCommand(int command) {
  switch (command) {
    case kCmdCopy: if (commands_) commands_->Copy(); break;
    case kCmdCut: if (commands_) commands_->Cut(); break;
    case kCmdPaste: if (commands_) commands_->Paste(); break;
    case kCmdClear: if (commands_) commands_->ClearContents(); break;
    case kCmdFind: if (commands_) commands_->Find(); break;
    case kCmdSort: if (commands_) commands_->Sort(); break;
    case kCmdFilter: if (commands_) commands_->Filter(); break;
    case kCmdCancelFilter:
      model_.showAllRows();
      model_.styleChanged();
      break;
    case kCmdInsert: InsertRowAtContext(); break;
    case kCmdDelete: DeleteSelectedRows(); break;
    case kCmdVersion:
      if (ui_) ui_->ShowMessage(kGridCaption, kVersionText, platform::MessageBoxButtons::kOk);
      break;
    default:
      break;
  }
}

void CGridWnd::InsertRowAtContext() {
  const int row = model_.insertRow(contextRow_ < 0 ? -1 : contextRow_);
  if (row < 0) return;
  setFocusCell(row, 0);
  model_.clearSelection();
  model_.addSelection(row, -1);
}

// Rows named by the selection, from the highest down; read-only rows stay.
void CGridWnd::DeleteSelectedRows() {
  std::vector<int> rows;
  bool all = false;
  for (const auto& entry : model_.selection()) {
    if (entry.first == -1) all = true;
    if (entry.first >= 0) rows.push_back(entry.first);
  }
  if (all) {
    rows.clear();
    for (int r = 0; r < model_.getRowCount(); ++r) rows.push_back(r);
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  const int drawMode = model_.immediateDrawMode();
  model_.style().immediateDrawMode = 0;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    const int readOnly = model_.getRowReadOnly(*it);
    if (readOnly == -1 || readOnly == 0) model_.removeRow(*it);
  }
  model_.style().immediateDrawMode = drawMode;
  model_.clearSelection();
  if (drawMode != 0) model_.styleChanged();
  if (window_ != nullptr) window_->NotifyAccessibility(platform::AccessibleChange::kStructure, -1, -1);
}

}  // namespace maltrove
