#include <gtest/gtest.h>

#include "model/grid_model.h"

namespace maltrove {
namespace {

int AddColumn(CGridModel& g, const std::string& name, int width = 100, int pos = -1) {
  return g.insertColumn(pos, "", width, name, kDataString, kInputText, "", "", 0, "");
}

TEST(InsertColumnTest, GeneratesTheFirstFreeFieldName) {
  CGridModel g;
  AddColumn(g, "data1");
  AddColumn(g, "data3");
  EXPECT_EQ(AddColumn(g, ""), 2);
  EXPECT_EQ(g.getColumnFieldName(2), "data2");
  EXPECT_EQ(g.getColumnLabel(2), "data2");
}

TEST(InsertColumnTest, RefusesDuplicateOrBlankNamesAndThe258thColumn) {
  CGridModel g;
  ASSERT_EQ(AddColumn(g, "a"), 0);
  EXPECT_EQ(AddColumn(g, "a"), -1);
  EXPECT_EQ(AddColumn(g, "   "), -1);
  EXPECT_EQ(g.getColumnCount(), 1);
  for (int i = 1; i < CGridModel::kMaxColumns; ++i) ASSERT_EQ(AddColumn(g, ""), i);
  EXPECT_EQ(AddColumn(g, "last"), -1);
  EXPECT_EQ(g.getColumnCount(), 257);
}

TEST(InsertColumnTest, PositionsFollowTheThreePixelGap) {
  CGridModel g;
  AddColumn(g, "a", 100);
  AddColumn(g, "b", 50);
  const int first = g.firstColumnLeft();
  EXPECT_EQ(first, 65);
  EXPECT_EQ(g.column(1)->left, first + 103);
  EXPECT_EQ(g.contentRight(), 64 + 103 + 53);
  ASSERT_EQ(AddColumn(g, "front", 30, 0), 0);
  EXPECT_EQ(g.column(0)->left, first);
  EXPECT_EQ(g.column(1)->left, first + 33);
  EXPECT_EQ(g.column(2)->left, first + 33 + 103);
  ASSERT_EQ(AddColumn(g, "mid", 10, 1), 1);
  EXPECT_EQ(g.getColumnFieldName(1), "mid");
  EXPECT_EQ(g.column(2)->left, first + 33 + 13);
}

TEST(InsertColumnTest, AddsACellToEveryRowWithTheDefault) {
  CGridModel g;
  AddColumn(g, "a");
  g.insertRow(-1);
  g.insertRow(-1);
  g.insertColumn(0, "", 80, "n", kDataNumeric, kInputText, "", "", 0, "12");
  EXPECT_EQ(g.getCellStringData(0, 0), "12");
  EXPECT_EQ(g.getCellStringData(1, 0), "12");
  g.insertColumn(-1, "", 80, "bad", kDataNumeric, kInputText, "", "", 0, "12a");
  EXPECT_EQ(g.getColumnDefault(2), "");
}

TEST(InsertColumnTest, AutomaticCellAlignment) {
  CGridModel g;
  g.insertColumn(-1, "", 10, "s", kDataString, kInputText, "", "", 0, "");
  g.insertColumn(-1, "", 10, "n", kDataNumeric, kInputText, "", "", 0, "");
  g.insertColumn(-1, "", 10, "d", kDataDateTime, kInputText, "", "", 0, "");
  g.insertColumn(-1, "", 10, "b", kDataNumeric, kInputButton, "", "", 0, "");
  EXPECT_EQ(g.column(0)->cell.align, kAlignLeft);
  EXPECT_EQ(g.column(1)->cell.align, kAlignRight);
  EXPECT_EQ(g.column(2)->cell.align, kAlignCenter);
  EXPECT_EQ(g.column(3)->cell.align, kAlignCenter);
}

TEST(InsertRowTest, PositionRuleAndRowLimit) {
  CGridModel g;
  AddColumn(g, "a");
  EXPECT_EQ(g.insertRow(5), 0);
  EXPECT_EQ(g.insertRow(-1), 1);
  EXPECT_EQ(g.insertRow(1), 1);
  EXPECT_EQ(g.insertRow(0), 0);
  EXPECT_EQ(g.row(0)->top, 26);
  for (int r = 1; r < g.getRowCount(); ++r) {
    EXPECT_EQ(g.row(r)->top, g.row(r - 1)->top + 23);
  }
  EXPECT_EQ(g.contentBottom(), 25 + 4 * 23);
  while (g.getRowCount() < CGridModel::kMaxRows) ASSERT_GE(g.insertRow(-1), 0);
  EXPECT_EQ(g.insertRow(-1), -1);
  EXPECT_EQ(g.getRowCount(), 65536);
}

TEST(RemoveTest, RowsAndColumnsCloseTheirGap) {
  CGridModel g;
  AddColumn(g, "a", 100);
  AddColumn(g, "b", 50);
  AddColumn(g, "c", 20);
  for (int i = 0; i < 3; ++i) g.insertRow(-1);
  g.setCellStringData(2, 2, "x");
  g.removeColumn(1);
  EXPECT_EQ(g.getColumnFieldName(1), "c");
  EXPECT_EQ(g.column(1)->left, 65 + 103);
  EXPECT_EQ(g.getCellStringData(2, 1), "x");
  g.removeRow(0);
  EXPECT_EQ(g.getRowCount(), 2);
  EXPECT_EQ(g.row(0)->top, 26);
  EXPECT_EQ(g.getCellStringData(1, 1), "x");
  g.removeRow(7);  // no such row: nothing happens
  EXPECT_EQ(g.getRowCount(), 2);
  g.removeAllRows();
  EXPECT_EQ(g.contentBottom(), 25);
  g.removeAllColumns();
  EXPECT_EQ(g.contentRight(), 64);
}

TEST(ColumnWidthTest, HidingKeepsTheDeclaredWidth) {
  CGridModel g;
  AddColumn(g, "a", 100);
  AddColumn(g, "b", 50);
  g.setFocus(0, 1);
  g.setColumnVisible(0, 0);
  EXPECT_EQ(g.getColumnVisible(0), 0);
  EXPECT_EQ(g.getColumnWidth(0), 100);
  EXPECT_EQ(g.column(1)->left, 65);
  EXPECT_EQ(g.focusedRow(), -1);
  g.setColumnVisible(0, 0);  // hiding twice keeps the width to restore
  g.setColumnVisible(0, 1);
  EXPECT_EQ(g.getColumnVisible(0), 1);
  EXPECT_EQ(g.column(0)->width, 100);
  EXPECT_EQ(g.column(1)->left, 65 + 103);
}

TEST(HeaderTest, HeaderSizeAndVisibilityMoveTheTable) {
  CGridModel g;
  AddColumn(g, "a");
  g.insertRow(-1);
  g.setRowHeaderWidth(80);
  EXPECT_EQ(g.column(0)->left, 85);
  EXPECT_EQ(g.getColumnWidth(-1), 80);
  g.setColumnHeaderHeight(30);
  EXPECT_EQ(g.row(0)->top, 36);
  EXPECT_EQ(g.getRowHeight(-1), 30);
  g.setColumnHeaderVisible(0);
  EXPECT_EQ(g.row(0)->top, 3);
  g.setColumnHeaderVisible(0);  // unchanged value: nothing moves
  EXPECT_EQ(g.row(0)->top, 3);
  g.setRowHeaderVisible(0);
  EXPECT_EQ(g.column(0)->left, 2);
  g.setRowHeaderWidth(10);  // hidden header: columns stay
  EXPECT_EQ(g.column(0)->left, 2);
  g.setRowHeaderVisible(1);
  EXPECT_EQ(g.column(0)->left, 15);
}

TEST(FilterViewTest, InsertWhileFilteredAlsoAddsToAllRows) {
  CGridModel g;
  AddColumn(g, "a");
  for (int i = 0; i < 3; ++i) {
    g.insertRow(-1);
    g.setCellStringData(i, 0, std::to_string(i));
  }
  g.showFilteredRows({g.row(2)});
  EXPECT_EQ(g.getRowCount(), 1);
  EXPECT_EQ(g.row(0)->top, 26);
  EXPECT_EQ(g.insertRow(0), 0);
  g.setCellStringData(0, 0, "new");
  g.removeRow(1);  // the row "2"
  g.showAllRows();
  ASSERT_EQ(g.getRowCount(), 3);
  EXPECT_EQ(g.getCellStringData(0, 0), "0");
  EXPECT_EQ(g.getCellStringData(2, 0), "new");
}

std::vector<std::string> Column0(const CGridModel& g) {
  std::vector<std::string> texts;
  for (int r = 0; r < g.getRowCount(); ++r) texts.push_back(g.getCellStringData(r, 0));
  return texts;
}

TEST(FilterViewTest, InsertAndRemoveInsideTheViewKeepTheTableOrder) {
  CGridModel g;
  AddColumn(g, "a");
  for (const char* text : {"a", "b", "c", "d", "e"}) {
    g.setCellStringData(g.insertRow(-1), 0, text);
  }
  g.showFilteredRows({g.allRow(3), g.allRow(1)});
  ASSERT_EQ(g.insertRow(1), 1);
  g.setCellStringData(1, 0, "x");
  EXPECT_EQ(Column0(g), (std::vector<std::string>{"d", "x", "b"}));
  g.removeRow(0);
  EXPECT_EQ(Column0(g), (std::vector<std::string>{"x", "b"}));
  EXPECT_EQ(g.allRowCount(), 5);
  g.showAllRows();
  EXPECT_EQ(Column0(g), (std::vector<std::string>{"a", "b", "c", "e", "x"}));
  // The removed row's place is taken by a fresh row with nothing of "d".
  ASSERT_EQ(g.insertRow(0), 0);
  EXPECT_EQ(g.getCellStringData(0, 0), "");
  EXPECT_TRUE(g.cell(0, 0)->isNull);
  EXPECT_EQ(Column0(g), (std::vector<std::string>{"", "a", "b", "c", "e", "x"}));
  for (int r = 1; r < g.getRowCount(); ++r) {
    EXPECT_EQ(g.row(r)->top, g.row(r - 1)->top + g.row(r - 1)->height + CGridModel::kGap);
  }
}

TEST(InsertColumnTest, OwnComboListsStayWithTheirColumns) {
  CGridModel g;
  g.insertColumn(-1, "", 100, "left", kDataString, kInputSelect, "", "", 0, "");
  g.insertColumn(-1, "", 100, "right", kDataString, kInputSelect, "", "", 0, "");
  g.setColumnCombo(0, "L1;L2", "1;2");
  g.setColumnCombo(1, "R1;R2", "1;2");
  g.insertRow(-1);
  g.insertRow(-1);
  g.modifyCombo(1, 0, "own-left", "7");
  g.modifyCombo(1, 1, "own-right", "7");
  g.setCellStringData(1, 0, "7");
  g.setCellStringData(1, 1, "7");
  ASSERT_EQ(g.insertColumn(1, "", 100, "middle", kDataString, kInputSelect, "", "", 0, ""), 1);
  EXPECT_EQ(g.cellCombo(1, 0)->comboDatas, "own-left");
  EXPECT_EQ(g.cellCombo(1, 1), nullptr);
  EXPECT_EQ(g.cellCombo(1, 2)->comboDatas, "own-right");
  EXPECT_EQ(g.cellCombo(1, 2)->comboValues, "7");
  EXPECT_EQ(g.getCellComboData(1, 0), "own-left");
  EXPECT_EQ(g.getCellComboData(1, 2), "own-right");
  EXPECT_EQ(g.cellCombo(0, 2), nullptr);
  g.removeColumn(0);
  EXPECT_EQ(g.getCellComboData(1, 1), "own-right");
  g.removeRow(1);
  g.insertRow(-1);
  EXPECT_EQ(g.cellCombo(1, 1), nullptr);  // the new row has no lists of its own
}

TEST(RemoveTest, TheLastRowAndColumnGoAndComeBackEmpty) {
  CGridModel g;
  AddColumn(g, "a");
  AddColumn(g, "b");
  g.insertRow(-1);
  g.setCellStringData(0, 0, "keep");
  g.setCellStringData(0, 1, "drop");
  g.removeColumn(1);
  EXPECT_EQ(g.getColumnCount(), 1);
  EXPECT_EQ(g.cell(0, 1), nullptr);
  EXPECT_EQ(g.getCellStringData(0, 0), "keep");
  g.removeRow(0);
  EXPECT_EQ(g.getRowCount(), 0);
  EXPECT_EQ(g.cell(0, 0), nullptr);
  EXPECT_EQ(g.contentBottom(), CGridModel::kInitialContentBottom);
  g.removeColumn(0);
  EXPECT_EQ(g.contentRight(), CGridModel::kInitialContentRight);
  g.insertColumn(-1, "", 100, "n", kDataNumeric, kInputText, "", "", 0, "5");
  ASSERT_EQ(g.insertRow(-1), 0);
  EXPECT_EQ(g.getCellStringData(0, 0), "5");
  AddColumn(g, "later");
  EXPECT_EQ(g.getCellStringData(0, 1), "");
  g.removeRow(0);
  g.removeColumn(0);
  g.removeColumn(0);
  EXPECT_EQ(g.getColumnCount(), 0);
  ASSERT_EQ(g.insertRow(-1), 0);
  EXPECT_EQ(g.cell(0, 0), nullptr);
  EXPECT_EQ(g.isRowEdited(0), 0);
}

TEST(RemoveTest, ManyRowsRemovedAndInsertedKeepEveryValueInPlace) {
  CGridModel g;
  AddColumn(g, "a");
  AddColumn(g, "b");
  std::vector<std::string> expected;
  for (int i = 0; i < 200; ++i) {
    const int at = (i * 7) % (g.getRowCount() + 1);
    g.insertRow(at);
    g.setCellStringData(at, 0, std::to_string(i));
    g.setCellStringData(at, 1, "v" + std::to_string(i));
    expected.insert(expected.begin() + at, std::to_string(i));
    if (i % 3 == 2) {
      const int gone = (i * 5) % g.getRowCount();
      g.removeRow(gone);
      expected.erase(expected.begin() + gone);
    }
  }
  ASSERT_EQ(Column0(g), expected);
  for (int r = 0; r < g.getRowCount(); ++r) {
    EXPECT_EQ(g.getCellStringData(r, 1), "v" + expected[r]);
  }
}

TEST(ExtentLimitTest, WidthsAreClampedWhereverTheyComeFrom) {
  CGridModel g;
  AddColumn(g, "a", 2147483647);
  AddColumn(g, "b", 2000000000);
  EXPECT_EQ(g.getColumnWidth(0), CGridModel::kMaxWidth);
  EXPECT_EQ(g.getColumnWidth(1), CGridModel::kMaxWidth);
  const int first = g.firstColumnLeft();
  EXPECT_EQ(g.column(1)->left, first + CGridModel::kMaxWidth + CGridModel::kGap);
  EXPECT_EQ(g.contentRight(),
            CGridModel::kInitialContentRight + 2 * (CGridModel::kMaxWidth + CGridModel::kGap));
  g.setColumnWidth(0, -2147483647 - 1);
  EXPECT_EQ(g.getColumnWidth(0), -CGridModel::kGap);
  EXPECT_EQ(g.getColumnVisible(0), 0);
  EXPECT_EQ(g.column(1)->left, first);
  g.setColumnWidth(-1, 2147483647);
  EXPECT_EQ(g.rowHeaderWidth(), CGridModel::kMaxWidth);
  EXPECT_EQ(g.column(1)->left, CGridModel::kMaxWidth + 5);
  for (int i = 2; i < CGridModel::kMaxColumns; ++i) AddColumn(g, "", 2147483647);
  EXPECT_GT(g.contentRight(), 250 * CGridModel::kMaxWidth);
}

TEST(ExtentLimitTest, HeightsAreClampedAndRowsFollow) {
  CGridModel g;
  AddColumn(g, "a");
  g.setCellHeightDefault(2147483647);
  EXPECT_EQ(g.cellHeightDefault(), CGridModel::kMaxHeight);
  ASSERT_EQ(g.insertRow(-1), 0);
  ASSERT_EQ(g.insertRow(-1), 1);
  EXPECT_EQ(g.getRowHeight(0), CGridModel::kMaxHeight);
  EXPECT_EQ(g.row(1)->top, g.row(0)->top + CGridModel::kMaxHeight + CGridModel::kGap);
  g.setRowHeight(0, -2147483647 - 1);
  EXPECT_EQ(g.getRowHeight(0), -CGridModel::kGap);
  EXPECT_EQ(g.row(1)->top, g.row(0)->top);
  g.setColumnHeaderHeight(2147483647);
  EXPECT_EQ(g.columnHeaderHeight(), CGridModel::kMaxHeight);
  g.setCellHeightDefault(-2147483647 - 1);
  EXPECT_EQ(g.cellHeightDefault(), -CGridModel::kGap);
}

}  // namespace
}  // namespace maltrove
