// Pointer and keyboard input on the grid's window: focus, selection,
// resizing, the context menu, events with their arguments and order, the
// editors with their close requests, composition, and the state reset.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/headless_ui.h"
#include "window/context_menu.h"
#include "window/fake_window.h"
#include "window/grid_wnd.h"

namespace maltrove {
namespace {

using platform::kKeyControl;
using platform::kKeyShift;

class RecordingEvents : public GridEvents {
 public:
  void onCellFocused(int r, int c) override { Add("focus", r, c); }
  void onClickCellButton(int r, int c) override { Add("button", r, c); }
  void onClickCellRadio(int r, int c, int on) override { Add("radio", r, c, on); }
  void onClickCellCheckbox(int r, int c, int on) override { Add("check", r, c, on); }
  void onCellValueChanged(int r, int c, const std::string& d) override {
    log.push_back("changed " + std::to_string(r) + "," + std::to_string(c) + " " + d);
  }
  void onClickColumnHeader(int c) override { Add("header", c); }
  void onClickCell(int r, int c) override { Add("click", r, c); }
  void onDblClickRowHeader(int r) override { Add("dblrow", r); }
  void onDblClickColHeader(int c) override { Add("dblcol", c); }
  void onClickCombo(int r, int c, const std::string& d, const std::string& v) override {
    log.push_back("combo " + std::to_string(r) + "," + std::to_string(c) + " " + d + "/" + v);
    if (handler) handler(r, c);
  }
  std::string Joined() const {
    std::string all;
    for (const std::string& e : log) all += (all.empty() ? "" : "; ") + e;
    return all;
  }
  std::vector<std::string> log;
  std::function<void(int, int)> handler;

 private:
  void Add(const char* name, int a, int b = -99, int c = -99) {
    std::string e = std::string(name) + " " + std::to_string(a);
    if (b != -99) e += "," + std::to_string(b);
    if (c != -99) e += "," + std::to_string(c);
    log.push_back(e);
  }
};

class InputTest : public ::testing::Test {
 protected:
  InputTest() : ui_(uiLog_), window_({640, 480}) {
    wnd_.setEvents(&events_);
    wnd_.setUserInterface(&ui_);
  }
  ~InputTest() override { wnd_.Attach(nullptr); }
  void Build(int columns, int rows, int inputType = kInputText, int dataType = kDataString) {
    for (int c = 0; c < columns; ++c) {
      model().insertColumn(-1, "C" + std::to_string(c), 100, "", dataType, inputType, "", "", 0, "");
    }
    for (int r = 0; r < rows; ++r) model().insertRow(-1);
    wnd_.Attach(&window_);
    events_.log.clear();
  }
  CGridModel& model() { return wnd_.model(); }
  static int X(int col) { return 65 + col * 103 + 50; }
  static int Y(int row) { return 26 + row * 23 + 10; }
  void Click(int x, int y, int keys = 0) {
    wnd_.OnMouseDown(x, y, keys);
    wnd_.OnMouseUp(x, y, keys);
  }
  void Key(int key, int keys = 0) {
    wnd_.OnKeyDown(key, keys);
    window_.DeliverPosted(wnd_);
  }
  // A key typed into the open editor.
  void EditorKey(int key, int keys = 0) {
    ASSERT_NE(window_.editor, nullptr);
    window_.editor->listener->OnEditorKey(key, keys);
    window_.DeliverPosted(wnd_);
  }

