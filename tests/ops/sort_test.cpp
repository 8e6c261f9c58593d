#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/grid_model.h"
#include "ops/grid_sort.h"
#include "ops/sort_dialog.h"
#include "platform/headless_progress.h"
#include "platform/headless_ui.h"

namespace maltrove {
namespace {

// Column 0 is "id", a row's identity; the other columns are given by type.
CGridModel* Fill(CGridModel& g, const std::vector<int>& types,
                 const std::vector<std::vector<std::string>>& rows) {
  g.insertColumn(-1, "Id", 80, "id", kDataString, kInputText, "", "", 0, "");
  for (size_t c = 0; c < types.size(); ++c) {
    g.insertColumn(-1, "C" + std::to_string(c + 1), 80, "", types[c], kInputText, "", "", 0, "");
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    g.insertRow(-1);
    g.setCellStringData(static_cast<int>(r), 0, std::to_string(r));
    for (size_t c = 0; c < rows[r].size(); ++c) {
      g.setCellStringData(static_cast<int>(r), static_cast<int>(c + 1), rows[r][c]);
    }
  }
  return &g;
}

std::string Ids(const CGridModel& g) {
  std::string ids;
  for (int r = 0; r < g.getRowCount(); ++r) ids += (r ? "," : "") + g.getCellStringData(r, 0);
  return ids;
}

int Sort(CGridModel& g, int p1, int d1, int p2 = -1, int d2 = 0, int p3 = -1, int d3 = 0) {
  return SortMember(&g, nullptr, p1, d1, p2, d2, p3, d3);
}

TEST(SortTest, StringsSortInByteOrderWithEmptyFirst) {
  CGridModel g;
  Fill(g, {kDataString}, {{"A"}, {"9"}, {"가"}, {""}, {"10"}, {"a"}});
  EXPECT_EQ(Sort(g, 2, 0), 0);
  EXPECT_EQ(Ids(g), "3,4,1,0,5,2");  // "", "10", "9", "A", "a", "가"
  Sort(g, 2, 1);
  EXPECT_EQ(Ids(g), "2,5,0,1,4,3");
}

TEST(SortTest, PositionZeroOrUnsetKeysChangeNothing) {
  CGridModel g;
  Fill(g, {kDataString}, {{"b"}, {"a"}, {"c"}});
  EXPECT_EQ(Sort(g, 0, 0), 0);
  EXPECT_EQ(Sort(g, 9, 1, -1, 0, -5, 0), 0);
  EXPECT_EQ(Sort(g, -1, 0), 0);
  EXPECT_EQ(Ids(g), "0,1,2");
}

TEST(SortTest, NumericEmptyCellsCountAsZero) {
  CGridModel g;
  Fill(g, {kDataNumeric}, {{"5"}, {""}, {"-2"}, {""}, {"0.5"}, {"0"}});
  Sort(g, 2, 0);
  EXPECT_EQ(Ids(g), "2,1,3,5,4,0");
}

TEST(SortTest, DatesCompareBySerialNumber) {
  CGridModel g;
  Fill(g, {kDataDateTime}, {{"20070415"}, {"19991231"}, {"20070414"}});
  Sort(g, 2, 0);
  EXPECT_EQ(Ids(g), "1,2,0");
}

TEST(SortTest, LaterKeysOrderOnlyWithinEqualEarlierKeys) {
  CGridModel g;
  Fill(g, {kDataString, kDataNumeric, kDataString},
       {{"b", "2", "x"}, {"a", "3", "y"}, {"b", "1", "z"}, {"a", "3", "w"}, {"b", "2", "v"}});
  Sort(g, 2, 0, 3, 1);
  EXPECT_EQ(Ids(g), "1,3,0,4,2");  // a: 3,3; b: 2,2,1 (ties stay in order)
  Sort(g, 2, 0, 3, 1, 4, 0);
  EXPECT_EQ(Ids(g), "3,1,4,0,2");
  Sort(g, 2, 1, -1, 0, 4, 0);  // first and third key only
  EXPECT_EQ(Ids(g), "4,0,2,3,1");
}

TEST(SortTest, FilteredRowsSortAloneAndTheFullListKeepsItsOrder) {
  CGridModel g;
  Fill(g, {kDataNumeric}, {{"4"}, {"3"}, {"2"}, {"1"}});
  g.showFilteredRows({g.row(0), g.row(1), g.row(3)});
  Sort(g, 2, 0);
  EXPECT_EQ(Ids(g), "3,1,0");
  g.showAllRows();
  EXPECT_EQ(Ids(g), "0,1,2,3");
}

TEST(SortTest, RowsAreLaidOutInTheNewOrder) {
  CGridModel g;
  Fill(g, {kDataNumeric}, {{"2"}, {"1"}});
  g.setRowHeight(1, 40);
  Sort(g, 2, 0);
  EXPECT_EQ(g.row(0)->top, g.firstRowTop());
  EXPECT_EQ(g.row(0)->height, 40);
  EXPECT_EQ(g.row(1)->top, g.firstRowTop() + 40 + 3);
}

TEST(SortTest, ProgressReachesSetKeysTimesRows) {
  CGridModel g;
  Fill(g, {kDataString}, {{"b"}, {"a"}, {"c"}});
  platform::HeadlessProgressDialog progress;
  const SortKey keys[3] = {{2, 0}, {-1, 0}, {7, 1}};
  SortRows(&g, keys, &progress);
  EXPECT_EQ(progress.range(), 6);
  EXPECT_EQ(progress.position(), 6);
}

TEST(SortTest, MemberShowsItsProgressMessage) {
  std::ostringstream log;
  platform::HeadlessUserInterface ui(log);
  CGridModel g;
  Fill(g, {kDataString}, {{"b"}, {"a"}});
  EXPECT_EQ(SortMember(&g, &ui, 2, 0, -1, 0, -1, 0), 0);
  EXPECT_EQ(Ids(g), "1,0");
  EXPECT_EQ(log.str(), "DIALOG 잠시만 기다려 주십시오.: 데이터를 정렬 중 입니다.\n");
}

TEST(CompareRowsTest, FollowsTheColumnType) {
  CGridModel g;
  Fill(g, {kDataString, kDataNumeric}, {{"b", ""}, {"a", "-1"}});
  const CGridRow& r0 = *g.row(0);
  const CGridRow& r1 = *g.row(1);
  EXPECT_EQ(CompareRows(g, r0, r1, 1), 1);
  EXPECT_EQ(CompareRows(g, r1, r0, 1), -1);
  EXPECT_EQ(CompareRows(g, r0, r1, 2), 1);
  EXPECT_EQ(CompareRows(g, r0, r0, 2), 0);
  EXPECT_EQ(CompareRows(g, r0, r1, 3), 0);
  EXPECT_EQ(CompareRows(g, r0, r1, -1), 0);
}

// The exchange passes, one per set key, exactly as the sort is described.
std::vector<const CGridRow*> ExchangePasses(const CGridModel& g, const SortKey keys[3]) {
  std::vector<const CGridRow*> rows;
  for (int r = 0; r < g.getRowCount(); ++r) rows.push_back(g.row(r));
  std::vector<SortKey> used;
  for (int k = 0; k < 3; ++k) {
    if (keys[k].position != -1) used.push_back(keys[k]);
  }
  const size_t n = rows.size();
  for (size_t k = 0; k < used.size(); ++k) {
    for (size_t i = 0; i + 1 < n; ++i) {
      for (size_t j = i + 1; j < n; ++j) {
        bool equalBefore = true;
        for (size_t e = 0; e < k && equalBefore; ++e) {
          equalBefore = CompareRows(g, *rows[i], *rows[j], used[e].position - 1) == 0;
        }
        if (!equalBefore) continue;
        const int c = CompareRows(g, *rows[i], *rows[j], used[k].position - 1);
        if ((c == 1 && used[k].direction == 0) || (c == -1 && used[k].direction != 0)) {
          std::swap(rows[i], rows[j]);
        }
      }
    }
  }
  return rows;
}

TEST(SortTest, MatchesTheExchangePassesOnRandomGrids) {
  std::mt19937 random(20240601);
  const std::vector<std::string> texts = {"", "a", "b", "B", "10", "9", "가", "ab"};
  const std::vector<std::string> numbers = {"", "0", "1", "-1", "2.5", "1"};
  const std::vector<std::string> dates = {"", "20070415", "19991231", "20070414"};
  const std::vector<int> positions = {-1, 0, 1, 2, 3, 4, 5, 6};
  for (int round = 0; round < 400; ++round) {
    const int n = static_cast<int>(random() % 14);
    std::vector<std::vector<std::string>> cells(n);
    for (auto& row : cells) {
      row = {texts[random() % texts.size()], numbers[random() % numbers.size()],
             dates[random() % dates.size()], texts[random() % 3]};
    }
    CGridModel g;
    Fill(g, {kDataString, kDataNumeric, kDataDateTime, kDataString}, cells);
    SortKey keys[3];
    for (SortKey& key : keys) {
      key = {positions[random() % positions.size()], static_cast<int>(random() % 3)};
    }
    const std::vector<const CGridRow*> expected = ExchangePasses(g, keys);
    std::vector<const CGridRow*> before;
    for (int r = 0; r < n; ++r) before.push_back(g.row(r));
    SortRows(&g, keys, nullptr);
    for (int r = 0; r < n; ++r) {
      for (const SortKey& key : keys) {
        if (key.position == -1) continue;
        ASSERT_EQ(CompareRows(g, *g.row(r), *expected[r], key.position - 1), 0)
            << "round " << round << " row " << r;
      }
      // Rows equal on every key keep their order.
      for (int s = r + 1; s < n; ++s) {
        bool equal = true;
        for (const SortKey& key : keys) {
          if (key.position != -1) {
            equal = equal && CompareRows(g, *g.row(r), *g.row(s), key.position - 1) == 0;
          }
        }
        if (equal) {
          ASSERT_LT(std::find(before.begin(), before.end(), g.row(r)),
                    std::find(before.begin(), before.end(), g.row(s)));
        }
      }
    }
  }
}

class SortDialogTest : public ::testing::Test {
 protected:
  SortDialogTest() : ui(log) {
    Fill(grid, {kDataString, kDataNumeric}, {{"b", "1"}, {"a", "3"}, {"c", "2"}});
  }
  std::ostringstream log;
  platform::HeadlessUserInterface ui;
  CGridModel grid;
};

TEST_F(SortDialogTest, ListsStartWithChooseAndNoneThenTheLabels) {
  CGridSortDlg dlg(&grid, &ui);
  EXPECT_EQ(dlg.items(1), (std::vector<std::string>{"선택하세요", "(없음)", "Id", "C1", "C2"}));
  EXPECT_EQ(dlg.selection(1), 0);
  dlg.SelectColumn(1, 3);
  EXPECT_EQ(dlg.items(1).front(), "(없음)");
  EXPECT_EQ(dlg.selection(1), 2);
  dlg.SelectColumn(2, 0);  // "선택하세요" itself: removed, nothing selected
  EXPECT_EQ(dlg.selection(2), -1);
}

TEST_F(SortDialogTest, DuplicateColumnResetsTheChangedBox) {
  CGridSortDlg dlg(&grid, &ui);
  dlg.SelectColumn(0, 3);
  dlg.SelectColumn(2, 3);
  EXPECT_EQ(dlg.selection(2), 0);
  EXPECT_EQ(dlg.selection(0), 2);
  EXPECT_EQ(log.str(), "DIALOG Microsoft Internet Explorer: 선택한 컬럼이 중복되었습니다.\n");
  dlg.SelectColumn(1, 1);  // "(없음)" never counts as a duplicate
  dlg.SelectColumn(2, 0);
  EXPECT_EQ(log.str(), "DIALOG Microsoft Internet Explorer: 선택한 컬럼이 중복되었습니다.\n");
}

TEST_F(SortDialogTest, OkWithoutFirstKeyRefuses) {
  CGridSortDlg dlg(&grid, &ui);
  dlg.SelectColumn(1, 3);
  EXPECT_FALSE(dlg.Ok());
  dlg.SelectColumn(0, 1);
  EXPECT_FALSE(dlg.Ok());
  EXPECT_EQ(Ids(grid), "0,1,2");
  EXPECT_EQ(log.str(),
            "DIALOG Microsoft Internet Explorer: 정렬을 위한 컬럼이 지정되지 않았습니다.\n"
            "DIALOG Microsoft Internet Explorer: 정렬을 위한 컬럼이 지정되지 않았습니다.\n");
}

TEST_F(SortDialogTest, OkSortsUnderTheModalProgress) {
  CGridSortDlg dlg(&grid, &ui);
  dlg.SelectColumn(0, 4);
  dlg.SetDirection(0, 1);
  EXPECT_TRUE(dlg.Ok());
  EXPECT_EQ(Ids(grid), "1,2,0");
  EXPECT_EQ(log.str(), "DIALOG 잠시만 기다려 주십시오.: 데이터를 정렬 중입니다.\n");
}

TEST_F(SortDialogTest, AnswerSetsTheControlsThenPressesOk) {
  ui.QueueAnswer("key1=1;dir1=desc;key2=none;key3=x;bogus=3");
  CGridSortDlg dlg(&grid, &ui);
  EXPECT_EQ(dlg.DoModal(), CGridSortDlg::kIdOk);
  EXPECT_EQ(Ids(grid), "2,0,1");
  EXPECT_EQ(dlg.selection(1), 0);
  EXPECT_EQ(log.str(),
            "DIALOG 정렬: columns: 0=Id, 1=C1, 2=C2\n"
            "DIALOG 잠시만 기다려 주십시오.: 데이터를 정렬 중입니다.\n");
}

TEST_F(SortDialogTest, RefusedOkAsksOnceMore) {
  ui.QueueAnswer("dir1=desc;key2=1");
  ui.QueueAnswer("ok");  // the message box
  ui.QueueAnswer("key1=2");
  CGridSortDlg dlg(&grid, &ui);
  EXPECT_EQ(dlg.DoModal(), CGridSortDlg::kIdOk);
  EXPECT_EQ(Ids(grid), "1,2,0");
  EXPECT_NE(log.str().find("지정되지 않았습니다.\nDIALOG 정렬: "), std::string::npos);
}

TEST_F(SortDialogTest, CancelOrNoAnswerSortsNothing) {
  ui.QueueAnswer("cancel");
  EXPECT_EQ(CGridSortDlg(&grid, &ui).DoModal(), CGridSortDlg::kIdCancel);
  EXPECT_EQ(CGridSortDlg(&grid, &ui).DoModal(), CGridSortDlg::kIdCancel);
  ui.QueueAnswer("key2=0");
  ui.QueueAnswer("ok");
  ui.QueueAnswer("key1=0");  // the duplicate of key2: reset, refused again
  EXPECT_EQ(CGridSortDlg(&grid, &ui).DoModal(), CGridSortDlg::kIdCancel);
  EXPECT_EQ(Ids(grid), "0,1,2");
  EXPECT_EQ(ui.PendingAnswers(), 0u);
}

TEST(SortTest, KeysAtTheEndsOfTheIntegerRangeOrderNothing) {
  CGridModel g;
  Fill(g, {kDataString, kDataNumeric}, {{"b", "2"}, {"a", "3"}, {"c", "1"}});
  Sort(g, -2147483647 - 1, 0);
  EXPECT_EQ(Ids(g), "0,1,2");
  Sort(g, 2147483647, 1, -2147483647 - 1, 1);
  EXPECT_EQ(Ids(g), "0,1,2");
  Sort(g, -2147483647 - 1, 0, 3, 0);  // the numeric key still applies
  EXPECT_EQ(Ids(g), "2,0,1");
}

}  // namespace
}  // namespace maltrove
