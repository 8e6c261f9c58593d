// Check states, status flags, hidden cells, read-only inheritance and the
// selection list.
#include <gtest/gtest.h>

#include "model/grid_model.h"

namespace maltrove {
namespace {

class GridStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g.insertColumn(-1, "", 100, "text", kDataString, kInputText, "", "", -1, "");
    g.insertColumn(-1, "", 100, "radio", kDataString, kInputRadio, "", "", -1, "");
    g.insertColumn(-1, "", 100, "check", kDataString, kInputCheckBox, "", "", -1, "");
    for (int i = 0; i < 3; ++i) g.insertRow(-1);
    g.clearStatus(1);  // as if loaded
  }
  CGridModel g;
};

TEST_F(GridStatusTest, RadioKeepsOneCellOn) {
  g.setCellChecked(0, 1, 1);
  g.setCellChecked(2, 1, 1);
  EXPECT_EQ(g.getCellChecked(0, 1), 0);
  EXPECT_EQ(g.getCellChecked(2, 1), 1);
  EXPECT_EQ(g.getCellChecked(0, 0), 0);  // not a checkable column
  g.setCellChecked(0, 0, 1);
  EXPECT_EQ(g.isCellEdited(0, 0), 0);
  EXPECT_EQ(g.isCellEdited(0, 1), 1);  // switched off by the new radio
}

TEST_F(GridStatusTest, CheckAllTogglesAndSetsAll) {
  g.setCheckAll(2, 2);
  for (int r = 0; r < 3; ++r) EXPECT_EQ(g.getCellChecked(r, 2), 1);
  g.setCheckAll(2, 2);
  for (int r = 0; r < 3; ++r) EXPECT_EQ(g.getCellChecked(r, 2), 0);
  g.setCellChecked(1, 2, 1);
  g.setCheckAll(2, 2);  // one checked, not all: checks every row
  for (int r = 0; r < 3; ++r) EXPECT_EQ(g.getCellChecked(r, 2), 1);
  g.setCheckAll(2, 0);
  EXPECT_EQ(g.getCellChecked(1, 2), 0);
  EXPECT_EQ(g.immediateDrawMode(), 1);
  g.setCheckAll(1, 1);  // radio column: left alone
  EXPECT_EQ(g.getCellChecked(0, 1), 0);
}

TEST_F(GridStatusTest, CheckBoxDefaultApplyToNewRows) {
  g.setColumnDefaultChecked(2, 1);
  g.insertRow(-1);
  EXPECT_EQ(g.getCellChecked(3, 2), 1);
  EXPECT_EQ(g.getCellChecked(0, 2), 0);
}

TEST_F(GridStatusTest, InsertedRowsNeverReportEditedCells) {
  EXPECT_EQ(g.isModified(), 0);
  int r = g.insertRow(-1);
  EXPECT_EQ(g.isModified(), 3);
  g.setCellStringData(r, 0, "x");
  g.setCellChecked(r, 2, 1);
  EXPECT_EQ(g.isCellEdited(r, 0), 0);
  EXPECT_EQ(g.isRowEdited(r), 0);
  EXPECT_EQ(g.isRowInserted(r), 1);
  g.setCellStringData(0, 0, "y");
  EXPECT_EQ(g.isCellEdited(0, 0), 1);
  EXPECT_EQ(g.isRowEdited(0), 1);
  EXPECT_EQ(g.isModified(), 1);
}

TEST_F(GridStatusTest, ClearStatusModes) {
  int r = g.insertRow(-1);
  g.setCellStringData(0, 0, "y");
  g.clearStatus(4);
  EXPECT_EQ(g.isModified(), 1);
  g.clearStatus(2);
  EXPECT_EQ(g.isRowInserted(r), 1);
  EXPECT_EQ(g.isCellEdited(0, 0), 0);
  EXPECT_EQ(g.isModified(), 3);
  g.setCellStringData(0, 0, "z");
  g.clearStatus(3);
  EXPECT_EQ(g.isCellEdited(0, 0), 1);
  EXPECT_EQ(g.isRowInserted(r), 0);
  EXPECT_EQ(g.isModified(), 2);
}

TEST_F(GridStatusTest, RemoveAllRowsKeepsTheGridFlags) {
  g.setCellStringData(0, 0, "y");
  g.insertRow(-1);
  g.removeAllRows();
  EXPECT_EQ(g.isModified(), 1);
  g.clearStatus(1);
  EXPECT_EQ(g.isModified(), 0);
}

TEST_F(GridStatusTest, ReadOnlyInheritance) {
  EXPECT_EQ(g.isCellReadOnly(0, 0), 0);
  g.setReadOnly(1);
  EXPECT_EQ(g.isCellReadOnly(0, 0), 1);
  g.setRowReadOnly(0, 0);
  EXPECT_EQ(g.isCellReadOnly(0, 0), 0);
  g.setColumnReadOnly(0, 1);
  EXPECT_EQ(g.isCellReadOnly(0, 0), 1);
  EXPECT_EQ(g.getRowReadOnly(1), 0);  // -1 reads as 0
  EXPECT_EQ(g.isCellReadOnly(9, 0), 0);
}

TEST_F(GridStatusTest, HiddenCellsFollowTheirRow) {
  g.setCellVisible(1, 0, 0);
  EXPECT_TRUE(g.isCellHidden(1, 0));
  g.insertRow(0);
  EXPECT_TRUE(g.isCellHidden(2, 0));  // by identity, not by index
  EXPECT_FALSE(g.isCellHidden(1, 0));
  g.removeRow(2);
  g.insertRow(-1);
  for (int r = 0; r < g.getRowCount(); ++r) EXPECT_FALSE(g.isCellHidden(r, 0));
  g.setCellVisible(0, 0, 0);
  g.setCellVisible(0, 0, 1);
  EXPECT_FALSE(g.isCellHidden(0, 0));
}