  std::ostringstream uiLog_;
  platform::HeadlessUserInterface ui_;
  RecordingEvents events_;
  CGridWnd wnd_;
  testing::FakeWindow window_;
};

TEST_F(InputTest, SetFocusCellClampsButReportsTheArgumentsAsPassed) {
  Build(2, 2);
  wnd_.setFocusCell(1, 1);
  events_.log.clear();
  wnd_.setFocusCell(-1, -1);
  EXPECT_EQ(model().focusedRow(), 0);
  EXPECT_EQ(model().focusedCol(), 0);
  EXPECT_EQ(events_.Joined(), "focus -1,-1");
}

TEST_F(InputTest, AClickOnAnUnfocusedRadioCellFocusesThenSwitchesItOn) {
  Build(2, 3, kInputRadio);
  wnd_.OnMouseDown(X(1), Y(2), 0);
  EXPECT_EQ(events_.Joined(), "focus 2,1");
  wnd_.OnMouseUp(X(1), Y(2), 0);
  EXPECT_EQ(events_.Joined(), "focus 2,1; click 2,1; radio 2,1,1");
  EXPECT_EQ(model().getCellChecked(2, 1), 1);
  EXPECT_EQ(window_.editorsCreated, 0);
}

TEST_F(InputTest, AReadOnlyCheckBoxFiresOnlyTheClick) {
  Build(1, 2, kInputCheckBox);
  model().setColumnReadOnly(0, 1);
  Click(X(0), Y(1));
  EXPECT_EQ(events_.Joined(), "focus 1,0; click 1,0");
  EXPECT_EQ(model().getCellChecked(1, 0), 0);
}

TEST_F(InputTest, ButtonCellsFireTheirEventAndCheckBoxesToggle) {
  Build(1, 1, kInputButton);
  Click(X(0), Y(0));
  EXPECT_EQ(events_.Joined(), "focus 0,0; click 0,0; button 0,0");
}

TEST_F(InputTest, ColumnBordersResizeDownToTwentyPixels) {
  Build(2, 2);
  model().setEnableColumnResize(1);
  const int border = 65 + 100 + 1;  // on column 0's right edge, in the header
  wnd_.OnMouseMove(border, 10, 0, false);
  EXPECT_EQ(window_.cursor, platform::CursorShape::kSizeHorizontal);
  wnd_.OnMouseDown(border, 10, 0);
  EXPECT_EQ(wnd_.pressKind(), kHitColumnBorder);
  wnd_.OnMouseMove(border - 81, 10, 0, true);
  EXPECT_EQ(model().getColumnWidth(0), 100) << "19 pixels is refused";
  wnd_.OnMouseUp(border - 81, 10, 0);
  wnd_.OnMouseDown(border, 10, 0);
  wnd_.OnMouseMove(border - 80, 10, 0, true);
  EXPECT_EQ(model().getColumnWidth(0), 20);
  wnd_.OnMouseUp(border - 80, 10, 0);
  // Without the resize switch the border is only a header.
  model().setEnableColumnResize(0);
  wnd_.OnMouseMove(65 + 20 + 1, 10, 0, false);
  EXPECT_EQ(window_.cursor, platform::CursorShape::kArrow);
}

TEST_F(InputTest, RowBordersResizeOnlyWhenAllowedAndNotBelowSixteen) {
  Build(1, 3);
  const int y = 26 + 20 + 1;  // row 0's bottom edge
  wnd_.OnMouseDown(30, y, 0);
  wnd_.OnMouseMove(30, y + 10, 0, true);
  wnd_.OnMouseUp(30, y + 10, 0);
  EXPECT_EQ(model().getRowHeight(0), 20) << "row resizing is off by default";
  model().setEnableRowResize(1);
  wnd_.OnMouseDown(30, y, 0);
  wnd_.OnMouseMove(30, y - 5, 0, true);
  EXPECT_EQ(model().getRowHeight(0), 20) << "15 pixels is refused";
  wnd_.OnMouseMove(30, y - 4, 0, true);
  EXPECT_EQ(model().getRowHeight(0), 21);
  wnd_.OnMouseUp(30, y - 4, 0);
}

TEST_F(InputTest, ShiftExtendsCtrlAddsAndDraggingSelectsARectangle) {
  Build(4, 5);
  Click(X(1), Y(1));
  Click(X(2), Y(3), kKeyShift);
  EXPECT_EQ(model().selection().size(), 6u);
  EXPECT_EQ(model().isSelected(3, 2), 1);
  EXPECT_EQ(model().isSelected(1, 1), 1);
  EXPECT_EQ(model().focusedRow(), 1) << "Shift keeps the focus";
  Click(X(3), Y(0), kKeyControl);
  EXPECT_EQ(model().selection().size(), 7u);
  Click(X(0), Y(0));
  EXPECT_EQ(model().selection().size(), 1u);

  wnd_.OnMouseDown(X(0), Y(0), 0);
  wnd_.OnMouseMove(X(1), Y(2), 0, true);
  EXPECT_EQ(model().selection().size(), 6u);
  wnd_.OnMouseMove(X(0), Y(1), 0, true);
  EXPECT_EQ(model().selection().size(), 2u) << "the rectangle follows the pointer";
  wnd_.OnMouseUp(X(0), Y(1), 0);
}

TEST_F(InputTest, HeaderPressesSelectWholeColumnsAndRows) {
  Build(3, 3);
  wnd_.OnMouseDown(X(2), 10, 0);
  wnd_.OnMouseUp(X(2), 10, 0);
  EXPECT_EQ(events_.Joined(), "focus -1,2; header 2");
  EXPECT_EQ(model().focusedRow(), 0);
  EXPECT_EQ(model().isSelected(2, 2), 1);
  EXPECT_EQ(model().isSelected(2, 1), 0);
  events_.log.clear();
  wnd_.OnDoubleClick(30, Y(1), 0);
  wnd_.OnDoubleClick(X(1), 10, 0);
  EXPECT_EQ(events_.Joined(), "dblrow 1; dblcol 1");
}

TEST_F(InputTest, KeysMoveTheFocusAndSkipHiddenColumns) {
  Build(4, 3);
  model().setColumnVisible(2, 0);
  wnd_.setFocusCell(0, 0);
  Key(platform::kVkTab, kKeyShift);
  EXPECT_EQ(model().focusedCol(), 0) << "Shift+Tab on the first visible column stays";
  Key(platform::kVkTab);
  Key(platform::kVkTab);
  EXPECT_EQ(model().focusedCol(), 3) << "Tab skips the hidden column";
  Key(platform::kVkReturn);
  Key(platform::kVkReturn);
  Key(platform::kVkReturn);
  EXPECT_EQ(model().focusedRow(), 2) << "Enter stops at the last row";
  Key(platform::kVkReturn, kKeyShift);
  EXPECT_EQ(model().focusedRow(), 1);
  Key(platform::kVkHome, kKeyControl);
  EXPECT_EQ(model().focusedRow(), 0);
  EXPECT_EQ(model().focusedCol(), 0);
  Key(platform::kVkEnd, kKeyControl);
  EXPECT_EQ(model().focusedRow(), 2);
  EXPECT_EQ(model().focusedCol(), 3);
  Key(platform::kVkLeft);
  EXPECT_EQ(model().focusedCol(), 1);
  ASSERT_EQ(model().selection().size(), 1u);
  EXPECT_EQ(model().isSelected(2, 1), 1);
}

TEST_F(InputTest, PageDownAtTheBottomFocusesTheLastRow) {
  Build(1, 100);
  wnd_.setFocusCell(0, 0);
  Key(platform::kVkNext);
  EXPECT_GT(model().focusedRow(), 5);
  EXPECT_GT(wnd_.scroll().vertical, 0);
  for (int i = 0; i < 20; ++i) Key(platform::kVkNext);
  EXPECT_EQ(model().focusedRow(), 99);
  Key(platform::kVkPrior);
  EXPECT_LT(model().focusedRow(), 99);
}

TEST_F(InputTest, TheContextMenuFollowsItsLevel) {
  Build(2, 3);
  model().style().contextMenuLevel = 0;
  wnd_.OnRightClick(X(0), Y(1), 0);
  EXPECT_EQ(uiLog_.str(), "") << "no menu on a cell at level 0";
  ui_.QueueAnswer("cancel");
  wnd_.OnRightClick(X(0), 10, 0);
  EXPECT_NE(uiLog_.str().find("DIALOG menu: 찾기|정렬|필터링|[필터링 보기 취소]|-|버전정보"),
            std::string::npos)
      << uiLog_.str();
  uiLog_.str("");
  model().style().contextMenuLevel = -1;
  wnd_.OnRightClick(X(0), 10, 0);
  EXPECT_EQ(uiLog_.str(), "");
}

TEST_F(InputTest, DeletingRowsKeepsReadOnlyRows) {
  Build(1, 4);
  model().style().contextMenuLevel = 1;
  for (int r = 0; r < 4; ++r) model().setCellStringData(r, 0, "r" + std::to_string(r));
  model().setRowReadOnly(1, 1);
  model().addSelection(0, -1);
  model().addSelection(1, -1);
  model().addSelection(2, -1);
  ui_.QueueAnswer("삭제");
  wnd_.OnRightClick(30, Y(1), 0);
  ASSERT_EQ(model().getRowCount(), 2);
  EXPECT_EQ(model().getCellStringData(0, 0), "r1");
  EXPECT_EQ(model().getCellStringData(1, 0), "r3");
  EXPECT_TRUE(model().selection().empty());
}

TEST_F(InputTest, EscapeLeavesTheCellAndFiresNothing) {
  Build(1, 2);
  model().setCellStringData(0, 0, "old");
  wnd_.setFocusCell(0, 0);
  events_.log.clear();
  Key(platform::kVkF2);
  ASSERT_NE(window_.editor, nullptr);
  EXPECT_EQ(window_.editor->request.text, "old");
  EXPECT_TRUE(window_.editor->focused);
  window_.editor->text = "new";
  EditorKey(platform::kVkEscape);
  EXPECT_EQ(window_.editor, nullptr);
  EXPECT_EQ(model().getCellStringData(0, 0), "old");
  EXPECT_EQ(events_.Joined(), "");
}

TEST_F(InputTest, EnterCommitsAndMovesDownShiftEnterUpTabRight) {
  Build(3, 3);
  model().setColumnVisible(1, 0);
  wnd_.setFocusCell(1, 0);
  events_.log.clear();
  Key(platform::kVkF2);
  window_.editor->text = "가나";
  EditorKey(platform::kVkReturn);
  EXPECT_EQ(model().getCellStringData(1, 0), "가나");
  EXPECT_EQ(events_.Joined(), "changed 1,0 가나; focus 2,0");
  Key(platform::kVkF2);
  window_.editor->text = "x";
  EditorKey(platform::kVkReturn, kKeyShift);
  EXPECT_EQ(model().focusedRow(), 1);
  Key(platform::kVkF2);
  EditorKey(platform::kVkTab);
  EXPECT_EQ(model().focusedCol(), 2) << "Tab skips the hidden column";
  EXPECT_EQ(model().isSelected(1, 2), 1);
}

TEST_F(InputTest, AnEditorClosedWithoutAChangeLeavesTheCellUnedited) {
  Build(1, 2);
  model().setCellStringData(0, 0, "same");
  model().clearStatus(3);
  wnd_.setFocusCell(0, 0);
  events_.log.clear();
  Key(platform::kVkF2);
  EditorKey(platform::kVkReturn);
  EXPECT_EQ(events_.Joined(), "focus 1,0");
  EXPECT_EQ(model().isCellEdited(0, 0), 0);
}

TEST_F(InputTest, ARefusedValueShowsTheMessageAndKeepsTheOldValue) {
  Build(1, 1, kInputText, kDataNumeric);
  model().setCellStringData(0, 0, "5");
  wnd_.setFocusCell(0, 0);
  Key(platform::kVkF2);
  window_.editor->text = "12a";
  EditorKey(platform::kVkReturn);
  EXPECT_NE(uiLog_.str().find("해당 값을 입력할 수 없습니다."), std::string::npos);
  EXPECT_EQ(model().getCellStringData(0, 0), "5");
}

TEST_F(InputTest, TypingOnANumericCellFiltersCharactersAtTheCaret) {
  Build(1, 1, kInputText, kDataNumeric);
  wnd_.setFocusCell(0, 0);
  wnd_.OnChar("a", 0);
  ASSERT_NE(window_.editor, nullptr) << "typing opens the editor";
  EXPECT_EQ(window_.editor->text, "") << "but 'a' is refused";
  window_.editor->Key("-");
  window_.editor->Key("1");
  window_.editor->Key("-");
  window_.editor->Key("2");
  EXPECT_EQ(window_.editor->text, "-12");
  EditorKey(platform::kVkReturn);
  EXPECT_EQ(model().getCellStringData(0, 0), "-12");
}

TEST_F(InputTest, BackspaceFirstEmptiesTheCell) {
  Build(1, 1);
  model().setCellStringData(0, 0, "abc");
  wnd_.setFocusCell(0, 0);
  Key(platform::kVkBack);
  EXPECT_EQ(model().getCellStringData(0, 0), "");
  ASSERT_NE(window_.editor, nullptr);
  EXPECT_EQ(window_.editor->request.text, "");
}

TEST_F(InputTest, CompositionOpensTheEditorWithoutTakingTheFocusUntilCommit) {
  Build(1, 1);
  model().setCellStringData(0, 0, "abc");
  wnd_.setFocusCell(0, 0);
  wnd_.OnComposition("ㅎ", "");
  ASSERT_NE(window_.editor, nullptr);
  EXPECT_FALSE(window_.editor->focused) << "the focus stays while composing";
  wnd_.OnComposition("하", "");
  wnd_.OnComposition("한", "");
  wnd_.OnComposition("ㄱ", "한");
  EXPECT_FALSE(window_.editor->focused) << "the next syllable is still composing";
  wnd_.OnComposition("그", "");
  wnd_.OnComposition("글", "");
  wnd_.OnComposition("", "글");
  EXPECT_TRUE(window_.editor->focused);
  EXPECT_EQ(window_.editorsCreated, 1);
  EXPECT_EQ(window_.editor->text, "한글");
  EditorKey(platform::kVkReturn);
  EXPECT_EQ(model().getCellStringData(0, 0), "한글");
}

TEST_F(InputTest, TheComboHandlersOwnListIsShown) {
  Build(1, 2, kInputSelect);
  model().setColumnCombo(0, "서울;부산", "S;B");
  events_.handler = [&](int r, int c) { model().modifyCombo(r, c, "하나;둘", "1;2"); };
  wnd_.setFocusCell(1, 0);
  events_.log.clear();
  Key(platform::kVkF2);
  ASSERT_NE(window_.editor, nullptr);
  EXPECT_EQ(events_.log.at(0), "combo 1,0 /");
  ASSERT_EQ(window_.editor->request.items.size(), 2u);
  EXPECT_EQ(window_.editor->request.items[0], "하나");
  window_.editor->selected = 1;
  window_.editor->listener->OnEditorListClosed(true);
  window_.DeliverPosted(wnd_);
  EXPECT_EQ(model().getCellStringData(1, 0), "2");
}

TEST_F(InputTest, ReadOnlyCellsOpenNoEditor) {
  Build(1, 1);
  model().setColumnReadOnly(0, -1);  // the row decides
  model().setRowReadOnly(0, 1);
  wnd_.setFocusCell(0, 0);
  Key(platform::kVkF2);
  wnd_.OnChar("x", 0);
  EXPECT_EQ(window_.editorsCreated, 0);
}

TEST_F(InputTest, TheStateResetDropsFocusFilterEditorAndStatus) {
  Build(1, 3);
  model().setCellStringData(0, 0, "a");
  model().showFilteredRows({model().allRow(0)});
  wnd_.setFocusCell(0, 0);
  Key(platform::kVkF2);
  ASSERT_NE(window_.editor, nullptr);
  wnd_.ResetState();
  EXPECT_EQ(window_.editor, nullptr);
  EXPECT_EQ(model().focusedRow(), -1);
  EXPECT_FALSE(model().isFiltered());
  EXPECT_EQ(model().getRowCount(), 3);
  EXPECT_EQ(model().isModified(), 0);
}

// ---- the menu's build rules -------------------------------------------------------------

std::string Listed(const std::vector<platform::MenuItem>& items) {
  std::string text;
  for (const auto& item : items) {
    if (!text.empty()) text += "|";
    text += item.command == 0 ? "-" : (item.enabled ? "" : "!") + item.text.substr(0, item.text.find('\t'));
  }
  return text;
}

TEST(ContextMenuTest, BuildRulesAndEnableRules) {
  MenuContext c;
  c.level = 1;
  EXPECT_EQ(Listed(BuildContextMenu(c)), "!복사|!잘라내기|!붙여넣기|!내용 지우기|-|버전정보");
  c.onRowHeader = true;
  c.selectionEmpty = false;
  c.clipboardHasText = true;
  c.hasFocus = true;
  EXPECT_EQ(Listed(BuildContextMenu(c)), "복사|잘라내기|붙여넣기|삽입|삭제|내용 지우기|-|버전정보");
  c.filtered = true;
  EXPECT_EQ(Listed(BuildContextMenu(c)), "복사|잘라내기|붙여넣기|!삽입|삭제|내용 지우기|-|버전정보");
  c.onRowHeader = false;
  c.onColumnHeader = true;
  EXPECT_EQ(Listed(BuildContextMenu(c)),
            "복사|잘라내기|붙여넣기|내용 지우기|-|찾기|정렬|필터링|필터링 보기 취소|-|버전정보");
  c.level = 0;
  EXPECT_EQ(Listed(BuildContextMenu(c)), "찾기|정렬|필터링|필터링 보기 취소|-|버전정보");
  c.level = -1;
  EXPECT_TRUE(BuildContextMenu(c).empty());
}

}  // namespace
}  // namespace maltrove
