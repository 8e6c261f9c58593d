// Data tips: the delay, the overflow rule, wrapping, placement and hiding.
#include <gtest/gtest.h>

#include "window/fake_window.h"
#include "window/grid_wnd.h"

namespace maltrove {
namespace {

class DataTipTest : public ::testing::Test {
 protected:
  DataTipTest() : window_({640, 480}) {
    wnd_.model().insertColumn(-1, "", 100, "", kDataString, kInputText, "", "", 0, "");
    for (int i = 0; i < 3; ++i) wnd_.model().insertRow(-1);
    wnd_.Attach(&window_);
  }
  ~DataTipTest() override { wnd_.Attach(nullptr); }
  // A point inside the cell (row, 0).
  platform::Point InCell(int row) {
    const CGridRow& r = *wnd_.model().row(row);
    return {wnd_.model().column(0)->left + 10, r.top + 5};
  }
  void Hover(platform::Point p) { wnd_.OnMouseMove(p.x, p.y, 0, false); }
  void FireDelay() { wnd_.OnTimer(TFXDataTip::kTimerId); }

  CGridWnd wnd_;
  testing::FakeWindow window_;
};

TEST_F(DataTipTest, OverflowModeShowsOnlyTextThatDoesNotFit) {
  wnd_.model().setCellStringData(0, 0, "short");
  wnd_.model().setCellStringData(1, 0, std::string(30, 'w'));  // 210 pixels
  Hover(InCell(0));
  EXPECT_FALSE(window_.TimerRunning(TFXDataTip::kTimerId));
  Hover(InCell(1));
  EXPECT_EQ(window_.timers[TFXDataTip::kTimerId], 200);
  EXPECT_FALSE(window_.tipShown);
  FireDelay();
  EXPECT_TRUE(window_.tipShown);
  EXPECT_EQ(window_.tipText, std::string(30, 'w'));
  EXPECT_FALSE(window_.TimerRunning(TFXDataTip::kTimerId));
}

TEST_F(DataTipTest, ShowAndHideModes) {
  wnd_.model().setCellStringData(0, 0, "short");
  wnd_.model().setColumnDisplayToolTip(0, 1);
  Hover(InCell(0));
  FireDelay();
  EXPECT_TRUE(window_.tipShown);
  EXPECT_EQ(window_.tipText, "short");
  wnd_.model().setColumnDisplayToolTip(0, 0);
  Hover(InCell(2));
  wnd_.model().setCellStringData(1, 0, std::string(50, 'w'));
  Hover(InCell(1));
  FireDelay();
  EXPECT_FALSE(window_.tipShown);
}

TEST_F(DataTipTest, PlacedBelowRightOfThePointerInsideTheScreen) {
  wnd_.model().setColumnDisplayToolTip(0, 1);
  wnd_.model().setCellStringData(0, 0, "abc");
  const platform::Point p = InCell(0);
  Hover(p);
  FireDelay();
  // Screen point 16 down; the text's box grown by 4/2 and moved by (10, 5).
  const int x = p.x + 100;
  const int y = p.y + 100 + 16;
  EXPECT_EQ(window_.tipRect, (platform::Rect{x - 4 + 10, y - 2 + 5, x + 21 + 4 + 4 + 10,
                                             y + 13 + 4 + 2 + 5}));
  // Near the screen's right edge the tip moves back inside.
  wnd_.OnMouseLeave();
  window_.origin = {1000, 100};
  wnd_.model().setCellStringData(1, 0, "abcdef");
  Hover(InCell(1));
  FireDelay();
  EXPECT_EQ(window_.tipRect.right, 1024);
}

TEST_F(DataTipTest, AThousandCharactersWrapAtFourHundredPixels) {
  wnd_.model().setCellStringData(0, 0, std::string(1000, 'x'));
  Hover(InCell(0));
  FireDelay();
  ASSERT_TRUE(window_.tipShown);
  EXPECT_EQ(window_.tipWrap, 400);
  EXPECT_LE(window_.tipRect.width(), 400 + 16);
  EXPECT_GT(window_.tipRect.height(), 13 * 10);
}

TEST_F(DataTipTest, AnyKeyLeavingTheCellOrTheClientHidesIt) {
  wnd_.model().setColumnDisplayToolTip(0, 1);
  wnd_.model().setCellStringData(0, 0, "one");
  wnd_.model().setCellStringData(1, 0, "two");
  Hover(InCell(0));
  FireDelay();
  ASSERT_TRUE(window_.tipShown);
  wnd_.OnThreadKeyPress();
  EXPECT_FALSE(window_.tipShown);

  Hover({InCell(0).x + 1, InCell(0).y});
  FireDelay();
  ASSERT_TRUE(window_.tipShown);
  Hover(InCell(1));
  EXPECT_FALSE(window_.tipShown);
  FireDelay();
  EXPECT_EQ(window_.tipText, "two");

  // The one-second timer hides a tip once the pointer is outside the grid.
  window_.cursorPosition = {50, 50};
  wnd_.OnTimer(CGridWnd::kGridTimer);
  EXPECT_TRUE(window_.tipShown);
  window_.cursorPosition = {-5, 50};
  wnd_.OnTimer(CGridWnd::kGridTimer);
  EXPECT_FALSE(window_.tipShown);
  EXPECT_EQ(window_.timers[CGridWnd::kGridTimer], 1000);
}

TEST_F(DataTipTest, LinesBreakAtCarriageReturnLineFeed) {
  wnd_.model().setColumnDisplayToolTip(0, 1);
  wnd_.model().setCellStringData(0, 0, "a\r\nb");
  Hover(InCell(0));
  FireDelay();
  EXPECT_EQ(window_.tipWrap, 400);
}

}  // namespace
}  // namespace maltrove
