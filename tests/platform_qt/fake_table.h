// A small AccessibleTable for the accessibility tests: 3 rows of 2 columns,
// cell texts "r<row>c<col>", column 1 of check boxes, row 2 out of view.
#pragma once

#include <set>
#include <string>
#include <utility>

#include "platform/editor_window.h"

namespace maltrove::platform {

class FakeTable : public AccessibleTable {
 public:
  int rows = 3;
  int focusedRow = 1;
  int focusedCol = 0;
  std::set<std::pair<int, int>> selected{{0, 0}, {0, 1}};

  int RowCount() const override { return rows; }
  int ColumnCount() const override { return 2; }
  std::string CellText(int row, int col) const override {
    return "r" + std::to_string(row) + "c" + std::to_string(col);
  }
  std::string ColumnHeaderText(int col) const override { return col == 0 ? "이름" : "확인"; }
  std::string RowHeaderText(int row) const override { return std::to_string(row + 1); }
  int FocusedRow() const override { return focusedRow; }
  int FocusedColumn() const override { return focusedCol; }
  bool IsCellSelected(int row, int col) const override { return selected.count({row, col}) != 0; }
  int CellChecked(int row, int col) const override { return col == 1 ? row % 2 : -1; }
  bool IsColumnVisible(int) const override { return true; }
  Rect CellBounds(int row, int col) const override {
    if (row >= 2) return {};
    return {col * 50, 20 + row * 20, col * 50 + 50, 40 + row * 20};
  }
};

}  // namespace maltrove::platform
