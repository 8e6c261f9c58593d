// The grid's widget as assistive technologies read it: a table over the
// client's AccessibleTable.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include "fake_table.h"
#include "platform/qt/grid_widget.h"
#include "recording_client.h"

namespace maltrove::platform {
namespace {

class AccessibleTest : public testing::Test {
 protected:
  void SetUp() override {
    client.table = &table;
    grid = std::make_unique<GridWidget>(nullptr, &client);
    grid->resize(200, 150);
    grid->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
    iface = QAccessible::queryAccessibleInterface(grid.get());
    ASSERT_NE(iface, nullptr);
    tableIface = iface->tableInterface();
    ASSERT_NE(tableIface, nullptr);
  }

  FakeTable table;
  RecordingClient client;
  std::unique_ptr<GridWidget> grid;
  QAccessibleInterface* iface = nullptr;
  QAccessibleTableInterface* tableIface = nullptr;
};

TEST_F(AccessibleTest, TableOfTheClientsCounts) {
  EXPECT_EQ(iface->role(), QAccessible::Table);
  EXPECT_EQ(tableIface->rowCount(), 3);
  EXPECT_EQ(tableIface->columnCount(), 2);
  EXPECT_EQ(iface->childCount(), 4 * 3);  // a header row and a header column
  table.rows = 65536;
  EXPECT_EQ(tableIface->rowCount(), 65536);
  EXPECT_EQ(iface->childCount(), 65537 * 3);
}

TEST_F(AccessibleTest, CellsAndHeaders) {
  QAccessibleInterface* cell = tableIface->cellAt(1, 0);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->role(), QAccessible::Cell);
  EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("r1c0"));
  EXPECT_EQ(cell, tableIface->cellAt(1, 0));  // kept, not made again
  EXPECT_EQ(iface->indexOfChild(cell), 2 * 3 + 1);
  EXPECT_EQ(iface->child(2 * 3 + 1), cell);
  EXPECT_EQ(cell->parent(), iface);
  QAccessibleTableCellInterface* cellIface = cell->tableCellInterface();
  ASSERT_NE(cellIface, nullptr);
  EXPECT_EQ(cellIface->rowIndex(), 1);
  const QList<QAccessibleInterface*> column = cellIface->columnHeaderCells();
  ASSERT_EQ(column.size(), 1);
  EXPECT_EQ(column[0]->role(), QAccessible::ColumnHeader);
  EXPECT_EQ(column[0]->text(QAccessible::Name), QStringLiteral("이름"));
  const QList<QAccessibleInterface*> row = cellIface->rowHeaderCells();
  ASSERT_EQ(row.size(), 1);
  EXPECT_EQ(row[0]->role(), QAccessible::RowHeader);
  EXPECT_EQ(row[0]->text(QAccessible::Name), QStringLiteral("2"));
  EXPECT_EQ(tableIface->columnDescription(1), QStringLiteral("확인"));
  EXPECT_EQ(tableIface->cellAt(3, 0), nullptr);
}

TEST_F(AccessibleTest, FocusedCellIsTheFocusChild) {
  QAccessibleInterface* focused = iface->focusChild();
  ASSERT_NE(focused, nullptr);
  EXPECT_EQ(focused->text(QAccessible::Name), QStringLiteral("r1c0"));
  EXPECT_TRUE(focused->state().focused);
  EXPECT_FALSE(tableIface->cellAt(0, 0)->state().focused);
  table.focusedRow = -1;
  EXPECT_EQ(iface->focusChild(), nullptr);
}

TEST_F(AccessibleTest, SelectionAndCheckedState) {
  EXPECT_TRUE(tableIface->cellAt(0, 1)->state().selected);
  EXPECT_FALSE(tableIface->cellAt(1, 1)->state().selected);
  EXPECT_TRUE(tableIface->cellAt(0, 1)->tableCellInterface()->isSelected());
  EXPECT_EQ(tableIface->selectedCellCount(), 2);
  EXPECT_EQ(tableIface->selectedRows(), QList<int>{0});
  EXPECT_TRUE(tableIface->selectedColumns().isEmpty());
  const QAccessible::State unchecked = tableIface->cellAt(0, 1)->state();
  EXPECT_TRUE(unchecked.checkable);
  EXPECT_FALSE(unchecked.checked);
  EXPECT_TRUE(tableIface->cellAt(1, 1)->state().checked);
  EXPECT_FALSE(tableIface->cellAt(1, 0)->state().checkable);
}

TEST_F(AccessibleTest, CellRectanglesOnTheScreen) {
  QAccessibleInterface* cell = tableIface->cellAt(1, 1);
  EXPECT_EQ(cell->rect(), QRect(grid->mapToGlobal(QPoint(50, 40)), QSize(50, 20)));
  EXPECT_FALSE(cell->state().invisible);
  EXPECT_TRUE(tableIface->cellAt(2, 0)->state().invisible);
}

TEST_F(AccessibleTest, StructureChangeForgetsCells) {
  QAccessibleInterface* cell = tableIface->cellAt(2, 1);
  const QAccessible::Id id = QAccessible::uniqueId(cell);
  QAccessibleTableModelChangeEvent reset(iface, QAccessibleTableModelChangeEvent::ModelReset);
  tableIface->modelChange(&reset);
  EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
  EXPECT_EQ(tableIface->cellAt(2, 1)->text(QAccessible::Name), QStringLiteral("r2c1"));
}

}  // namespace
}  // namespace maltrove::platform