TEST_F(GridStatusTest, SelectionWildcards) {
  EXPECT_EQ(g.isSelected(-1, -1), 0);
  g.addSelection(2, -1);
  EXPECT_EQ(g.isSelected(2, 2), 1);
  EXPECT_EQ(g.isSelected(1, 2), 0);
  g.addSelection(-1, 1);
  EXPECT_EQ(g.isSelected(0, 1), 1);
  g.addSelection(5, 0);  // out of range
  g.addSelection(2, -1);  // already there
  EXPECT_EQ(g.selection().size(), 2u);
  g.addSelection(-1, -1);
  EXPECT_EQ(g.isSelected(-1, -1), 1);
  g.addSelection(0, 0);  // everything is selected already
  EXPECT_EQ(g.selection().size(), 3u);
  g.removeSelection(2, 2);  // wildcards are not expanded
  EXPECT_EQ(g.selection().size(), 3u);
  g.removeSelection(-1, -1);
  EXPECT_EQ(g.isSelected(-1, -1), 0);
  EXPECT_EQ(g.isSelected(3, 0), 0);
  g.clearSelection();
  EXPECT_EQ(g.isSelected(2, 0), 0);
}

TEST_F(GridStatusTest, ResizeFlagsInherit) {
  EXPECT_EQ(g.getColumnEnableResize(0), 0);
  g.setEnableRowColumnResize(1);
  EXPECT_EQ(g.getColumnEnableResize(0), 1);
  EXPECT_EQ(g.enableRowResize(), 1);
  g.setEnableColumnResize(0);
  EXPECT_EQ(g.getColumnEnableResize(0), 0);
  g.setColumnEnableResize(0, 1);
  EXPECT_EQ(g.getColumnEnableResize(0), 1);
  EXPECT_EQ(g.getColumnEnableResize(-1), 0);
  g.setRowHeaderVisible(0);
  g.setEnableColumnResize(1);
  EXPECT_EQ(g.getColumnEnableResize(-1), 0);
}

// Rows of the radio column that are switched on.
std::vector<int> OnRows(const CGridModel& g) {
  std::vector<int> on;
  for (int r = 0; r < g.getRowCount(); ++r) {
    if (g.getCellChecked(r, 1) != 0) on.push_back(r);
  }
  return on;
}

TEST_F(GridStatusTest, RadioFollowsItsRowPastAnInsertAbove) {
  g.setCellChecked(2, 1, 1);
  g.insertRow(0);
  g.setCellChecked(1, 1, 1);
  EXPECT_EQ(OnRows(g), (std::vector<int>{1}));
  EXPECT_EQ(g.isCellEdited(3, 1), 1);  // the row that was on, now at 3
}

TEST_F(GridStatusTest, RadioFollowsItsRowPastARemovalAbove) {
  g.setCellChecked(2, 1, 1);
  g.removeRow(0);
  g.setCellChecked(0, 1, 1);
  EXPECT_EQ(OnRows(g), (std::vector<int>{0}));
}

TEST_F(GridStatusTest, RadioFollowsItsRowThroughANewOrder) {
  g.setCellStringData(0, 0, "first");
  g.setCellChecked(0, 1, 1);
  g.setRowOrder({g.row(2), g.row(1), g.row(0)});
  EXPECT_EQ(OnRows(g), (std::vector<int>{2}));
  g.setCellChecked(1, 1, 1);
  EXPECT_EQ(OnRows(g), (std::vector<int>{1}));
  EXPECT_EQ(g.getCellStringData(2, 0), "first");
}

TEST_F(GridStatusTest, RadioFollowsItsRowThroughAFilter) {
  g.setCellChecked(0, 1, 1);
  g.showFilteredRows({g.row(2), g.row(0)});
  g.setCellChecked(0, 1, 1);
  EXPECT_EQ(OnRows(g), (std::vector<int>{0}));
  g.showAllRows();
  EXPECT_EQ(OnRows(g), (std::vector<int>{2}));
}

TEST_F(GridStatusTest, RemovingTheRowThatWasOnLeavesNoneOn) {
  g.setCellChecked(1, 1, 1);
  g.removeRow(1);
  EXPECT_TRUE(OnRows(g).empty());
  g.insertRow(-1);  // may take the removed row's place in the table
  EXPECT_TRUE(OnRows(g).empty());
  g.clearStatus(1);
  g.setCellChecked(0, 1, 1);
  EXPECT_EQ(OnRows(g), (std::vector<int>{0}));
  for (int r = 1; r < g.getRowCount(); ++r) EXPECT_EQ(g.isRowEdited(r), 0) << r;
}

TEST_F(GridStatusTest, RadioMarksEditedOnlyTheCellsThatChanged) {
  g.setCellChecked(0, 1, 1);
  g.setCellChecked(0, 1, 0);  // switched off by hand
  g.clearStatus(2);
  g.setCellChecked(2, 1, 1);
  EXPECT_EQ(g.isCellEdited(0, 1), 0);  // was off already
  EXPECT_EQ(g.isCellEdited(1, 1), 0);
  EXPECT_EQ(g.isCellEdited(2, 1), 1);
  g.setCellChecked(1, 1, 1);
  EXPECT_EQ(g.isCellEdited(2, 1), 1);
  EXPECT_EQ(OnRows(g), (std::vector<int>{1}));
}

}  // namespace
}  // namespace maltrove
