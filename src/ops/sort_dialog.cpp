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

std::string CGridSortDlg::Description() const {
  std::string text = "columns:";
  const int columns = grid_ != nullptr ? grid_->getColumnCount() : 0;
  for (int c = 0; c < columns; ++c) {
    text += (c ? ", " : " ") + std::to_string(c) + "=" + grid_->getColumnLabel(c);
  }
  return text;
}

}  // namespace maltrove
