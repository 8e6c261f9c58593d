// The rows an import appends at the end of the grid, taken back unless the
// import keeps them: an import that stops, fails or whose worker throws
// leaves the rows the grid had when the import began.
#pragma once

#include "model/grid_model.h"

namespace maltrove {

class AppendedRows {
 public:
  explicit AppendedRows(CGridModel* grid) : grid_(grid), before_(grid->getRowCount()) {}
  ~AppendedRows() {
    if (!kept_) Remove();
  }
  AppendedRows(const AppendedRows&) = delete;
  AppendedRows& operator=(const AppendedRows&) = delete;

  void Keep() { kept_ = true; }
  void Remove() {
    while (grid_->getRowCount() > before_) grid_->removeRow(grid_->getRowCount() - 1);
  }

 private:
  CGridModel* grid_;
  int before_;
  bool kept_ = false;
};

}  // namespace maltrove
