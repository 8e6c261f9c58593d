// GridAccessible: what assistive technologies see of the grid's widget, a
// table over WindowClient::Accessible(). Cells and header cells are child
// interfaces made when first asked for and kept by (row, column), so a grid
// of 65,536 rows is never enumerated. The flat child index counts the
// header row and the header column: (row + 1) * (columns + 1) + column + 1,
// the corner first.
#pragma once

#include <QAccessibleWidget>
#include <map>
#include <utility>

#include "platform/editor_window.h"

namespace maltrove::platform {

class GridWidget;

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit GridAccessible(GridWidget* grid);
  ~GridAccessible() override;

  const AccessibleTable* Model() const;
  GridWidget* Grid() const;
  // The interface of a cell; row or col -1 for the headers; nullptr outside.
  QAccessibleInterface* Cell(int row, int col) const;
  int IndexOf(int row, int col) const;

  // QAccessibleInterface.
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleTableInterface.
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override;
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedColumnCount() const override { return selectedColumns().size(); }
  int selectedRowCount() const override { return selectedRows().size(); }
  int columnCount() const override;
  int rowCount() const override;
  QList<int> selectedColumns() const override;
  QList<int> selectedRows() const override;
  bool isColumnSelected(int column) const override;
  bool isRowSelected(int row) const override;
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent* event) override;

 private:
  void Forget() const;

  mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};

// Installs the factory that gives every GridWidget a GridAccessible; once.
void InstallGridAccessibility();

// Sends the assistive technologies' event for `change`, when one listens.
void NotifyGridAccessibility(GridWidget* grid, AccessibleChange change, int row, int col);

}  // namespace maltrove::platform
