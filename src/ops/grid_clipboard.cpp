#include "ops/grid_clipboard.h"

#include <algorithm>
#include <vector>

#include "ops/clipboard_text.h"

namespace maltrove {

namespace {

// Which cells of the box are selected, marked once: asking isSelected per
// cell costs a pass over the selection list for every cell.
class SelectedCells {
 public:
  explicit SelectedCells(const CGridModel& grid) : box_(GetSelectionBox(grid)) {
    if (box_.isEmpty()) return;
    width_ = box_.right - box_.left + 1;
    marks_.assign(static_cast<size_t>(box_.bottom - box_.top + 1) * width_, false);
    const int rows = grid.getRowCount();
    const int cols = grid.getColumnCount();
    for (const auto& [r, c] : grid.selection()) {
      if (r >= rows || c >= cols) continue;  // an entry left behind by a removal
      const int r0 = r < 0 ? 0 : r, r1 = r < 0 ? rows - 1 : r;
      const int c0 = c < 0 ? 0 : c, c1 = c < 0 ? cols - 1 : c;
      for (int y = r0; y <= r1; ++y) {
        for (int x = c0; x <= c1; ++x) marks_[Index(y, x)] = true;
      }
    }
  }
  const SelectionBox& box() const { return box_; }
  bool selected(int r, int c) const { return marks_[Index(r, c)]; }

 private:
  size_t Index(int r, int c) const {
    return static_cast<size_t>(r - box_.top) * width_ + (c - box_.left);
  }
  SelectionBox box_;
  size_t width_ = 0;
  std::vector<bool> marks_;
};

// Escaped for HTML, line breaks kept as breaks.
void AppendHtmlCellText(std::string& html, const std::string& text) {
  for (char c : text) {
    switch (c) {
      case '&': html += "&amp;"; break;
      case '<': html += "&lt;"; break;
      case '>': html += "&gt;"; break;
      case '"': html += "&quot;"; break;
      case '\r': break;
      case '\n': html += "<br>"; break;
      default: html += c;
    }
  }
}

bool ClipboardAllowed(const CGridModel& grid) { return grid.style().contextMenuLevel >= 1; }

bool Clearable(const CGridModel& grid, int r, int c) {
  const CGridColumn* column = grid.column(c);
  if (column == nullptr || !column->isVisible()) return false;
  if (column->inputType == kInputRadio || column->inputType == kInputCheckBox ||
      column->inputType == kInputButton) {
    return false;
  }
  return grid.isCellReadOnly(r, c) == 0;
}

}  // namespace

SelectionBox GetSelectionBox(const CGridModel& grid) {
  const int rows = grid.getRowCount();
  const int cols = grid.getColumnCount();
  SelectionBox box{rows, cols, -1, -1};
  for (const auto& [r, c] : grid.selection()) {
    if (r >= rows || c >= cols) continue;
    box.top = std::min(box.top, r < 0 ? 0 : r);
    box.bottom = std::max(box.bottom, r < 0 ? rows - 1 : r);
    box.left = std::min(box.left, c < 0 ? 0 : c);
    box.right = std::max(box.right, c < 0 ? cols - 1 : c);
  }
  return box;
}

std::string SelectionText(const CGridModel& grid) {
  const SelectedCells cells(grid);
  const SelectionBox& box = cells.box();
  std::string text;
  if (box.isEmpty()) return text;
  for (int r = box.top; r <= box.bottom; ++r) {
    if (r > box.top) text += "\r\n";
    for (int c = box.left; c <= box.right; ++c) {
      if (c > box.left) text += '\t';
      if (cells.selected(r, c)) AppendClipboardField(text, grid.getCellStringData(r, c));
    }
  }
  return text;
}

std::string SelectionHtml(const CGridModel& grid) {
  const SelectedCells cells(grid);
  const SelectionBox& box = cells.box();
  std::string html = "<table>";
  for (int r = box.top; !box.isEmpty() && r <= box.bottom; ++r) {
    html += "<tr>";
    for (int c = box.left; c <= box.right; ++c) {
      html += "<td>";
      if (cells.selected(r, c)) AppendHtmlCellText(html, grid.getCellStringData(r, c));
      html += "</td>";
    }
    html += "</tr>";
  }
  return html + "</table>";
}

void CopyMember(CGridModel* grid, platform::Clipboard* clipboard) {
  if (grid == nullptr || clipboard == nullptr || !ClipboardAllowed(*grid)) return;
  if (GetSelectionBox(*grid).isEmpty()) return;
  clipboard->SetTable(SelectionText(*grid), SelectionHtml(*grid));
}

void CutMember(CGridModel* grid, platform::Clipboard* clipboard) {
  if (grid == nullptr || clipboard == nullptr || !ClipboardAllowed(*grid)) return;
  CopyMember(grid, clipboard);
  DeleteSelectedDataMember(grid);
}

void PasteMember(CGridModel* grid, platform::Clipboard* clipboard) {
  if (grid == nullptr || clipboard == nullptr || !ClipboardAllowed(*grid)) return;
  const int top = grid->focusedRow();
  const int left = grid->focusedCol();
  if (top < 0 || left < 0) return;
  const std::string text = clipboard->GetText();
  if (text.empty()) return;
  const int rows = grid->getRowCount();
  const int cols = grid->getColumnCount();
  const std::vector<std::vector<std::string>> lines = ParseClipboardText(text);
  for (size_t i = 0; i < lines.size() && top + static_cast<int>(i) < rows; ++i) {
    const int r = top + static_cast<int>(i);
    for (size_t j = 0; j < lines[i].size() && left + static_cast<int>(j) < cols; ++j) {
      const int c = left + static_cast<int>(j);
      if (grid->isCellReadOnly(r, c) == 0) grid->setCellStringData(r, c, lines[i][j]);
    }
  }
}

void DeleteSelectedDataMember(CGridModel* grid) {
  if (grid == nullptr) return;
  const SelectedCells cells(*grid);
  const SelectionBox& box = cells.box();
  if (!box.isEmpty()) {
    for (int r = box.top; r <= box.bottom; ++r) {
      for (int c = box.left; c <= box.right; ++c) {
        if (cells.selected(r, c) && Clearable(*grid, r, c)) grid->setCellStringData(r, c, "");
      }
    }
  }
  grid->clearSelection();
}

}  // namespace maltrove
