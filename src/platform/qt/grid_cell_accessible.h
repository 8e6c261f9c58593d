// GridCellAccessible: one cell, column header, row header or the corner of
// the grid as assistive technologies see it, read from the grid's
// AccessibleTable each time it is asked.
#pragma once

#include <QAccessible>
#include <QPointer>

namespace maltrove::platform {

class GridWidget;
class GridAccessible;

class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  // row -1 is the header row, col -1 the header column.
  GridCellAccessible(GridWidget* grid, int row, int col);

  int row() const { return row_; }
  int col() const { return col_; }

  // QAccessibleInterface.
  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleTableCellInterface.
  bool isSelected() const override;
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override;
  int columnIndex() const override { return col_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override;

 private:
  GridAccessible* Table() const;
  bool IsBodyCell() const { return row_ >= 0 && col_ >= 0; }

  QPointer<GridWidget> grid_;
  int row_;
  int col_;
};

}  // namespace maltrove::platform
