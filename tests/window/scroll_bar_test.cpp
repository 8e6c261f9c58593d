// The scroll bars: placement and ranges after model changes, the steps, the
// thumb, the repeat timers and the pictures a page supplies.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>

#include "platform/curl_downloader.h"
#include "platform/temp_folder.h"
#include "window/fake_window.h"
#include "window/grid_wnd.h"

namespace maltrove {
namespace {

class ScrollTest : public ::testing::Test {
 protected:
  void Build(int columns, int rows, int width, int height) {
    for (int i = 0; i < columns; ++i) {
      wnd_.model().insertColumn(-1, "", 100, "", kDataString, kInputText, "", "", 0, "");
    }
    for (int i = 0; i < rows; ++i) wnd_.model().insertRow(-1);
    window_ = std::make_unique<testing::FakeWindow>(platform::Size{width, height});
    wnd_.Attach(window_.get());
  }
  ~ScrollTest() override { wnd_.Attach(nullptr); }
  int BarTimer(bool vertical, int timer) { return 2000 + (vertical ? 0 : 100) + timer; }

  CGridWnd wnd_;
  std::unique_ptr<testing::FakeWindow> window_;
};

TEST_F(ScrollTest, BarsAppearOnlyWhenTheContentExceedsTheClient) {
  Build(2, 3, 640, 480);
  EXPECT_FALSE(wnd_.verticalBar().shown());
  EXPECT_FALSE(wnd_.horizontalBar().shown());
  for (int i = 0; i < 30; ++i) wnd_.model().insertRow(-1);
  EXPECT_TRUE(wnd_.verticalBar().shown());
  EXPECT_EQ(wnd_.verticalBar().rect(), (Rect{618, 0, 640, 480}));
  EXPECT_FALSE(wnd_.horizontalBar().shown());
  // Removing the rows hides the bar and puts its position back to 0.
  wnd_.ScrollTo(true, 100);
  wnd_.model().removeAllRows();
  EXPECT_FALSE(wnd_.verticalBar().shown());
  EXPECT_EQ(wnd_.scroll().vertical, 0);
}

TEST_F(ScrollTest, TheHorizontalBarLiesRightOfTheFrozenAreaWithAStripUnderIt) {
  Build(10, 40, 600, 400);
  wnd_.model().setFixedColumnCount(2);
  const CXScrollBar& bar = wnd_.horizontalBar();
  ASSERT_TRUE(bar.shown());
  const int frozen = 60 + 3 + 2 * 103;
  EXPECT_EQ(bar.rect(), (Rect{frozen, 378, 578, 400}));
  EXPECT_EQ(wnd_.frozenStrip(), (Rect{0, 378, frozen, 400}));
  EXPECT_EQ(wnd_.verticalBar().rect(), (Rect{578, 0, 600, 378}));
}

TEST_F(ScrollTest, PageDownOnAThreeHundredPixelClientScrolls255) {
  Build(1, 100, 300, 300);
  ASSERT_FALSE(wnd_.horizontalBar().shown());
  wnd_.OnScroll(true, ScrollCode::kPageForward, 0);
  EXPECT_EQ(wnd_.scroll().vertical, 255);
  wnd_.OnScroll(true, ScrollCode::kLineBack, 0);
  EXPECT_EQ(wnd_.scroll().vertical, 245);
  wnd_.OnScroll(true, ScrollCode::kPageBack, 0);
  EXPECT_EQ(wnd_.scroll().vertical, 0);
}

TEST_F(ScrollTest, DraggingTheThumbToTheEndShowsTheLastRow) {
  Build(1, 65536, 400, 600);
  CXScrollBar& bar = const_cast<CXScrollBar&>(wnd_.verticalBar());
  const Rect thumb = bar.ThumbRect();
  EXPECT_GE(thumb.height(), CXScrollBar::kArrowLength);
  const int x = thumb.left + 5;
  wnd_.OnMouseDown(x, thumb.top + 3, 0);
  EXPECT_TRUE(window_->captured);
  wnd_.OnMouseMove(x, thumb.top + 3 + 100, 0, true);
  const int middle = wnd_.scroll().vertical;
  EXPECT_GT(middle, 0);
  EXPECT_LT(middle, bar.limit());
  wnd_.OnMouseMove(x, 10000, 0, true);
  EXPECT_EQ(wnd_.scroll().vertical, bar.limit());
  wnd_.OnMouseUp(x, 10000, 0);
  EXPECT_FALSE(window_->captured);
  // The last row's bottom lies inside the client.
  const CGridRow& last = *wnd_.model().row(65535);
  EXPECT_LE(last.top + last.height + 1 - wnd_.scroll().vertical, 600);
  EXPECT_GT(last.top - wnd_.scroll().vertical, 0);
  // After the release the thumb is placed from the position, at the end.
  EXPECT_EQ(bar.ThumbRect().bottom, bar.rect().bottom - CXScrollBar::kArrowLength);
  wnd_.OnMouseDown(x, bar.ThumbRect().top + 2, 0);
  wnd_.OnMouseMove(x, -500, 0, true);
  EXPECT_EQ(wnd_.scroll().vertical, 0);
  wnd_.OnMouseUp(x, -500, 0);
}

TEST_F(ScrollTest, ArrowsRepeatAfterTheDelayWhileHeldAndPauseOutside) {
  Build(1, 200, 400, 300);
  const CXScrollBar& bar = wnd_.verticalBar();
  const Rect down = bar.SecondArrowRect();
  const int x = down.left + 5;
  const int y = down.top + 5;
  wnd_.OnMouseDown(x, y, 0);
  EXPECT_EQ(wnd_.scroll().vertical, 10);
  EXPECT_TRUE(bar.pushed(false));
  EXPECT_EQ(window_->timers[BarTimer(true, CXScrollBar::kDelayTimer)], 500);
  wnd_.OnTimer(BarTimer(true, CXScrollBar::kDelayTimer));
  EXPECT_FALSE(window_->TimerRunning(BarTimer(true, CXScrollBar::kDelayTimer)));
  EXPECT_EQ(window_->timers[BarTimer(true, CXScrollBar::kRepeatTimer)], 100);
  EXPECT_EQ(wnd_.scroll().vertical, 10);
  wnd_.OnTimer(BarTimer(true, CXScrollBar::kRepeatTimer));
  wnd_.OnTimer(BarTimer(true, CXScrollBar::kRepeatTimer));
  EXPECT_EQ(wnd_.scroll().vertical, 30);
  // The pointer leaves the arrow: the repeats pause, and go on when it returns.
  wnd_.OnMouseMove(x, 50, 0, true);
  EXPECT_FALSE(bar.pushed(false));
  wnd_.OnTimer(BarTimer(true, CXScrollBar::kRepeatTimer));
  EXPECT_EQ(wnd_.scroll().vertical, 30);
  wnd_.OnMouseMove(x, y, 0, true);
  wnd_.OnTimer(BarTimer(true, CXScrollBar::kRepeatTimer));
  EXPECT_EQ(wnd_.scroll().vertical, 40);
  wnd_.OnMouseUp(x, y, 0);
  EXPECT_FALSE(window_->TimerRunning(BarTimer(true, CXScrollBar::kRepeatTimer)));
  EXPECT_FALSE(bar.pushed(false));
}

TEST_F(ScrollTest, TrackPressesPageTowardsThePointUntilTheThumbReachesIt) {
  Build(1, 300, 400, 300);
  const CXScrollBar& bar = wnd_.verticalBar();
  const int x = bar.rect().left + 5;
  const int y = bar.rect().bottom - CXScrollBar::kArrowLength - 40;
  wnd_.OnMouseDown(x, y, 0);
  EXPECT_EQ(wnd_.scroll().vertical, 255);
  wnd_.OnTimer(BarTimer(true, CXScrollBar::kDelayTimer));
  for (int i = 0; i < 200; ++i) wnd_.OnTimer(BarTimer(true, CXScrollBar::kRepeatTimer));
  // The thumb stopped under the pointer rather than running to the end.
  EXPECT_LT(wnd_.scroll().vertical, bar.limit());
  EXPECT_LE(bar.ThumbRect().top, y + 1);
  EXPECT_GE(bar.ThumbRect().bottom, y - 300 * 0 - bar.ThumbLength());
  wnd_.OnMouseUp(x, y, 0);
}

TEST_F(ScrollTest, ThumbLengthFollowsTheVisibleShare) {
  Build(1, 30, 400, 400);
  const CXScrollBar& bar = wnd_.verticalBar();
  ASSERT_TRUE(bar.shown());
  const int expected = static_cast<int>(std::lround(400.0 * 400 / wnd_.model().contentBottom())) -
                       2 * CXScrollBar::kArrowLength;
  EXPECT_EQ(bar.ThumbLength(), std::max(expected, CXScrollBar::kArrowLength));
}

TEST_F(ScrollTest, TheWheelScrollsTwentyPixelsPerLine) {
  Build(1, 300, 400, 300);
  wnd_.OnWheel(10, 10, -1, 3);
  EXPECT_EQ(wnd_.scroll().vertical, 60);
  wnd_.OnWheel(10, 10, 2, 0);  // no setting: three lines
  EXPECT_EQ(wnd_.scroll().vertical, 0);
}

TEST_F(ScrollTest, SetFocusCellScrollsTheCellIntoView) {
  Build(20, 300, 500, 300);
  wnd_.setFocusCell(200, 15);
  const CGridRow& row = *wnd_.model().row(200);
  const CGridColumn& col = *wnd_.model().column(15);
  const ScrollPosition s = wnd_.scroll();
  EXPECT_GE(row.top - s.vertical, 20);
  EXPECT_LE(row.top + row.height - s.vertical, 300 - 22);
  EXPECT_GE(col.left - s.horizontal, 60);
  EXPECT_LE(col.left + col.width - s.horizontal, 500 - 22);
  wnd_.setFocusCell(0, 0);
  EXPECT_EQ(wnd_.scroll().vertical, 0);
  EXPECT_EQ(wnd_.scroll().horizontal, 0);
}

// Pictures come through the download service; a failed download leaves the
// slot as it was.
TEST(ScrollSkinTest, ImagesLoadAndAFailedDownloadKeepsTheOldOne) {
  const std::string folder = platform::TempFolder();
  ASSERT_FALSE(folder.empty());
  const std::string first = folder + "skin_test_thumb.bmp";
  std::ofstream(first) << "thumb-one\n";
  platform::CurlDownloader downloader;
  CGridWnd wnd;
  wnd.setDownloader(&downloader);
  for (int i = 0; i < 40; ++i) wnd.model().insertRow(-1);
  wnd.verticalSkin().images["ThumbImage"] = "file://" + first;
  wnd.verticalSkin().borderColor = "#102030";
  testing::FakeWindow window({300, 300});
  wnd.Attach(&window);
  const platform::Bitmap* thumb = wnd.verticalBar().image(CXScrollBar::kThumb);
  ASSERT_NE(thumb, nullptr);
  EXPECT_EQ(thumb->source(), "thumb-one");
  EXPECT_EQ(wnd.verticalBar().borderColour(), Rgb(0x10, 0x20, 0x30));

  wnd.verticalSkin().images["ThumbImage"] = "file://" + folder + "no-such-picture.bmp";
  wnd.ApplySkins();
  ASSERT_NE(wnd.verticalBar().image(CXScrollBar::kThumb), nullptr);
  EXPECT_EQ(wnd.verticalBar().image(CXScrollBar::kThumb)->source(), "thumb-one");
  // The download file does not stay behind.
  EXPECT_FALSE(std::ifstream(folder + "mvgscr.bmp").good());
  EXPECT_FALSE(std::ifstream(platform::ProcessTempFolder() + "mvgscr.bmp").good());
  wnd.Attach(nullptr);
  std::remove(first.c_str());
}

}  // namespace
}  // namespace maltrove
