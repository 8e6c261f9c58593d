// The in-place editors made by GridWidget::CreateEditor, driven by real Qt
// key, input-method and mouse events on the offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>

#include "platform/qt/grid_widget.h"
#include "recording_client.h"
#include "recording_listener.h"

namespace maltrove::platform {
namespace {

class EditorTest : public testing::Test {
 protected:
  void SetUp() override {
    grid = std::make_unique<GridWidget>(nullptr, &client);
    grid->resize(300, 200);
    grid->show();
    QApplication::setActiveWindow(grid.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
    grid->setFocus();
  }

  void Open(EditorRequest request, bool focus = true) {
    editor = grid->CreateEditor(request, &listener);
    ASSERT_NE(editor, nullptr);
    editor->Place({10, 10, 150, 34});
    if (focus) editor->Focus();
  }
  QWidget* Widget() { return static_cast<QWidget*>(editor->Handle()); }

  RecordingClient client;
  RecordingListener listener;
  std::unique_ptr<GridWidget> grid;
  std::unique_ptr<EditorWindow> editor;
};

// Types `text` as key presses, the way an input method without composition
// delivers characters that have no key of their own.
void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, c.toLatin1());
      continue;
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

EditorRequest TextRequest(EditorKind kind, const std::string& text) {
  EditorRequest request;
  request.kind = kind;
  request.text = text;
  return request;
}

TEST_F(EditorTest, HiddenChildUntilPlaced) {
  editor = grid->CreateEditor(TextRequest(EditorKind::kText, "abc"), &listener);
  auto* line = qobject_cast<QLineEdit*>(Widget());
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->parentWidget(), grid.get());
  EXPECT_FALSE(line->isVisible());
  EXPECT_EQ(line->selectedText(), QStringLiteral("abc"));
  editor->Place({5, 6, 105, 26});
  EXPECT_TRUE(line->isVisible());
  EXPECT_EQ(line->geometry(), QRect(5, 6, 100, 20));
  editor->Place({});
  EXPECT_FALSE(line->isVisible());
}

TEST_F(EditorTest, RefusedCharactersAreNotTyped) {
  listener.refused = QStringLiteral("a");
  Open(TextRequest(EditorKind::kText, ""));
  QTest::keyClicks(Widget(), QStringLiteral("a1-"));
  EXPECT_EQ(editor->Text(), "1-");
  EXPECT_EQ(listener.Named("ask"), (QStringList{"ask a [] 0", "ask 1 [] 0", "ask - [1] 1"}));
}

TEST_F(EditorTest, CaretOffsetCountsBytes) {
  Open(TextRequest(EditorKind::kText, ""));
  TypeText(Widget(), QStringLiteral("한b"));
  EXPECT_EQ(editor->Text(), "한b");
  EXPECT_EQ(listener.Named("ask").value(1), QStringLiteral("ask b [한] 3"));
}

TEST_F(EditorTest, BackspaceIsNotAsked) {
  Open(TextRequest(EditorKind::kText, "ab"));
  QTest::keyClick(Widget(), Qt::Key_End);
  QTest::keyClick(Widget(), Qt::Key_Backspace);
  EXPECT_EQ(editor->Text(), "a");
  EXPECT_TRUE(listener.Named("ask").isEmpty());
}

TEST_F(EditorTest, EditingKeysAreReportedNotTyped) {
  Open(TextRequest(EditorKind::kText, "x"));
  QTest::keyClick(Widget(), Qt::Key_Escape);
  QTest::keyClick(Widget(), Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClick(Widget(), Qt::Key_Tab);
  QTest::keyClick(Widget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(listener.Named("key"), (QStringList{"key 27 0", "key 13 2", "key 9 0", "key 9 1"}));
  EXPECT_EQ(editor->Text(), "x");
  EXPECT_TRUE(editor->HasFocus());
}

TEST_F(EditorTest, EnterBreaksTheLineOfAMultiLineEditor) {
  Open(TextRequest(EditorKind::kMultiLine, "ab"));
  auto* plain = qobject_cast<QPlainTextEdit*>(Widget());
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->lineWrapMode(), QPlainTextEdit::NoWrap);
  QTest::keyClick(Widget(), Qt::Key_End);
  QTest::keyClick(Widget(), Qt::Key_Return);
  QTest::keyClicks(Widget(), QStringLiteral("c"));
  QTest::keyClick(Widget(), Qt::Key_Tab);
  EXPECT_EQ(editor->Text(), "ab\nc");
  EXPECT_EQ(listener.Named("key"), QStringList{"key 9 0"});
  EXPECT_EQ(listener.Named("ask"), QStringList{"ask c [ab\n] 3"});
}

TEST_F(EditorTest, TypeReplacesTheSelection) {
  Open(TextRequest(EditorKind::kText, "old"), false);
  editor->Type("새");
  EXPECT_EQ(editor->Text(), "새");
}

TEST_F(EditorTest, HangulCompositionWithoutFocus) {
  Open(TextRequest(EditorKind::kText, ""), false);
  ASSERT_FALSE(editor->HasFocus());
  editor->Compose("한", "");
  EXPECT_EQ(editor->Text(), "");  // a pre-edit is not text yet
  editor->Compose("", "한");
  editor->Compose("그", "");
  editor->Compose("글", "");
  editor->Compose("", "글");
  EXPECT_EQ(editor->Text(), "한글");
}

TEST_F(EditorTest, DestroyedFromItsOwnKey) {
  Open(TextRequest(EditorKind::kText, "x"));
  QPointer<QWidget> widget = Widget();
  listener.onKey = [this](int) { editor.reset(); };
  QTest::keyClick(widget, Qt::Key_Escape);
  EXPECT_EQ(editor, nullptr);
  ASSERT_TRUE(widget);
  EXPECT_FALSE(widget->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(widget);
  EXPECT_TRUE(listener.Named("focuslost").isEmpty());  // silent while it goes
}

TEST_F(EditorTest, FocusLeavingIsReported) {
  Open(TextRequest(EditorKind::kText, "x"));
  ASSERT_TRUE(editor->HasFocus());
  EXPECT_TRUE(listener.Named("focuslost").isEmpty());
  grid->setFocus();
  EXPECT_EQ(listener.Named("focuslost"), QStringList{"focuslost"});
}

EditorRequest SelectRequest() {
  EditorRequest request;
  request.kind = EditorKind::kSelect;
  request.items = {"하나", "둘", "셋"};
  request.selected = 0;
  return request;
}

TEST_F(EditorTest, SelectPopsUpAndReportsTheChoice) {
  Open(SelectRequest());
  auto* combo = qobject_cast<QComboBox*>(Widget());
  ASSERT_NE(combo, nullptr);
  ASSERT_TRUE(combo->view()->isVisible());
  EXPECT_EQ(editor->Text(), "하나");
  QTest::keyClick(combo->view(), Qt::Key_Down);
  QTest::keyClick(combo->view(), Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(listener.Named("closed"), QStringList{"closed 1"});
  EXPECT_EQ(editor->SelectedIndex(), 1);
  EXPECT_EQ(editor->Text(), "둘");
  EXPECT_TRUE(listener.Named("focuslost").isEmpty());
}

TEST_F(EditorTest, SelectDismissedWithoutAChoice) {
  Open(SelectRequest());
  auto* combo = qobject_cast<QComboBox*>(Widget());
  QTest::keyClick(combo->view(), Qt::Key_Down);
  QTest::keyClick(combo->view(), Qt::Key_Escape);
  QCoreApplication::processEvents();
  EXPECT_EQ(listener.Named("closed"), QStringList{"closed 0"});
  EXPECT_EQ(editor->SelectedIndex(), 0);
  editor->Place({10, 10, 150, 34});  // only the first placing pops it up
  EXPECT_FALSE(combo->view()->isVisible());
}

EditorRequest DateRequest() {
  EditorRequest request;
  request.kind = EditorKind::kDate;
  request.hasDate = true;
  request.year = 2024;
  request.month = 2;
  request.day = 29;
  return request;
}

TEST_F(EditorTest, DateFromTheRequestOrToday) {
  Open(DateRequest());
  auto* date = qobject_cast<QDateEdit*>(Widget());
  ASSERT_NE(date, nullptr);
  EXPECT_TRUE(date->calendarPopup());
  EXPECT_EQ(date->displayFormat(), QStringLiteral("yyyy-MM-dd"));
  int y = 0, m = 0, d = 0;
  ASSERT_TRUE(editor->Date(&y, &m, &d));
  EXPECT_EQ(std::make_tuple(y, m, d), std::make_tuple(2024, 2, 29));
  EditorRequest none;
  none.kind = EditorKind::kDate;
  Open(none);
  ASSERT_TRUE(editor->Date(&y, &m, &d));
  EXPECT_EQ(QDate(y, m, d), QDate::currentDate());
}

TEST_F(EditorTest, DigitsTypedIntoTheDayEditTheDate) {
  Open(DateRequest());
  qobject_cast<QDateEdit*>(Widget())->setSelectedSection(QDateTimeEdit::DaySection);
  int changes = 0;
  QObject::connect(qobject_cast<QDateEdit*>(Widget()), &QDateEdit::dateChanged,
                   [&changes] { ++changes; });
  QTest::keyClicks(Widget(), QStringLiteral("15"));
  int y = 0, m = 0, d = 0;
  ASSERT_TRUE(editor->Date(&y, &m, &d));
  EXPECT_EQ(std::make_tuple(y, m, d), std::make_tuple(2024, 2, 15));
  EXPECT_GE(changes, 1);
  EXPECT_EQ(listener.Named("dateedited").size(), changes);
  QTest::keyClick(Widget(), Qt::Key_Left);  // no digit: not an edit of ours
  EXPECT_EQ(listener.Named("dateedited").size(), changes);
}

TEST_F(EditorTest, StepDateFieldMovesOnOnlyOnceTheFieldIsFull) {
  Open(DateRequest());
  auto* edit = qobject_cast<QDateEdit*>(Widget());
  edit->setSelectedSection(QDateTimeEdit::YearSection);
  QTest::keyClicks(Widget(), QStringLiteral("20"));
  editor->StepDateField();
  EXPECT_EQ(edit->currentSection(), QDateTimeEdit::YearSection) << "two digits of four";
  QTest::keyClicks(Widget(), QStringLiteral("23"));
  editor->StepDateField();
  EXPECT_EQ(edit->currentSection(), QDateTimeEdit::MonthSection);
  QTest::keyClicks(Widget(), QStringLiteral("07"));
  editor->StepDateField();
  EXPECT_EQ(edit->currentSection(), QDateTimeEdit::DaySection);
  QTest::keyClicks(Widget(), QStringLiteral("09"));
  int y = 0, m = 0, d = 0;
  ASSERT_TRUE(editor->Date(&y, &m, &d));
  EXPECT_EQ(std::make_tuple(y, m, d), std::make_tuple(2023, 7, 9));
}

// The calendar's cell showing day `day` of its month.
QPoint DayCell(QCalendarWidget* calendar, QTableView** view, int day) {
  *view = calendar->findChild<QTableView*>();
  QAbstractItemModel* model = (*view)->model();
  for (int row = 1; row < model->rowCount(); ++row) {
    for (int col = 0; col < model->columnCount(); ++col) {
      const QModelIndex index = model->index(row, col);
      if (model->data(index).toInt() == day && (row < 3 || day > 20)) {
        return (*view)->visualRect(index).center();
      }
    }
  }
  return {};
}

TEST_F(EditorTest, ClickOnACalendarDateChoosesIt) {
  Open(DateRequest());
  auto* date = qobject_cast<QDateEdit*>(Widget());
  QTest::mouseClick(date, Qt::LeftButton, Qt::NoModifier,
                    QPoint(date->width() - 4, date->height() / 2));  // the arrow
  QCalendarWidget* calendar = date->calendarWidget();
  ASSERT_TRUE(calendar->isVisible());
  QTableView* view = nullptr;
  const QPoint at = DayCell(calendar, &view, 15);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QCoreApplication::processEvents();
  EXPECT_FALSE(calendar->isVisible());
  EXPECT_EQ(listener.Named("closed"), QStringList{"closed 1"});
  int y = 0, m = 0, d = 0;
  ASSERT_TRUE(editor->Date(&y, &m, &d));
  EXPECT_EQ(std::make_tuple(y, m, d), std::make_tuple(2024, 2, 15));
}

}  // namespace
}  // namespace maltrove::platform
