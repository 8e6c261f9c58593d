#include "platform/qt/grid_accessible.h"

#include "platform/qt/grid_cell_accessible.h"
#include "platform/qt/grid_widget.h"

namespace maltrove::platform {

namespace {

QAccessibleInterface* GridFactory(const QString&, QObject* object) {
  auto* grid = qobject_cast<GridWidget*>(object);
  return grid != nullptr ? new GridAccessible(grid) : nullptr;
}

}  // namespace

GridAccessible::GridAccessible(GridWidget* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

GridAccessible::~GridAccessible() { Forget(); }

GridWidget* GridAccessible::Grid() const { return static_cast<GridWidget*>(widget()); }

const AccessibleTable* GridAccessible::Model() const {
  return isValid() ? Grid()->AccessibleModel() : nullptr;
}

void GridAccessible::Forget() const {
  for (const auto& [cell, id] : cells_) QAccessible::deleteAccessibleInterface(id);
  cells_.clear();
}

QAccessibleInterface* GridAccessible::Cell(int row, int col) const {
  if (row < -1 || col < -1 || row >= rowCount() || col >= columnCount()) return nullptr;
  const auto key = std::make_pair(row, col);
  auto it = cells_.find(key);
  if (it != cells_.end()) return QAccessible::accessibleInterface(it->second);
  auto* cell = new GridCellAccessible(Grid(), row, col);
  cells_[key] = QAccessible::registerAccessibleInterface(cell);
  return cell;
}

int GridAccessible::IndexOf(int row, int col) const {
  return (row + 1) * (columnCount() + 1) + col + 1;
}

int GridAccessible::childCount() const {
  if (Model() == nullptr) return 0;
  return (rowCount() + 1) * (columnCount() + 1);
}

QAccessibleInterface* GridAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  const int width = columnCount() + 1;
  return Cell(index / width - 1, index % width - 1);
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* cell = dynamic_cast<const GridCellAccessible*>(child);
  if (cell == nullptr || !cell->isValid() || cell->table() != this) return -1;
  return IndexOf(cell->row(), cell->col());
}

// The table cannot hit-test without walking its rows; the cells answer
// their rectangles instead.
QAccessibleInterface* GridAccessible::childAt(int, int) const { return nullptr; }

QAccessibleInterface* GridAccessible::focusChild() const {
  const AccessibleTable* model = Model();
  if (model == nullptr || model->FocusedRow() < 0 || model->FocusedColumn() < 0) return nullptr;
  return Cell(model->FocusedRow(), model->FocusedColumn());
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const {
  if (row < 0 || column < 0) return nullptr;
  return Cell(row, column);
}

int GridAccessible::rowCount() const {
  const AccessibleTable* model = Model();
  return model != nullptr ? model->RowCount() : 0;
}

int GridAccessible::columnCount() const {
  const AccessibleTable* model = Model();
  return model != nullptr ? model->ColumnCount() : 0;
}

QString GridAccessible::columnDescription(int column) const {
  const AccessibleTable* model = Model();
  if (model == nullptr || column < 0 || column >= columnCount()) return {};
  return QString::fromStdString(model->ColumnHeaderText(column));
}

QString GridAccessible::rowDescription(int row) const {
  const AccessibleTable* model = Model();
  if (model == nullptr || row < 0 || row >= rowCount()) return {};
  return QString::fromStdString(model->RowHeaderText(row));
}

// The model answers cell by cell: counting a selection reads every cell's
// flag but makes no interfaces.
int GridAccessible::selectedCellCount() const {
  const AccessibleTable* model = Model();
  int count = 0;
  for (int row = 0; row < rowCount(); ++row) {
    for (int col = 0; col < columnCount(); ++col) count += model->IsCellSelected(row, col);
  }
  return count;
}

QList<QAccessibleInterface*> GridAccessible::selectedCells() const {
  const AccessibleTable* model = Model();
  QList<QAccessibleInterface*> cells;
  for (int row = 0; row < rowCount(); ++row) {
    for (int col = 0; col < columnCount(); ++col) {
      if (model->IsCellSelected(row, col)) cells.append(Cell(row, col));
    }
  }
  return cells;
}

QList<int> GridAccessible::selectedColumns() const {
  QList<int> columns;
  for (int col = 0; col < columnCount(); ++col) {
    if (isColumnSelected(col)) columns.append(col);
  }
  return columns;
}

QList<int> GridAccessible::selectedRows() const {
  QList<int> rows;
  for (int row = 0; row < rowCount(); ++row) {
    if (isRowSelected(row)) rows.append(row);
  }
  return rows;
}

bool GridAccessible::isColumnSelected(int column) const {
  const AccessibleTable* model = Model();
  if (model == nullptr || column < 0 || column >= columnCount() || rowCount() == 0) return false;
  for (int row = 0; row < rowCount(); ++row) {
    if (!model->IsCellSelected(row, column)) return false;
  }
  return true;
}

bool GridAccessible::isRowSelected(int row) const {
  const AccessibleTable* model = Model();
  if (model == nullptr || row < 0 || row >= rowCount() || columnCount() == 0) return false;
  for (int col = 0; col < columnCount(); ++col) {
    if (!model->IsCellSelected(row, col)) return false;
  }
  return true;
}

// Any change of structure may move every cell: the cached ones go.
void GridAccessible::modelChange(QAccessibleTableModelChangeEvent*) { Forget(); }

void InstallGridAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(GridFactory);
    return true;
  }();
  (void)installed;
}

namespace {

void SendCellEvent(QAccessibleInterface* table, QAccessible::Event type, int index) {
  QAccessibleEvent event(table, type);
  event.setChild(index);
  QAccessible::updateAccessibility(&event);
}

void SendValueEvents(QAccessibleInterface* cell) {
  QAccessibleValueChangeEvent value(cell, cell->text(QAccessible::Value));
  QAccessible::updateAccessibility(&value);
  QAccessibleEvent name(cell, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&name);
}

}  // namespace

void NotifyGridAccessibility(GridWidget* grid, AccessibleChange change, int row, int col) {
  auto* table = dynamic_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(grid));
  if (table == nullptr) return;
  QAccessibleInterface* cell = row >= 0 && col >= 0 ? table->cellAt(row, col) : nullptr;
  const int index = cell != nullptr ? table->IndexOf(row, col) : -1;
  switch (change) {
    case AccessibleChange::kFocus:
      if (cell != nullptr) SendCellEvent(table, QAccessible::Focus, index);
      break;
    case AccessibleChange::kSelection:
      SendCellEvent(table, QAccessible::Selection, index);
      if (cell != nullptr && cell->state().selected) {
        SendCellEvent(table, QAccessible::SelectionAdd, index);
      }
      break;
    case AccessibleChange::kValue:
      if (cell != nullptr) SendValueEvents(cell);
      break;
    case AccessibleChange::kStructure: {
      QAccessibleTableModelChangeEvent reset(table, QAccessibleTableModelChangeEvent::ModelReset);
      QAccessible::updateAccessibility(&reset);
      break;
    }
  }
}

}  // namespace maltrove::platform
