// Copy and paste through the desktop clipboard (QClipboard): spreadsheet
// quoting survives the round trip, a spreadsheet's text pastes into cells,
// and the copy carries an HTML table as well.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "ops/grid_clipboard.h"
#include "platform/qt/qt_clipboard.h"

namespace maltrove {
namespace {

void Build(CGridModel* g, int rows, int cols) {
  for (int c = 0; c < cols; ++c) g->insertColumn(-1, "", 100, "", kDataString, kInputText, "", "", 0, "");
  for (int r = 0; r < rows; ++r) g->insertRow(-1);
  g->style().contextMenuLevel = 1;
}

TEST(QtClipboardTest, ABlockWithTabLineBreakAndQuoteRoundTrips) {
  CGridModel g;
  Build(&g, 4, 3);
  g.setCellStringData(0, 0, "탭\t안");
  g.setCellStringData(0, 1, "줄\n바꿈");
  g.setCellStringData(1, 0, "따옴표 \"인용\"");
  g.setCellStringData(1, 1, "<b>&");
  g.addSelectionRectangle(0, 0, 1, 1);
  platform::QtClipboard clipboard;
  CopyMember(&g, &clipboard);

  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->hasText());
  ASSERT_TRUE(data->hasHtml());
  EXPECT_NE(data->html().indexOf(QStringLiteral("<td>&lt;b&gt;&amp;</td>")), -1) << data->html().toStdString();
  EXPECT_NE(data->html().indexOf(QStringLiteral("<td>줄<br>바꿈</td>")), -1);

  g.setFocus(2, 1);
  PasteMember(&g, &clipboard);
  EXPECT_EQ(g.getCellStringData(2, 1), "탭\t안");
  EXPECT_EQ(g.getCellStringData(2, 2), "줄\n바꿈");
  EXPECT_EQ(g.getCellStringData(3, 1), "따옴표 \"인용\"");
  EXPECT_EQ(g.getCellStringData(3, 2), "<b>&");
}

TEST(QtClipboardTest, TextAsASpreadsheetWritesItPastesIntoCells) {
  CGridModel g;
  Build(&g, 3, 3);
  // Rows end with a lone line feed, the last one too; a cell holding a tab
  // or a line break is quoted, its quotes doubled.
  QGuiApplication::clipboard()->setText(
      QStringLiteral("이름\t\"a\tb\"\n\"x\ny\"\t\"say \"\"hi\"\"\"\n"));
  g.setCellStringData(2, 0, "keep");
  g.setFocus(0, 0);
  platform::QtClipboard clipboard;
  PasteMember(&g, &clipboard);
  EXPECT_EQ(g.getCellStringData(0, 0), "이름");
  EXPECT_EQ(g.getCellStringData(0, 1), "a\tb");
  EXPECT_EQ(g.getCellStringData(1, 0), "x\ny");
  EXPECT_EQ(g.getCellStringData(1, 1), "say \"hi\"");
  EXPECT_EQ(g.getCellStringData(2, 0), "keep") << "the final line feed adds no row";
}

}  // namespace
}  // namespace maltrove
