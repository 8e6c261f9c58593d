#include "ops/sort_dialog.h"

#include <charconv>
#include <string_view>

#include "ops/grid_sort.h"
#include "platform/progress_operation.h"

namespace maltrove {

namespace {

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

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
        ui_->ShowMessage(kSortMessageCaption, kSortDuplicateMessage,
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
      ui_->ShowMessage(kSortMessageCaption, kSortNoKeyMessage, platform::MessageBoxButtons::kOk);
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

void CGridSortDlg::ApplyAnswer(const std::string& answer) {
  std::string_view rest = answer;
  while (!rest.empty()) {
    const size_t end = rest.find(';');
    const std::string_view pair = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    const size_t equals = pair.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = Trim(pair.substr(0, equals));
    const std::string_view value = Trim(pair.substr(equals + 1));
    for (int box = 0; box < 3; ++box) {
      if (name == kSortKeyNames[box]) {
        const int offset = boxes_[box].touched ? 1 : 2;  // items before the first column
        if (value == kSortNoneValue) {
          SelectColumn(box, offset - 1);
          continue;
        }
        int column = -1;
        const auto [end_ptr, error] =
            std::from_chars(value.data(), value.data() + value.size(), column);
        if (error == std::errc() && end_ptr == value.data() + value.size() && column >= 0) {
          SelectColumn(box, column + offset);
        }
      } else if (name == kSortDirectionNames[box]) {
        if (value == kSortAscendingValue) boxes_[box].direction = 0;
        else if (value == kSortDescendingValue) boxes_[box].direction = 1;
      }
    }
  }
}

int CGridSortDlg::DoModal() {
  if (ui_ == nullptr) return kIdCancel;
  // A refused OK keeps the dialog open: a host without windows asks once more.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const std::string answer = ui_->RunDialog(kSortDialogCaption, Description());
    if (answer == "cancel") return kIdCancel;
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
