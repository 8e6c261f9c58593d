#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ops/find_dialog.h"
#include "ops/grid_find.h"
#include "platform/headless_ui.h"

namespace maltrove {
namespace {

class FocusLog : public GridEvents {
 public:
  void onCellFocused(int row, int col) override { focused.emplace_back(row, col); }
  void onClickCellButton(int, int) override {}
  void onClickCellRadio(int, int, int) override {}
  void onClickCellCheckbox(int, int, int) override {}
  void onCellValueChanged(int, int, const std::string&) override {}
  void onClickColumnHeader(int) override {}
  void onClickCell(int, int) override {}
  void onDblClickRowHeader(int) override {}
  void onDblClickColHeader(int) override {}
  void onClickCombo(int, int, const std::string&, const std::string&) override {}
  std::vector<std::pair<int, int>> focused;
};

// A 4 x 3 grid of empty text cells.
class FindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int c = 0; c < 3; ++c) {
      g().insertColumn(-1, "", 80, "", kDataString, kInputText, "", "", -1, "");
    }
    for (int r = 0; r < 4; ++r) g().insertRow(-1);
    wnd.setEvents(&events);
  }
  CGridModel& g() { return wnd.model(); }
  std::optional<CellPosition> Find(const std::string& text, bool down = true) {
    FindOptions o;
    o.text = text;
    o.down = down;
    return FindCell(g(), o);
  }
  void Answer(std::initializer_list<const char*> answers) {
    for (const char* a : answers) ui.QueueAnswer(a);
  }

  CGridWnd wnd;
  FocusLog events;
  std::ostringstream log;
  platform::HeadlessUserInterface ui{log};
};

TEST_F(FindTest, DownLooksAtTheRestOfTheFocusedRowFirst) {
  g().setCellStringData(0, 2, "x");
  g().setCellStringData(1, 0, "x");
  g().setFocus(0, 1);
  EXPECT_EQ(Find("x"), (CellPosition{0, 2}));
  g().setFocus(0, 2);
  EXPECT_EQ(Find("x"), (CellPosition{1, 0}));
}

TEST_F(FindTest, UpLooksAtColumnZeroBeforeThePreviousRow) {
  g().setCellStringData(1, 0, "x");
  g().setCellStringData(0, 2, "x");
  g().setFocus(1, 1);
  EXPECT_EQ(Find("x", false), (CellPosition{1, 0}));
  g().setFocus(1, 0);
  EXPECT_EQ(Find("x", false), (CellPosition{0, 2}));
}

TEST_F(FindTest, NoFocusStartsAtTheFirstOrLastCell) {
  g().setCellStringData(0, 0, "x");
  g().setCellStringData(3, 2, "x");
  EXPECT_EQ(Find("x"), (CellPosition{0, 0}));
  EXPECT_EQ(Find("x", false), (CellPosition{3, 2}));
  g().setFocus(3, 2);
  EXPECT_EQ(Find("x"), std::nullopt);  // the focused cell itself is not found again
}

TEST_F(FindTest, HiddenColumnsAndEmptyTextNeverMatch) {
  g().setCellStringData(0, 1, "x");
  g().setColumnVisible(1, 0);
  EXPECT_EQ(Find("x"), std::nullopt);
  EXPECT_EQ(Find(""), std::nullopt);
}

TEST_F(FindTest, WholeCellAndCaseOptions) {
  g().setCellStringData(0, 0, "abcd");
  g().setCellStringData(2, 1, "ABC");
  FindOptions o{"abc", true, false, true};
  EXPECT_EQ(FindCell(g(), o), (CellPosition{2, 1}));  // case ignored, "abcd" is not whole
  o.matchCase = true;
  EXPECT_EQ(FindCell(g(), o), std::nullopt);
  o.wholeCell = false;
  EXPECT_EQ(FindCell(g(), o), (CellPosition{0, 0}));
  EXPECT_TRUE(FindMatches("서울특별시", {"특별", true, false, false}));
}

