// Typed text, input-method compositions, posted messages and focus on the
// grid's own widget.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "fake_table.h"
#include "platform/qt/grid_widget.h"
#include "recording_client.h"

namespace maltrove::platform {
namespace {

class GridInputTest : public testing::Test {
 protected:
  void SetUp() override {
    client.table = &table;
    page.resize(300, 200);
    grid = new GridWidget(&page, &client);
    grid->resize(200, 150);
    other = new QLineEdit(&page);
    other->move(0, 160);
    page.show();
    QApplication::setActiveWindow(&page);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    grid->setFocus();
    client.calls.clear();
  }

  FakeTable table;
  RecordingClient client;
  QWidget page;
  GridWidget* grid = nullptr;
  QLineEdit* other = nullptr;
};

TEST_F(GridInputTest, TypedTextFollowsItsKey) {
  QKeyEvent shifted(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
  QApplication::sendEvent(grid, &shifted);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("가"));
  QApplication::sendEvent(grid, &press);
  EXPECT_EQ(client.calls, (QStringList{"key 65 1", "char A 1", "key 44032 0", "char 가 0"}));
}

TEST_F(GridInputTest, EditingKeysCarryNoText) {
  QTest::keyClick(grid, Qt::Key_Escape);
  QTest::keyClick(grid, Qt::Key_Return);
  QTest::keyClick(grid, Qt::Key_Tab);
  QTest::keyClick(grid, Qt::Key_Backspace);
  QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(client.Named("char").isEmpty()) << client.calls.join('|').toStdString();
  EXPECT_EQ(client.Named("key").size(), 5);
}

TEST_F(GridInputTest, CompositionReachesTheClient) {
  EXPECT_TRUE(grid->testAttribute(Qt::WA_InputMethodEnabled));
  QInputMethodEvent preedit(QStringLiteral("한"), {});
  QApplication::sendEvent(grid, &preedit);
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("한"));
  QApplication::sendEvent(grid, &commit);
  EXPECT_EQ(client.calls, (QStringList{"compose [한] []", "compose [] [한]"}));
}

TEST_F(GridInputTest, InputMethodAsksForTheFocusedCell) {
  EXPECT_TRUE(grid->inputMethodQuery(Qt::ImEnabled).toBool());
  EXPECT_EQ(grid->inputMethodQuery(Qt::ImCursorRectangle).toRect(), QRect(0, 40, 50, 20));
  EXPECT_EQ(grid->inputMethodQuery(Qt::ImHints).toInt(), static_cast<int>(Qt::ImhNone));
  client.table = nullptr;
  EXPECT_EQ(grid->inputMethodQuery(Qt::ImCursorRectangle).toRect(), QRect());
}

TEST_F(GridInputTest, PostedMessagesArriveAfterTheCurrentEvent) {
  grid->Post(5, 1, 2);
  grid->Post(6, 3, 4);
  EXPECT_TRUE(client.Named("posted").isEmpty());
  QCoreApplication::processEvents();
  EXPECT_EQ(client.Named("posted"), (QStringList{"posted 5 1 2", "posted 6 3 4"}));
}

TEST_F(GridInputTest, MessagesPostedToAGoneWidgetAreDropped) {
  grid->Post(7, 0, 0);
  delete grid;
  QCoreApplication::processEvents();
  EXPECT_TRUE(client.Named("posted").isEmpty());
}

TEST_F(GridInputTest, LosingTheFocusTellsTheClient) {
  ASSERT_TRUE(grid->hasFocus());
  other->setFocus();
  EXPECT_EQ(client.Named("focuslost"), QStringList{"focuslost"});
}

}  // namespace
}  // namespace maltrove::platform
