#include "platform/qt/grid_cell_accessible.h"

#include <QWindow>

#include "platform/qt/grid_accessible.h"
#include "platform/qt/grid_widget.h"

namespace maltrove::platform {

GridCellAccessible::GridCellAccessible(GridWidget* grid, int row, int col)
    : grid_(grid), row_(row), col_(col) {}

GridAccessible* GridCellAccessible::Table() const {
  if (!grid_) return nullptr;
  return dynamic_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(grid_));
}

bool GridCellAccessible::isValid() const {
  const AccessibleTable* model = grid_ ? grid_->AccessibleModel() : nullptr;
  return model != nullptr && row_ < model->RowCount() && col_ < model->ColumnCount();
}

QWindow* GridCellAccessible::window() const {
  return grid_ ? grid_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* GridCellAccessible::parent() const { return Table(); }

QAccessibleInterface* GridCellAccessible::table() const { return Table(); }

QString GridCellAccessible::text(QAccessible::Text t) const {
  if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value)) return {};
  const AccessibleTable* model = grid_->AccessibleModel();
  std::string text;
  if (IsBodyCell()) {
    text = model->CellText(row_, col_);
  } else if (row_ < 0 && col_ >= 0) {
    text = model->ColumnHeaderText(col_);
  } else if (col_ < 0 && row_ >= 0) {
    text = model->RowHeaderText(row_);
  }
  return QString::fromStdString(text);
}

QRect GridCellAccessible::rect() const {
  if (!isValid() || !IsBodyCell()) return {};
  const Rect bounds = grid_->AccessibleModel()->CellBounds(row_, col_);
  if (bounds.empty()) return {};
  return {grid_->mapToGlobal(QPoint(bounds.left, bounds.top)),
          QSize(bounds.width(), bounds.height())};
}

QAccessible::Role GridCellAccessible::role() const {
  if (IsBodyCell()) return QAccessible::Cell;
  if (row_ < 0 && col_ >= 0) return QAccessible::ColumnHeader;
  if (col_ < 0 && row_ >= 0) return QAccessible::RowHeader;
  return QAccessible::Pane;  // the corner
}

QAccessible::State GridCellAccessible::state() const {
  QAccessible::State state;
  if (!isValid()) {
    state.invalid = true;
    return state;
  }
  const AccessibleTable* model = grid_->AccessibleModel();
  if (!IsBodyCell()) {
    state.invisible = col_ >= 0 && !model->IsColumnVisible(col_);
    return state;
  }
  state.selectable = true;
  state.focusable = true;
  state.selected = model->IsCellSelected(row_, col_);
  state.focused = model->FocusedRow() == row_ && model->FocusedColumn() == col_;
  state.invisible = !model->IsColumnVisible(col_) || model->CellBounds(row_, col_).empty();
  const int checked = model->CellChecked(row_, col_);
  state.checkable = checked >= 0;
  state.checked = checked > 0;
  return state;
}

void* GridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableCellInterface) {
    return static_cast<QAccessibleTableCellInterface*>(this);
  }
  return nullptr;
}

bool GridCellAccessible::isSelected() const {
  return isValid() && IsBodyCell() && grid_->AccessibleModel()->IsCellSelected(row_, col_);
}

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
  GridAccessible* table = Table();
  QAccessibleInterface* header = table != nullptr && row_ >= 0 ? table->Cell(-1, col_) : nullptr;
  if (header == nullptr) return {};
  return {header};
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const {
  GridAccessible* table = Table();
  QAccessibleInterface* header = table != nullptr && col_ >= 0 ? table->Cell(row_, -1) : nullptr;
  if (header == nullptr) return {};
  return {header};
}

}  // namespace maltrove::platform
