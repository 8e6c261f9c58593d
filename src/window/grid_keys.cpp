// CGridWnd's keyboard: navigation, accelerators, and typing or composing on
// a cell, which starts its editor.
#include <algorithm>

#include "window/editor_chars.h"
#include "window/grid_wnd.h"

namespace maltrove {

namespace {

using namespace platform;

bool Ctrl(int keys) { return (keys & kKeyControl) != 0; }
bool Shift(int keys) { return (keys & kKeyShift) != 0; }

bool IsTypedEditType(int inputType) {
  return inputType == kInputText || inputType == kInputMultiLine || inputType == kInputCalendar;
}

}  // namespace

void CGridWnd::OnThreadKeyPress() { HideTip(); }

void CGridWnd::OnFocusLost() {}

void CGridWnd::OnKeyDown(int key, int keys) {
  HideTip();
  if (editor_ != nullptr) return;  // the editor has the keys
  if (RunAccelerator(key, keys)) return;
  if (key == kVkF2) {
    OpenEditor();
    return;
  }
  if (key == kVkBack) {
    // Backspace empties the cell, then edits it.
    if (!CanStartEditByTyping()) return;
    model_.setCellStringData(model_.focusedRow(), model_.focusedCol(), "");
    CreateEditorFor(model_.focusedRow(), model_.focusedCol(), true);
    return;
  }
  Navigate(key, keys);
}

bool CGridWnd::RunAccelerator(int key, int keys) {
  if (key == kVkDelete && !Ctrl(keys) && !Shift(keys)) {
    if (commands_ != nullptr) commands_->ClearContents();
    return true;
  }
  if (!Ctrl(keys) || commands_ == nullptr) return false;
  switch (key) {
    case 'C': commands_->Copy(); return true;
    case 'X': commands_->Cut(); return true;
    case 'V': commands_->Paste(); return true;
    case 'F': commands_->Find(); return true;
    case 'S': commands_->Sort(); return true;
    case 'T': commands_->Filter(); return true;
    default: return false;
  }
}

int CGridWnd::NextVisibleColumn(int col, int step) const {
  for (int c = col + step; c >= 0 && c < model_.getColumnCount(); c += step) {
    if (model_.column(c)->isVisible()) return c;
  }
  return col;
}

int CGridWnd::FirstVisibleColumn() const { return NextVisibleColumn(-1, 1); }

int CGridWnd::LastVisibleColumn() const { return NextVisibleColumn(model_.getColumnCount(), -1); }

// Every navigation key leaves the new focused cell as the only selection.
void CGridWnd::MoveFocusTo(int row, int col) {
  model_.clearSelection();
  selectionAnchor_ = 0;
  if (row >= 0 && col >= 0) {
    if (row != model_.focusedRow() || col != model_.focusedCol()) setFocusCell(row, col);
    EnsureVisible(row, col);
    model_.addSelection(row, col);
  }
  if (window_ != nullptr) window_->NotifyAccessibility(AccessibleChange::kFocus, row, col);
}

bool CGridWnd::Navigate(int key, int keys) {
  const int rows = model_.getRowCount();
  if (rows == 0 || model_.getColumnCount() == 0) return false;
  int row = model_.focusedRow();
  int col = model_.focusedCol();
  if (row < 0 || col < 0) {
    row = 0;
    col = std::max(FirstVisibleColumn(), 0);
  }
  switch (key) {
    case kVkTab: col = NextVisibleColumn(col, Shift(keys) ? -1 : 1); break;
    case kVkReturn: row = std::clamp(row + (Shift(keys) ? -1 : 1), 0, rows - 1); break;
    case kVkUp: row = std::max(row - 1, 0); break;
    case kVkDown: row = std::min(row + 1, rows - 1); break;
    case kVkLeft: col = NextVisibleColumn(col, -1); break;
    case kVkRight: col = NextVisibleColumn(col, 1); break;
    case kVkHome:
      if (Ctrl(keys)) row = 0;
      col = FirstVisibleColumn();
      break;
    case kVkEnd:
      if (Ctrl(keys)) row = rows - 1;
      col = LastVisibleColumn();
      break;
    case kVkPrior:
    case kVkNext:
      PageMove(key == kVkNext);
      return true;
    default:
      return false;
  }
  MoveFocusTo(row, col);
  return true;
}

// Scrolls a page, then focuses the row now under the focused cell's place
// on the screen (or the first row below the header).
void CGridWnd::PageMove(bool down) {
  const int rows = model_.getRowCount();
  const int col = model_.focusedCol() >= 0 ? model_.focusedCol() : std::max(FirstVisibleColumn(), 0);
  const CGridRow* focused = model_.row(model_.focusedRow());
  const int header = HeaderRowHeight(model_.style()) + 4;
  const int before = vbar_.position();
  const int screenY = focused != nullptr ? focused->top - 2 - before : header;
  OnScroll(true, down ? ScrollCode::kPageForward : ScrollCode::kPageBack, 0);
  int target = rows - 1;
  if (!down || vbar_.position() != before) {
    const int top = std::max(screenY, header) + vbar_.position();
    target = std::min(FirstRowReaching(model_, top, 1), rows - 1);
    // A row partly under the header gives way to the next one.
    if (model_.row(target)->top - 2 < vbar_.position() + header && target + 1 < rows) ++target;
  }
  MoveFocusTo(std::max(target, 0), col);
}

// ---- typing and composing on a cell ----------------------------------------------------

bool CGridWnd::CanStartEditByTyping() const {
  const int row = model_.focusedRow();
  const int col = model_.focusedCol();
  const CGridColumn* column = model_.column(col);
  if (column == nullptr || model_.row(row) == nullptr || !column->isVisible()) return false;
  return IsTypedEditType(column->inputType) && model_.isCellReadOnly(row, col) == 0;
}

void CGridWnd::OnChar(const std::string& character, int) {
  if (editor_ != nullptr || !CanStartEditByTyping()) return;
  const int row = model_.focusedRow();
  const int col = model_.focusedCol();
  if (!CreateEditorFor(row, col, true) || editor_ == nullptr) return;
  // The character replaces the selected text, if the column takes it.
  if (model_.column(col)->inputType == kInputCalendar || AcceptTypedChar(*model_.column(col), character, "", 0)) {
    editor_->Type(character);
  }
}

void CGridWnd::OnComposition(const std::string& preedit, const std::string& commit) {
  if (editor_ == nullptr) {
    if (preedit.empty() && commit.empty()) return;
    if (!CanStartEditByTyping()) return;
    // The editor opens without taking the focus, so the composition goes on
    // where it started and the first syllable arrives whole.
    if (!CreateEditorFor(model_.focusedRow(), model_.focusedCol(), false) || editor_ == nullptr) {
      return;
    }
    waitingForCommit_ = true;
  }
  editor_->Compose(preedit, commit);
  if (waitingForCommit_ && preedit.empty()) {
    waitingForCommit_ = false;
    editor_->Focus();
  }
}

void CGridWnd::OnPosted(int message, int a, int b) {
  if (message == kCloseRequest) {
    CloseEditor(a, b);
  } else if (message == kPostedKey) {
    OnKeyDown(a, b);
  }
}

}  // namespace maltrove
