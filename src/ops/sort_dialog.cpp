#include "ops/sort_dialog.h"

#include <charconv>
#include <optional>

#include "ops/grid_sort.h"
#include "platform/dialog_answer.h"
#include "platform/progress_operation.h"

namespace maltrove {

CGridSortDlg::CGridSortDlg(CGridModel* grid, platform::UserInterface* ui) : grid_(grid), ui_(ui) {
  for (Box& box : boxes_) {
    box.items = {kSortChooseItem, kSortNoneItem};
    const int columns = grid_ != nullptr ? grid_->getColumnCount() : 0;
    for (int c = 0; c < columns; ++c) box.items.push_back(grid_->getColumnLabel(c));
  }
}

void CGridSortDlg::SelectColumn(int box, int index) {
  if (box < 0 || box >= 3) return;
  Box& changed = boxes_[box];
  if (index < 0 || index >= static_cast<int>(changed.items.size())) return;
  int selection = index;
  if (!changed.touched) {
    // Removing the chosen "선택하세요" itself leaves the box without a selection.
    changed.touched = true;
    changed.items.erase(changed.items.begin());
    selection = index - 1;
  }
  changed.selection = selection;
  if (selection == 0) return;
  for (int other = 0; other < 3; ++other) {
    if (other != box && boxes_[other].selection == selection) {
      if (ui_ != nullptr) {
        ui_->ShowMessage(kGridCaption, kSortDuplicateMessage,
                         platform::MessageBoxButtons::kOk);
      }
      changed.selection = 0;
      return;
    }
  }
}

bool CGridSortDlg::Ok() {
  if (boxes_[0].selection <= 0) {
    if (ui_ != nullptr) {
      ui_->ShowMessage(kGridCaption, kSortNoKeyMessage, platform::MessageBoxButtons::kOk);
    }
    return false;
  }
  if (grid_ == nullptr) return true;
  SortKey keys[3];
  for (int k = 0; k < 3; ++k) {
    // Once "선택하세요" is gone, item m names the column with index m - 1.
    keys[k].position = boxes_[k].selection > 0 ? boxes_[k].selection : -1;
    keys[k].direction = boxes_[k].direction;
  }
  std::vector<CGridRow*> sorted;
  const bool done =
      platform::RunModalOperation(ui_, kSortDialogMessage, [&](platform::ProgressDialog& dialog) {
        sorted = SortedRowOrder(*grid_, keys, &dialog);
        return true;
      });
  // Applied on the page's thread: the layout and repaint must not run on the worker.
  if (done) grid_->setRowOrder(sorted);
  return true;
}

void CGridSortDlg::ApplyAnswer(const platform::DialogAnswer& answer) {
  for (int box = 0; box < 3; ++box) {
    const std::optional<std::string> key = answer.Get(kSortKeyNames[box]);
    if (!key) continue;
    const int offset = boxes_[box].touched ? 1 : 2;  // items before the first column
    if (*key == kSortNoneValue) {
      SelectColumn(box, offset - 1);
      continue;
    }
    int column = -1;
    const char* end = key->data() + key->size();
    const auto [stop, error] = std::from_chars(key->data(), end, column);
    if (error == std::errc() && stop == end && column >= 0) SelectColumn(box, column + offset);
  }
  for (int box = 0; box < 3; ++box) {
    const std::optional<std::string> direction = answer.Get(kSortDirectionNames[box]);
    if (direction == kSortAscendingValue) boxes_[box].direction = 0;
    if (direction == kSortDescendingValue) boxes_[box].direction = 1;
  }
}

int CGridSortDlg::DoModal() {
  if (ui_ == nullptr) return kIdCancel;
  result_ = kIdCancel;
  if (ui_->RunForm(*this)) return result_;
  // A refused OK keeps the dialog open: a host without windows asks once more.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const platform::DialogAnswer answer =
        platform::ParseDialogAnswer(ui_->RunDialog(kSortDialogCaption, Description()));
    if (answer.cancel) return kIdCancel;
    ApplyAnswer(answer);
    if (Ok()) return kIdOk;
  }
  return kIdCancel;
}

namespace {

// Control ids of the dialog.
constexpr int kGroupIds[3] = {301, 302, 303};
constexpr int kComboIds[3] = {214, 1010, 1013};
constexpr int kAscendingIds[3] = {1004, 1011, 1014};
constexpr int kDescendingIds[3] = {1005, 1012, 1015};
const char* const kGroupTexts[3] = {"첫째 기준", "둘째 기준", "셋째 기준"};
const char* const kAscendingTexts[3] = {"오름차순(&U)", "오름차순(&I)", "오름차순(&O)"};
const char* const kDescendingTexts[3] = {"내림차순(&D)", "내림차순(&F)", "내림차순(&G)"};

}  // namespace

std::vector<platform::FormControl> CGridSortDlg::FormControls() const {
  using platform::FormKind;
  std::vector<platform::FormControl> controls;
  for (int box = 0; box < 3; ++box) {
    platform::FormControl group{kGroupIds[box], FormKind::kGroup, kGroupTexts[box]};
    group.line = box;
    controls.push_back(group);
    platform::FormControl combo{kComboIds[box], FormKind::kCombo};
    combo.parent = kGroupIds[box];
    combo.items = boxes_[box].items;
    combo.selection = boxes_[box].selection;
    controls.push_back(combo);
    platform::FormControl up{kAscendingIds[box], FormKind::kRadio, kAscendingTexts[box]};
    up.parent = kGroupIds[box];
    up.line = 1;
    up.checked = boxes_[box].direction == 0;
    controls.push_back(up);
    platform::FormControl down{kDescendingIds[box], FormKind::kRadio, kDescendingTexts[box]};
    down.parent = kGroupIds[box];
    down.line = 1;
    down.checked = boxes_[box].direction == 1;
    controls.push_back(down);
  }
  platform::FormControl ok{kIdOk, FormKind::kButton, "확인"};
  ok.line = 3;
  ok.isDefault = true;
  controls.push_back(ok);
  platform::FormControl cancel{kIdCancel, FormKind::kButton, "취소"};
  cancel.line = 3;
  cancel.isCancel = true;
  controls.push_back(cancel);
  return controls;
}

void CGridSortDlg::OnFormChange(int id, int selection, const std::string&, bool) {
  for (int box = 0; box < 3; ++box) {
    if (id == kComboIds[box]) SelectColumn(box, selection);
    if (id == kAscendingIds[box]) boxes_[box].direction = 0;
    if (id == kDescendingIds[box]) boxes_[box].direction = 1;
  }
}

bool CGridSortDlg::OnFormButton(int id) {
  if (id == kIdCancel) {
    result_ = kIdCancel;
    return true;
  }
  if (id != kIdOk || !Ok()) return false;
  result_ = kIdOk;
  return true;
}

std::string CGridSortDlg::Description() const {
  std::string text = "columns:";
  const int columns = grid_ != nullptr ? grid_->getColumnCount() : 0;
  for (int c = 0; c < columns; ++c) {
    text += (c ? ", " : " ") + std::to_string(c) + "=" + grid_->getColumnLabel(c);
  }
  return text;
}

}  // namespace maltrove
