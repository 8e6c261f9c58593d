#include "ops/find_dialog.h"

#include <vector>

#include "model/text_util.h"

namespace maltrove {

namespace {

// Items of an answer split at ";", where ";;" stands for one ";".
std::vector<std::string> SplitItems(const std::string& answer) {
  std::vector<std::string> items(1);
  for (size_t i = 0; i < answer.size(); ++i) {
    if (answer[i] != ';') {
      items.back() += answer[i];
    } else if (i + 1 < answer.size() && answer[i + 1] == ';') {
      items.back() += ';';
      ++i;
    } else {
      items.emplace_back();
    }
  }
  return items;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == ';') out += ';';
  }
  return out;
}

}  // namespace

CGridFindDlg::CGridFindDlg(CGridWnd* wnd, platform::UserInterface* ui)
    : wnd_(wnd), lifetime_(wnd->lifetime()), ui_(ui) {}

void CGridFindDlg::OnInitDialog() {
  CGridModel& grid = wnd_->model();
  const auto& selection = grid.selection();
  if (selection.size() == 1 &&
      selection[0] == std::make_pair(grid.focusedRow(), grid.focusedCol())) {
    grid.clearSelection();
  }
}

bool CGridFindDlg::IsFindNextEnabled() const { return !TrimBlanks(text_).empty(); }

FindOptions CGridFindDlg::Options() const {
  FindOptions options;
  options.text = text_;
  options.down = direction_ != kDirectionUp;
  options.matchCase = caseChecked_;
  options.wholeCell = wholeCell_;
  return options;
}

void CGridFindDlg::FindNext() {
  const FindOptions options = Options();
  while (!closed_) {
    if (Grid() == nullptr) {
      Cancel();
      return;
    }
    CGridModel& grid = wnd_->model();
    const bool fromFirstCell = grid.focusedRow() == -1;
    if (std::optional<CellPosition> hit = FindCell(grid, options)) {
      wnd_->setFocusCell(hit->row, hit->col);
      return;
    }
    const std::string text = std::string(kFindEndMessageStart) +
                             (options.down ? kFindEndMessageDown : kFindEndMessageUp) +
                             kFindEndMessageEnd;
    const platform::MessageBoxAnswer answer =
        ui_->ShowMessage(kGridCaption, text, platform::MessageBoxButtons::kYesNoCancel);
    if (answer == platform::MessageBoxAnswer::kCancel || Grid() == nullptr) {
      Cancel();
    } else if (answer == platform::MessageBoxAnswer::kNo || fromFirstCell) {
      // Searching the whole grid again would only ask the same question.
      return;
    } else {
      // The window's focus rule fires onCellFocused(-1, -1) but focuses
      // (0, 0); the search must start before the first cell.
      wnd_->setFocusCell(-1, -1);
      grid.setFocus(-1, -1);
    }
  }
}

void CGridFindDlg::PressEnter() {
  if (IsFindNextEnabled()) FindNext();
}

std::string CGridFindDlg::Description() const {
  return std::string(kFindTextName) + "=" + Escaped(text_) + ";" + kFindDirectionName + "=" +
         (direction_ == kDirectionUp ? kFindUpValue : kFindDownValue) + ";" + kFindCaseName +
         "=" + (caseChecked_ ? "1" : "0") + ";" + kFindWholeName + "=" +
         (wholeCell_ ? "1" : "0") + ";" + kFindEnabledName + "=" +
         (IsFindNextEnabled() ? "1" : "0");
}

void CGridFindDlg::ApplyAnswer(const std::string& answer) {
  for (const std::string& item : SplitItems(answer)) {
    if (closed_) return;
    const size_t eq = item.find('=');
    const std::string name = item.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : item.substr(eq + 1);
    if (eq == std::string::npos) {
      if ((name == kFindPressFind || name == kFindPressOk) && IsFindNextEnabled()) FindNext();
      if (name == kFindPressCancel) Cancel();
    } else if (name == kFindTextName) {
      SetText(value);
    } else if (name == kFindDirectionName) {
      if (value == kFindUpValue) SetDirection(kDirectionUp);
      if (value == kFindDownValue) SetDirection(kDirectionDown);
    } else if (name == kFindCaseName) {
      SetCaseChecked(value == "1");
    } else if (name == kFindWholeName) {
      SetWholeCell(value == "1");
    }
  }
}

void CGridFindDlg::DoModal() {
  OnInitDialog();
  if (ui_->RunForm(*this)) return;
  RunQueued();
}

void CGridFindDlg::RunQueued() {
  while (!closed_) {
    const std::string answer = ui_->RunDialog(kFindDialogCaption, Description());
    if (answer.empty()) Cancel();
    ApplyAnswer(answer);
  }
}

void RunFindCommand(CGridWnd* wnd, platform::UserInterface* ui) {
  if (wnd == nullptr || ui == nullptr || wnd->model().style().contextMenuLevel < 0) return;
  auto dialog = std::make_shared<CGridFindDlg>(wnd, ui);
  dialog->OnInitDialog();
  if (ui->ShowModelessForm(dialog)) return;
  dialog->RunQueued();
}

}  // namespace maltrove
