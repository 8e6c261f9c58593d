#include "platform/qt/grid_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include "recording_client.h"

namespace maltrove::platform {
namespace {

class GridWidgetTest : public testing::Test {
 protected:
  void SetUp() override {
    widget = std::make_unique<GridWidget>(nullptr, &client);
    widget->resize(120, 80);
    widget->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
    client.calls.clear();
  }

  RecordingClient client;
  std::unique_ptr<GridWidget> widget;
};

TEST(GridWidgetLife, AttachesAndDetaches) {
  RecordingClient client;
  {
    GridWidget widget(nullptr, &client);
    EXPECT_EQ(client.window, &widget);
  }
  EXPECT_EQ(client.window, nullptr);
  EXPECT_EQ(client.attaches, 2);
}

TEST_F(GridWidgetTest, PaintsTheClientsPicture) {
  const QImage image = widget->grab().toImage();
  EXPECT_EQ(image.pixelColor(5, 5), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(119, 79), QColor(0, 0, 255));
}

TEST_F(GridWidgetTest, ResizeTellsTheClient) {
  widget->resize(200, 90);
  EXPECT_EQ(client.Named("size"), QStringList{"size 200 90"});
  EXPECT_EQ(widget->ClientSize().width, 200);
}

TEST_F(GridWidgetTest, TimersFireRestartAndStop) {
  widget->SetTimer(7, 10);
  QTest::qWait(60);
  EXPECT_FALSE(client.Named("timer").isEmpty());
  EXPECT_TRUE(client.Named("timer").contains("timer 7"));
  widget->SetTimer(7, 10000);  // restarted: the short one is gone
  client.calls.clear();
  QTest::qWait(40);
  EXPECT_TRUE(client.Named("timer").isEmpty());
  widget->SetTimer(8, 5);
  widget->KillTimer(8);
  QTest::qWait(30);
  EXPECT_TRUE(client.Named("timer").isEmpty());
}

TEST_F(GridWidgetTest, MouseButtonsWithModifiers) {
  QTest::mousePress(widget.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
  QTest::mouseMove(widget.get(), QPoint(9, 10));
  QTest::mouseRelease(widget.get(), Qt::LeftButton, Qt::ControlModifier, QPoint(9, 10));
  QTest::mouseClick(widget.get(), Qt::RightButton, Qt::AltModifier, QPoint(3, 4));
  EXPECT_EQ(client.Named("down"), QStringList{"down 5 6 1"});
  EXPECT_TRUE(client.Named("move").contains("move 9 10 0 1")) << client.calls.join("|").toStdString();
  EXPECT_EQ(client.Named("up"), QStringList{"up 9 10 2"});
  EXPECT_EQ(client.Named("rightclick"), QStringList{"rightclick 3 4 4"});
}

TEST_F(GridWidgetTest, MoveWithoutButtonAndDoubleClick) {
  QMouseEvent move(QEvent::MouseMove, QPointF(20, 21), widget->mapToGlobal(QPointF(20, 21)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget.get(), &move);
  EXPECT_TRUE(client.Named("move").contains("move 20 21 0 0")) << client.calls.join("|").toStdString();
  client.calls.clear();
  QTest::mouseDClick(widget.get(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 31));
  EXPECT_EQ(client.Named("dblclick"), QStringList{"dblclick 30 31 0"});
}

TEST_F(GridWidgetTest, WheelCountsWholeNotches) {
  auto roll = [&](int delta) {
    QWheelEvent event(QPointF(10, 12), widget->mapToGlobal(QPointF(10, 12)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget.get(), &event);
  };
  roll(60);
  EXPECT_TRUE(client.Named("wheel").isEmpty());
  roll(60);
  roll(-240);
  const QString lines = QString::number(QApplication::wheelScrollLines());
  EXPECT_EQ(client.Named("wheel"),
            (QStringList{"wheel 10 12 1 " + lines, "wheel 10 12 -2 " + lines}));
}

TEST_F(GridWidgetTest, KeysBecomeKeyCodes) {
  widget->setFocus();
  QTest::keyClick(widget.get(), Qt::Key_A);
  QTest::keyClick(widget.get(), Qt::Key_Down, Qt::ControlModifier);
  QTest::keyClick(widget.get(), Qt::Key_Tab);
  QTest::keyClick(widget.get(), Qt::Key_F2, Qt::ShiftModifier);
  QTest::keyClick(widget.get(), Qt::Key_5);
  EXPECT_EQ(client.Named("key"),
            (QStringList{"key 65 0", "key 40 2", "key 9 0", "key 113 1", "key 53 0"}));
}

TEST(GridWidgetFocus, TabIsTheGridsKey) {
  RecordingClient client;
  QWidget page;
  auto* grid = new GridWidget(&page, &client);
  auto* other = new QLineEdit(&page);
  other->move(0, 100);
  page.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Tab);
  QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(client.Named("key"), (QStringList{"key 9 0", "key 9 1"}));
  EXPECT_TRUE(grid->hasFocus());
}

TEST_F(GridWidgetTest, KeyPressAnywhereReachesTheClient) {
  QLineEdit other;
  other.show();
  const int before = client.threadKeys;
  QTest::keyClick(&other, Qt::Key_X);
  EXPECT_GT(client.threadKeys, before);
  EXPECT_TRUE(client.Named("key").isEmpty());
}

TEST_F(GridWidgetTest, LeaveTellsTheClient) {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(widget.get(), &leave);
  EXPECT_EQ(client.Named("leave"), QStringList{"leave"});
}

TEST_F(GridWidgetTest, TipShowsItsTextWithoutFocus) {
  const Point corner = widget->ClientToScreen({10, 10});
  widget->ShowTip("긴 텍스트", {corner.x, corner.y, corner.x + 80, corner.y + 20}, 0);
  auto* tip = widget->findChild<QWidget*>(QStringLiteral("maltrove-datatip"));
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(tip->isVisible());
  EXPECT_TRUE(tip->isWindow());
  EXPECT_TRUE(tip->windowFlags() & Qt::ToolTip);
  EXPECT_EQ(tip->property("text").toString(), QStringLiteral("긴 텍스트"));
  EXPECT_EQ(tip->geometry(), QRect(corner.x, corner.y, 80, 20));
  EXPECT_NE(QApplication::activeWindow(), tip);
  const QImage picture = tip->grab().toImage();
  EXPECT_EQ(picture.pixelColor(40, 1), tip->palette().color(QPalette::ToolTipBase));
  widget->HideTip();
  EXPECT_FALSE(tip->isVisible());
  EXPECT_EQ(widget->TipFont().faces, QApplication::font().family().toStdString());
}

TEST_F(GridWidgetTest, CaptureFollowsTheClient) {
  widget->CaptureMouse(true);
  EXPECT_EQ(QWidget::mouseGrabber(), widget.get());
  widget->CaptureMouse(false);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(GridWidgetTest, CoordinatesAndCursor) {
  const QPoint global = widget->mapToGlobal(QPoint(7, 8));
  const Point screen = widget->ClientToScreen({7, 8});
  EXPECT_EQ(QPoint(screen.x, screen.y), global);
  QCursor::setPos(global);
  const Point cursor = widget->CursorPosition();
  EXPECT_EQ(QPoint(cursor.x, cursor.y), QPoint(7, 8));
  EXPECT_FALSE(widget->ScreenArea().empty());
  widget->SetCursor(CursorShape::kSizeHorizontal);
  EXPECT_EQ(widget->cursor().shape(), Qt::SizeHorCursor);
  EXPECT_EQ(widget->LoadBitmap("/no/such/picture.png"), nullptr);
}

}  // namespace
}  // namespace maltrove::platform
