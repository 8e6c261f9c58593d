// CGridWnd's in-place editors: opening one over the focused cell, keeping it
// there, and the close request that commits or cancels it.
#include <algorithm>
#include <ctime>

#include "model/grid_messages.h"
#include "model/ole_date.h"
#include "model/text_util.h"
#include "platform/user_interface.h"
#include "window/editor_chars.h"
#include "window/grid_painter.h"
#include "window/grid_wnd.h"

namespace maltrove {

namespace {

using platform::EditorKind;

int EditorAlign(int align) {
  if (align == kAlignCenter) return platform::kTextCenter;
  if (align == kAlignRight) return platform::kTextRight;
  return platform::kTextLeft;
}

std::vector<std::string> ToStrings(const std::vector<std::string_view>& pieces) {
  return std::vector<std::string>(pieces.begin(), pieces.end());
}

bool IsTextInput(int inputType) { return inputType == kInputText || inputType == kInputMultiLine; }

}  // namespace

void CGridWnd::OpenEditor() {
  CreateEditorFor(model_.focusedRow(), model_.focusedCol(), true);
}

// Opens the editor of the cell; false when the cell takes none. With
// `takeFocus` false the grid keeps the keyboard (a composition opened it).
bool CGridWnd::CreateEditorFor(int row, int col, bool takeFocus) {
  const CGridColumn* column = model_.column(col);
  if (window_ == nullptr || column == nullptr || model_.row(row) == nullptr) return false;
  if (model_.isCellReadOnly(row, col) != 0) return false;
  DestroyEditor();
  HideTip();

  platform::EditorRequest request;
  request.font = FontOf(column->cell);
  request.align = EditorAlign(column->cell.align);
  editorLabels_.clear();
  editorValues_.clear();
  switch (column->inputType) {
    case kInputText:
    case kInputMultiLine:
      request.kind = column->inputType == kInputText ? EditorKind::kText : EditorKind::kMultiLine;
      request.text = model_.storageText(row, col);
      break;
    case kInputSelect: {
      if (events_ != nullptr) {
        const CellCombo* own = model_.cellCombo(row, col);
        events_->onClickCombo(row, col, own ? own->comboDatas : std::string(),
                              own ? own->comboValues : std::string());
      }
      // The handler may have changed the table.
      if (model_.cell(row, col) == nullptr || model_.column(col) == nullptr) return false;
      const CellCombo* own = model_.cellCombo(row, col);
      editorLabels_ = ToStrings(SplitList(own ? own->comboDatas : column->comboDatas));
      editorValues_ = ToStrings(SplitList(own ? own->comboValues : column->comboValues));
      request.kind = EditorKind::kSelect;
      request.items = editorLabels_;
      const std::string shown = model_.displayText(row, col);
      auto found = std::find(editorLabels_.begin(), editorLabels_.end(), shown);
      request.selected = found == editorLabels_.end() ? -1 : static_cast<int>(found - editorLabels_.begin());
      break;
    }
    case kInputCalendar: {
      request.kind = EditorKind::kDate;
      DateParts parts{};
      const CGridCell& cell = *model_.cell(row, col);
      if (!cell.isNull && OleDateToParts(cell.number, &parts)) {
        request.hasDate = true;
        request.year = parts.year;
        request.month = parts.month;
        request.day = parts.day;
      }
      break;
    }
    default:
      return false;
  }

  editor_ = window_->CreateEditor(request, this);
  if (editor_ == nullptr) return false;
  editorRow_ = row;
  editorCol_ = col;
  editorStartText_ = request.text;
  if (IsTextInput(column->inputType) && protectKeyboard_ && KeyboardSecurity::Available() &&
      !security_.Load(editor_->Handle())) {
    editor_.reset();
    if (ui_ != nullptr) {
      ui_->ShowMessage(kGridCaption, kNoKeyboardSecurityMessage, platform::MessageBoxButtons::kOk);
    }
    return false;
  }
  PlaceEditor();
  if (takeFocus) editor_->Focus();
  return true;
}

// Over the focused cell, right of the frozen area and below the header,
// inside the client less the scroll bars.
void CGridWnd::PlaceEditor() {
  if (editor_ == nullptr || window_ == nullptr) return;
  const CGridRow* row = model_.row(editorRow_);
  const CGridColumn* column = model_.column(editorCol_);
  if (row == nullptr || column == nullptr) {
    editor_->Place({});
    return;
  }
  const bool fixed = IsFixedColumn(model_, editorCol_);
  const int dx = fixed ? 0 : scroll().horizontal;
  const int dy = scroll().vertical;
  Rect rect{column->left - 1 - dx, row->top - 1 - dy, column->left + column->width + 1 - dx,
            row->top + row->height + 1 - dy};
  const platform::Size view = ViewSize();
  if (!fixed) rect.left = std::max(rect.left, FrozenRight(model_));
  rect.top = std::max(rect.top, HeaderRowHeight(model_.style()) + 3);
  rect.right = std::min(rect.right, view.width);
  rect.bottom = std::min(rect.bottom, view.height);
  if (rect.width() < 20) rect.right = rect.left;
  if (rect.height() < 18) rect.bottom = rect.top;
  editor_->Place(rect.empty() ? Rect{} : rect);
}

void CGridWnd::PostClose(int rowStep, int colStep) {
  if (window_ != nullptr) window_->Post(kCloseRequest, rowStep, colStep);
}

void CGridWnd::CloseEditor(int rowStep, int colStep) {
  if (editor_ == nullptr || closing_) return;
  closing_ = true;
  const int row = editorRow_;
  const int col = editorCol_;
  const bool textInput = model_.column(col) != nullptr && IsTextInput(model_.column(col)->inputType);
  if (rowStep != 0 || colStep != 0) CommitEditor();
  DestroyEditor();
  closing_ = false;
  if (window_ != nullptr) window_->TakeFocus();
  if (rowStep == -1 && colStep == -1) return;
  if ((rowStep == 0 && colStep == 0) || !textInput) return;
  int newRow = row + rowStep;
  int newCol = colStep == 0 ? col : NextVisibleColumn(col, colStep);
  if (newRow < 0 || newRow >= model_.getRowCount()) newRow = row;
  model_.clearSelection();
  selectionAnchor_ = 0;
  if (newRow != row || newCol != col) setFocusCell(newRow, newCol);
  model_.addSelection(model_.focusedRow(), model_.focusedCol());
}

// Stores what the editor holds; false when the cell refused it.
bool CGridWnd::CommitEditor() {
  const CGridColumn* column = model_.column(editorCol_);
  if (column == nullptr || model_.row(editorRow_) == nullptr) return false;
  const int row = editorRow_;
  const int col = editorCol_;
  std::string value;
  bool haveValue = true;
  switch (column->inputType) {
    case kInputText:
    case kInputMultiLine:
      value = security_.active() ? security_.Text() : editor_->Text();
      // An editor closed without a change leaves the cell as it was.
      haveValue = value != editorStartText_;
      break;
    case kInputSelect: {
      const std::string label = editor_->Text();
      value = label;
      for (size_t i = 0; i < editorLabels_.size() && i < editorValues_.size(); ++i) {
        if (editorLabels_[i] == label) {
          value = editorValues_[i];
          break;
        }
      }
      haveValue = value != model_.storageText(row, col);
      break;
    }
    case kInputCalendar: {
      int year = 0, month = 0, day = 0;
      haveValue = editor_->Date(&year, &month, &day);
      char text[16];
      std::snprintf(text, sizeof text, "%04d%02d%02d000000", year, month, day);
      value = text;
      haveValue = haveValue && value != model_.storageText(row, col);
      break;
    }
    default:
      return false;
  }
  if (!haveValue) return true;
  if (model_.setCellStringData(row, col, value) == 0) {
    if (ui_ != nullptr) {
      ui_->ShowMessage(kGridCaption, kRefusedValueMessage, platform::MessageBoxButtons::kOk);
    }
    return false;
  }
  if (window_ != nullptr) window_->NotifyAccessibility(platform::AccessibleChange::kValue, row, col);
  if (events_ != nullptr) {
    const std::string reported = column->inputType == kInputCalendar || column->inputType == kInputSelect
                                     ? model_.getCellStringData(row, col)
                                     : value;
    events_->onCellValueChanged(row, col, reported);
  }
  return true;
}

void CGridWnd::DestroyEditor() {
  waitingForCommit_ = false;
  if (editor_ == nullptr) return;
  security_.Unload();
  std::unique_ptr<platform::EditorWindow> gone = std::move(editor_);
  editorRow_ = editorCol_ = -1;
  gone.reset();
}

void CGridWnd::ResetState() {
  DestroyEditor();
  if (capturedBar_ != nullptr) capturedBar_->OnRelease();
  capturedBar_ = nullptr;
  if (window_ != nullptr) window_->CaptureMouse(false);
  pressedRow_ = pressedCol_ = -2;
  pressKind_ = kHitNothing;
  clickedFocused_ = mouseDown_ = false;
  selectionAnchor_ = 0;
  contextRow_ = -1;
  HideTip();
  model_.resetState();
  model_.styleChanged();
}

// ---- what the editor tells ------------------------------------------------------------

bool CGridWnd::AcceptEditorChar(const std::string& character, const std::string& text,
                                int caret) {
  const CGridColumn* column = model_.column(editorCol_);
  return column != nullptr && AcceptTypedChar(*column, character, text, caret);
}

void CGridWnd::OnEditorKey(int key, int keys) {
  const CGridColumn* column = model_.column(editorCol_);
  if (editor_ == nullptr || column == nullptr) return;
  const bool shift = (keys & platform::kKeyShift) != 0;
  const bool textInput = IsTextInput(column->inputType);
  if (key == platform::kVkEscape) {
    PostClose(0, 0);
  } else if (key == platform::kVkReturn) {
    if (textInput) {
      PostClose(shift ? -1 : 1, 0);
    } else {
      // Lists and dates close, then the grid moves on as for its own Enter.
      PostClose(1, 0);
      if (window_ != nullptr) window_->Post(kPostedKey, key, keys);
    }
  } else if (key == platform::kVkTab) {
    if (textInput) {
      PostClose(0, shift ? -1 : 1);
    } else {
      PostClose(1, 0);
      if (window_ != nullptr) window_->Post(kPostedKey, key, keys);
    }
  }
}

void CGridWnd::OnEditorFocusLost() {
  if (editor_ != nullptr && !closing_ && !waitingForCommit_) PostClose(-1, -1);
}

void CGridWnd::OnEditorListClosed(bool chosen) {
  if (editor_ != nullptr && chosen) PostClose(1, 0);
}

void CGridWnd::OnEditorDateEdited() {
  if (editor_ != nullptr) editor_->StepDateField();
}

}  // namespace maltrove
