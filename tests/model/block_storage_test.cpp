// Rows and cells kept in fixed blocks: values and addresses across block
// boundaries through growth, inserts, removals, reuse of ids and sorting.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/block_array.h"
#include "model/cell_value.h"
#include "model/grid_model.h"

namespace maltrove {
namespace {

constexpr int kBlock = static_cast<int>(CellColumn::kBlockSize);

TEST(BlockArrayTest, GrowsAcrossBlocksWithoutMovingAndClears) {
  BlockArray<CGridCell> cells;
  cells.push_back();
  cells[0].text = "first, long enough to live on the heap";
  const CGridCell* first = &cells[0];
  cells.resize(3 * kBlock + 5);
  EXPECT_EQ(cells.size(), static_cast<uint32_t>(3 * kBlock + 5));
  EXPECT_EQ(&cells[0], first);
  EXPECT_EQ(cells[0].text.view(), "first, long enough to live on the heap");
  for (uint32_t id : {1u, static_cast<uint32_t>(kBlock - 1), static_cast<uint32_t>(kBlock),
                      static_cast<uint32_t>(3 * kBlock + 4)}) {
    EXPECT_TRUE(cells[id].isNull) << id;
    EXPECT_TRUE(cells[id].text.empty()) << id;
    cells[id].text = "cell " + std::to_string(id) + " with a long heap text";
  }
  EXPECT_EQ(cells[kBlock].text.view(), "cell " + std::to_string(kBlock) + " with a long heap text");
  BlockArray<CGridCell> moved(std::move(cells));
  EXPECT_EQ(cells.size(), 0u);
  EXPECT_EQ(&moved[0], first);
  moved.clear();
  EXPECT_EQ(moved.size(), 0u);
  moved.push_back();
  EXPECT_TRUE(moved[0].isNull);
}

// Column 0 holds each row's name, column 1 a number.
class BlockGridTest : public ::testing::Test {
 protected:
  BlockGridTest() {
    g.insertColumn(-1, "", 80, "name", kDataString, kInputText, "", "", 0, "");
    g.insertColumn(-1, "", 80, "n", kDataNumeric, kInputText, "", "", 0, "");
  }
  void Append(const std::string& name, int n) {
    const int r = g.insertRow(-1);
    g.setCellStringData(r, 0, name);
    g.setCellStringData(r, 1, std::to_string(n));
  }
  CGridModel g;
};

TEST_F(BlockGridTest, CellsAndRowsKeepTheirAddressesWhileTheTableGrows) {
  Append("row 0", 0);
  const CGridCell* cell = g.cell(0, 0);
  const CGridRow* row = g.row(0);
  for (int r = 1; r < 2 * kBlock + 10; ++r) Append("row " + std::to_string(r), r);
  EXPECT_EQ(g.cell(0, 0), cell);
  EXPECT_EQ(g.row(0), row);
  EXPECT_EQ(g.getCellStringData(0, 0), "row 0");
  EXPECT_EQ(g.getCellStringData(kBlock, 0), "row " + std::to_string(kBlock));
  EXPECT_EQ(g.getCellStringData(2 * kBlock + 9, 1), std::to_string(2 * kBlock + 9));
}

TEST_F(BlockGridTest, InsertRemoveReuseAndSortAcrossBlockBoundaries) {
  std::vector<std::string> expected;
  for (int r = 0; r < kBlock + 20; ++r) {
    Append("v" + std::to_string(r), r);
    expected.push_back("v" + std::to_string(r));
  }
  // Remove rows on both sides of the boundary; their ids come back for rows
  // inserted in the middle, which must start empty.
  for (int r : {kBlock + 1, kBlock, kBlock - 1, 3}) {
    g.removeRow(r);
    expected.erase(expected.begin() + r);
  }
  for (int k = 0; k < 6; ++k) {
    const int at = g.insertRow(kBlock - 2);
    EXPECT_EQ(g.getCellStringData(at, 0), "");
    EXPECT_EQ(g.isRowInserted(at), 1);
    g.setCellStringData(at, 0, "new" + std::to_string(k));
    g.setCellStringData(at, 1, std::to_string(-k));
    expected.insert(expected.begin() + at, "new" + std::to_string(k));
  }
  ASSERT_EQ(g.getRowCount(), static_cast<int>(expected.size()));
  for (int r = 0; r < g.getRowCount(); ++r) ASSERT_EQ(g.getCellStringData(r, 0), expected[r]) << r;

  // A column inserted after the growth has a cell for every row, old and new.
  g.insertColumn(1, "", 80, "d", kDataString, kInputText, "", "", 0, "dflt");
  for (int r : {0, kBlock - 2, kBlock, g.getRowCount() - 1}) {
    EXPECT_EQ(g.getCellStringData(r, 1), "dflt") << r;
  }

  // Sorting by the number moves whole rows: each name stays with its number.
  std::vector<std::pair<double, std::string>> pairs;
  for (int r = 0; r < g.getRowCount(); ++r) {
    pairs.emplace_back(std::stod(g.getCellStringData(r, 2)), g.getCellStringData(r, 0));
  }
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  g.setRowOrder([&] {
    std::vector<CGridRow*> rows;
    for (int r = 0; r < g.getRowCount(); ++r) rows.push_back(g.row(r));
    std::stable_sort(rows.begin(), rows.end(), [&](CGridRow* a, CGridRow* b) {
      return (*g.columnCells(2))[a->id].number > (*g.columnCells(2))[b->id].number;
    });
    return rows;
  }());
  for (int r = 0; r < g.getRowCount(); ++r) {
    ASSERT_EQ(g.getCellStringData(r, 0), pairs[r].second) << r;
  }
  g.removeAllRows();
  EXPECT_EQ(g.getRowCount(), 0);
  EXPECT_EQ(g.insertRow(-1), 0);
  EXPECT_EQ(g.getCellStringData(0, 0), "");
  EXPECT_EQ(g.getCellStringData(0, 1), "dflt");
}

TEST(SetCellInPlaceTest, InPlaceAndCopyingInputAgree) {
  // The same texts through a plain column and one whose ignore list holds a
  // character none of them has, so it takes the copying path.
  CGridModel g;
  for (int type : {kDataString, kDataNumeric, kDataDateTime}) {
    g.insertColumn(-1, "", 80, "", type, kInputText, "", "", 0, "");
    g.insertColumn(-1, "", 80, "", type, kInputText, "", "", 0, "");
    g.setColumnIgnoreChar(g.getColumnCount() - 1, "~");
  }
  g.setColumnAllowChar(0, "abc ");
  g.setColumnAllowChar(1, "abc ");
  g.insertRow(-1);
  for (const char* text : {"  abc  ", "12.", " -3.50 ", ".", "1.2.3", "20070415123000", "",
                           "abd", "\t7\t", "2007041"}) {
    for (int col = 0; col < g.getColumnCount(); col += 2) {
      const int plain = g.setCellStringData(0, col, text);
      const int copied = g.setCellStringData(0, col + 1, text);
      EXPECT_EQ(plain, copied) << text << " col " << col;
      EXPECT_EQ(g.getCellStringData(0, col), g.getCellStringData(0, col + 1))
          << text << " col " << col;
      EXPECT_EQ(g.cell(0, col)->isNull, g.cell(0, col + 1)->isNull) << text << " col " << col;
    }
  }
}

}  // namespace
}  // namespace maltrove