TEST_F(FindTest, SearchesOnlyTheFilteredRows) {
  g().setCellStringData(1, 0, "x");
  g().setCellStringData(2, 0, "x");
  g().showFilteredRows({g().allRow(2), g().allRow(3)});
  EXPECT_EQ(Find("x"), (CellPosition{0, 0}));  // table row 2, now row 0
  g().setFocus(0, 0);
  EXPECT_EQ(Find("x"), std::nullopt);
}

TEST_F(FindTest, DialogEnablesFindNextForNonBlankTextAndDropsASingleFocusSelection) {
  g().setFocus(1, 1);
  g().addSelection(1, 1);
  CGridFindDlg dlg(&wnd, &ui);
  dlg.OnInitDialog();
  EXPECT_TRUE(g().selection().empty());
  dlg.SetText("  ");
  EXPECT_FALSE(dlg.IsFindNextEnabled());
  dlg.PressEnter();  // disabled: no search, no question
  EXPECT_EQ(log.str(), "");
  dlg.ApplyAnswer("text= a;;b ;dir=up;case=1;whole=1");
  EXPECT_EQ(dlg.text(), " a;b ");  // kept untrimmed
  EXPECT_EQ(dlg.Description(), "text= a;;b ;dir=up;case=1;whole=1;findEnabled=1");
}

TEST_F(FindTest, YesRestartsAtTheFirstCellAfterFocusingMinusOne) {
  g().setCellStringData(0, 0, "x");
  g().setCellStringData(2, 1, "x");
  Answer({"text=x;find;find"});
  RunFindCommand(&wnd, &ui);
  EXPECT_EQ(events.focused, (std::vector<std::pair<int, int>>{{0, 0}, {2, 1}}));
  Answer({"find"});
  RunFindCommand(&wnd, &ui);  // a new dialog: the text is not remembered
  EXPECT_EQ(events.focused.size(), 2u);
  CGridFindDlg dlg(&wnd, &ui);
  dlg.SetText("x");
  ui.QueueAnswer("yes");
  dlg.FindNext();
  EXPECT_EQ(events.focused, (std::vector<std::pair<int, int>>{{0, 0}, {2, 1}, {-1, -1}, {0, 0}}));
  EXPECT_NE(log.str().find("DIALOG Microsoft Internet Explorer: 더 이상 찾을 수 없습니다. "
                           "처음부터 다시 검색하시겠습니까?"),
            std::string::npos);
  EXPECT_EQ(ui.PendingAnswers(), 0u);
}

TEST_F(FindTest, UpwardRestartAsksFromTheEndAndStartsAtTheLastCell) {
  g().setCellStringData(3, 2, "x");
  g().setFocus(3, 2);
  CGridFindDlg dlg(&wnd, &ui);
  dlg.SetText("x");
  dlg.SetDirection(CGridFindDlg::kDirectionUp);
  ui.QueueAnswer("yes");
  dlg.FindNext();
  EXPECT_EQ(events.focused, (std::vector<std::pair<int, int>>{{-1, -1}, {3, 2}}));
  EXPECT_NE(log.str().find("마지막부터"), std::string::npos);
}

TEST_F(FindTest, NoKeepsTheDialogOpenCancelClosesIt) {
  Answer({"text=zzz;find", "no", "find", "cancel", "never read"});
  RunFindCommand(&wnd, &ui);
  EXPECT_EQ(ui.PendingAnswers(), 1u);
  EXPECT_TRUE(events.focused.empty());
}

TEST_F(FindTest, NothingAnywhereAsksOnceEvenWhenEveryAnswerIsYes) {
  CGridFindDlg dlg(&wnd, &ui);
  dlg.SetText("zzz");
  dlg.FindNext();  // an empty queue answers the question "ok", that is yes
  EXPECT_FALSE(dlg.closed());
  EXPECT_TRUE(events.focused.empty());
}

TEST_F(FindTest, ContextMenuLevelMinusOneOpensNothing) {
  g().style().contextMenuLevel = -1;
  RunFindCommand(&wnd, &ui);
  EXPECT_EQ(log.str(), "");
  g().style().contextMenuLevel = 0;
  RunFindCommand(&wnd, &ui);
  EXPECT_NE(log.str().find("DIALOG 찾기: text=;dir=down;case=0;whole=0;findEnabled=0"),
            std::string::npos);
}

}  // namespace
}  // namespace maltrove
