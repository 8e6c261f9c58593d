#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ops/clipboard_text.h"
#include "ops/grid_clipboard.h"
#include "platform/memory_clipboard.h"

namespace maltrove {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(ClipboardTextTest, QuotesOnlyValuesWithTabsLineBreaksOrQuotes) {
  std::string out;
  for (const char* v : {"plain", "a\tb", "l1\nl2", "say \"hi\"", "", "r\r"}) {
    AppendClipboardField(out, v);
    out += '|';
  }
  EXPECT_EQ(out, "plain|\"a\tb\"|\"l1\nl2\"|\"say \"\"hi\"\"\"||\"r\r\"|");
}

TEST(ClipboardTextTest, ReadsSpreadsheetQuotingAndKeepsStrayQuotes) {
  EXPECT_EQ(ParseClipboardText("\"a\tb\"\tc\r\n\"x\r\ny\"\"\"\t"),
            (Rows{{"a\tb", "c"}, {"x\r\ny\"", ""}}));
  // Not closed by a quote before a separator: taken as it stands.
  EXPECT_EQ(ParseClipboardText("\"quoted\" word\t\"open"), (Rows{{"\"quoted\" word", "\"open"}}));
  EXPECT_EQ(ParseClipboardText("a\nb\r\n"), (Rows{{"a"}, {"b"}, {""}}));
  EXPECT_EQ(ParseClipboardText("a\rb"), (Rows{{"a\rb"}}));
}

// Columns: 0 text, 1 text, 2 numeric, 3 checkBox, 4 radio, 5 button; 3 rows.
class GridClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g.insertColumn(-1, "", 80, "", kDataString, kInputText, "", "", -1, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputMultiLine, "", "", -1, "");
    g.insertColumn(-1, "", 80, "", kDataNumeric, kInputText, "", "", -1, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputCheckBox, "", "", -1, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputRadio, "", "", -1, "");
    g.insertColumn(-1, "", 80, "", kDataString, kInputButton, "", "", -1, "");
    for (int r = 0; r < 3; ++r) {
      g.insertRow(-1);
      for (int c = 0; c < 6; ++c) {
        g.setCellStringData(r, c, c == 2 ? std::to_string(r * 10 + c) : Name(r, c));
      }
    }
    g.style().contextMenuLevel = 1;
  }
  static std::string Name(int r, int c) { return std::string{char('a' + r), char('0' + c)}; }
  std::string Row(int r) {
    std::string s;
    for (int c = 0; c < 6; ++c) s += (c ? "|" : "") + g.getCellStringData(r, c);
    return s;
  }

  CGridModel g;
  platform::MemoryClipboard clip;
};

TEST_F(GridClipboardTest, CopyFillsTheBoxWithEmptyFieldsAndNoFinalLineBreak) {
  g.addSelection(0, 0);
  g.addSelection(1, 2);
  CopyMember(&g, &clip);
  EXPECT_EQ(clip.GetText(), "a0\t\t\r\n\t\t12");
  g.clearSelection();
  g.addSelection(2, -1);  // a whole row widens the box to every column
  g.addSelection(-1, 1);  // a whole column to every row
  EXPECT_EQ(GetSelectionBox(g).top, 0);
  EXPECT_EQ(GetSelectionBox(g).right, 5);
  EXPECT_EQ(SelectionText(g), "\ta1\t\t\t\t\r\n\tb1\t\t\t\t\r\nc0\tc1\t22\tc3\tc4\tc5");
}

TEST_F(GridClipboardTest, ClipboardMembersNeedContextMenuLevelOne) {
  g.addSelection(0, 0);
  g.setFocus(1, 0);
  clip.SetText("kept");
  for (int level : {0, -1}) {
    g.style().contextMenuLevel = level;
    CopyMember(&g, &clip);
    CutMember(&g, &clip);
    PasteMember(&g, &clip);
    EXPECT_EQ(clip.GetText(), "kept");
    EXPECT_EQ(g.getCellStringData(0, 0), "a0");
    EXPECT_EQ(g.getCellStringData(1, 0), "b0");
  }
  DeleteSelectedDataMember(&g);  // works at every level
  EXPECT_EQ(g.getCellStringData(0, 0), "");
  g.style().contextMenuLevel = 1;
  g.addSelection(2, 1);
  CutMember(&g, &clip);
  EXPECT_EQ(clip.GetText(), "c1");
  EXPECT_EQ(g.getCellStringData(2, 1), "");
  CopyMember(&g, &clip);  // empty selection: the clipboard keeps its text
  EXPECT_EQ(clip.GetText(), "c1");
}

TEST_F(GridClipboardTest, PasteIsClippedAtTheLastRowAndColumnAndSkipsReadOnlyCells) {
  g.setColumnReadOnly(0, 0);
  g.setRowReadOnly(1, 1);
  g.setColumnReadOnly(1, 1);
  g.setFocus(1, 0);
  clip.SetText("p\tq\t7\r\nr\ts\t8\tt\tu\tv\tdropped\r\nline beyond the last row");
  PasteMember(&g, &clip);
  EXPECT_EQ(Row(1), "p|b1|12|b3|b4|b5");  // row 1 read-only; column 0 overrides
  EXPECT_EQ(Row(2), "r|c1|8|t|u|v");
  g.setFocus(2, 4);
  clip.SetText("x\r\ny\r\nz");
  PasteMember(&g, &clip);
  EXPECT_EQ(Row(2), "r|c1|8|t|x|v");
  EXPECT_EQ(Row(1), "p|b1|12|b3|b4|b5");
  g.setFocus(0, 2);
  clip.SetText("12abc\t");  // refused by the numeric column; the empty field is stored
  PasteMember(&g, &clip);
  EXPECT_EQ(g.getCellStringData(0, 2), "2");
  EXPECT_EQ(g.getCellStringData(0, 3), "");
}

TEST_F(GridClipboardTest, ValuesWithTabsLineBreaksAndQuotesComeBackToTheSameCells) {
  const Rows values = {{"tab\there", "two\nlines"}, {"say \"yes\"", "\"\t\r\n\""}};
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 2; ++c) ASSERT_EQ(g.setCellStringData(r, c, values[r][c]), 1);
  }
  g.addSelection(0, 0);
  g.addSelection(1, 1);
  g.addSelection(0, 1);
  g.addSelection(1, 0);
  CopyMember(&g, &clip);
  DeleteSelectedDataMember(&g);
  EXPECT_EQ(g.getCellStringData(1, 1), "");
  g.setFocus(0, 0);
  PasteMember(&g, &clip);
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 2; ++c) EXPECT_EQ(g.getCellStringData(r, c), values[r][c]);
  }
  EXPECT_EQ(g.getCellStringData(2, 0), "c0");
}

TEST_F(GridClipboardTest, DeleteLeavesCheckableButtonHiddenAndReadOnlyCells) {
  g.setCellChecked(0, 3, 1);
  g.setColumnVisible(1, 0);
  g.setRowReadOnly(2, 1);
  g.addSelection(0, -1);
  g.addSelection(2, 0);
  DeleteSelectedDataMember(&g);
  EXPECT_EQ(Row(0), "|a1||a3|a4|a5");
  EXPECT_EQ(g.getCellChecked(0, 3), 1);
  EXPECT_EQ(g.getCellStringData(2, 0), "c0");
  EXPECT_TRUE(g.selection().empty());
}

}  // namespace
}  // namespace maltrove
