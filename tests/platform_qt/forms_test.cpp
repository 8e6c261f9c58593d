// The sort, filter and find dialogs shown as real windows and used with
// real keys and clicks: the same dialog code as the queued answers runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QPointer>
#include <QTimer>

#include "ops/filter_dialog.h"
#include "ops/find_dialog.h"
#include "ops/sort_dialog.h"
#include "platform/qt/form_dialog.h"
#include "platform/qt/qt_user_interface.h"

namespace maltrove {
namespace {

using platform::FormDialog;

// Runs `act` on the modal window of type T once it is shown.
template <class T>
void WhenShown(std::function<void(T*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
    if (modal == nullptr || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(modal);
  });
  timer->start(10);
}

// Types text key by key; QTest's own typing knows only ASCII.
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

// Saves a picture of the dialog for the documentation when asked to.
void Picture(QWidget* dialog, const char* name) {
  const QByteArray folder = qgetenv("MALTROVE_DIALOG_PNG_DIR");
  if (!folder.isEmpty()) dialog->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

class FormsTest : public ::testing::Test {
 protected:
  FormsTest() {
    grid_.model().insertColumn(-1, "이름", 100, "name", kDataString, kInputText, "", "", 0, "");
    grid_.model().insertColumn(-1, "수량", 100, "n", kDataNumeric, kInputText, "", "", 0, "");
    const char* names[] = {"나", "가", "다", "가", "나"};
    const char* numbers[] = {"3", "9", "1", "2", "7"};
    for (int r = 0; r < 5; ++r) {
      grid_.model().insertRow(-1);
      grid_.model().setCellStringData(r, 0, names[r]);
      grid_.model().setCellStringData(r, 1, numbers[r]);
    }
  }
  std::string Column(int c) {
    std::string all;
    for (int r = 0; r < grid_.model().getRowCount(); ++r) {
      all += (r ? "," : "") + grid_.model().getCellStringData(r, c);
    }
    return all;
  }

  CGridWnd grid_;
  platform::QtUserInterface ui_;
};

TEST_F(FormsTest, SortByTwoKeysChosenInTheWindow) {
  CGridSortDlg dialog(&grid_.model(), &ui_);
  WhenShown<FormDialog>([](FormDialog* d) {
    Picture(d, "sort");
    // Typing an item's first letter picks it, as a person would.
    Type(d->ControlWidget(214), QStringLiteral("이"));
    Type(d->ControlWidget(1010), QStringLiteral("수"));
    QTest::mouseClick(d->ControlWidget(1012), Qt::LeftButton);  // descending
    QTest::mouseClick(d->ControlWidget(CGridSortDlg::kIdOk), Qt::LeftButton);
  });
  EXPECT_EQ(dialog.DoModal(), CGridSortDlg::kIdOk);
  EXPECT_EQ(Column(0), "가,가,나,나,다");
  EXPECT_EQ(Column(1), "9,2,7,3,1");
}

TEST_F(FormsTest, SortRefusesOkWithoutAFirstKeyAndEscapeCancels) {
  CGridSortDlg dialog(&grid_.model(), &ui_);
  bool told = false;
  WhenShown<FormDialog>([&told](FormDialog* d) {
    WhenShown<QMessageBox>([&told, d](QMessageBox* box) {
      told = box->text() == QStringLiteral("정렬을 위한 컬럼이 지정되지 않았습니다.");
      QTest::keyClick(box, Qt::Key_Return);
      QTimer::singleShot(20, [d] { QTest::keyClick(d, Qt::Key_Escape); });
    });
    QTest::mouseClick(d->ControlWidget(CGridSortDlg::kIdOk), Qt::LeftButton);
  });
  EXPECT_EQ(dialog.DoModal(), CGridSortDlg::kIdCancel);
  EXPECT_TRUE(told);
  EXPECT_EQ(Column(0), "나,가,다,가,나");
}

TEST_F(FormsTest, AFilterWithTwoJoinedConditions) {
  CGridFilterDlg dialog(&grid_.model(), &ui_);
  // The operator list of a string column: its item for "포함" (contains).
  WhenShown<FormDialog>([&dialog](FormDialog* d) {
    Type(d->ControlWidget(1006), QStringLiteral("이"));
    Type(d->ControlWidget(1007), QStringLiteral("포"));  // 포함: contains
    Type(d->ControlWidget(1003), QStringLiteral("가"));
    Type(d->ControlWidget(1008), QStringLiteral("그"));  // 그리고: and
    Type(d->ControlWidget(1009), QStringLiteral("수"));
    Type(d->ControlWidget(1010), QStringLiteral(">"));   // >: greater
    Type(d->ControlWidget(1004), QStringLiteral("5"));
    EXPECT_EQ(dialog.operatorCodes(0).at(dialog.operatorSelection(0)), 10);
    EXPECT_EQ(dialog.operatorCodes(1).at(dialog.operatorSelection(1)), 2);
    Picture(d, "filter");
    QTest::keyClick(d->ControlWidget(1004), Qt::Key_Return);  // OK is the default
  });
  EXPECT_EQ(dialog.DoModal(), CGridFilterDlg::kIdOk);
  EXPECT_TRUE(grid_.model().isFiltered());
  EXPECT_EQ(Column(1), "9") << "가 and more than 5";
}

TEST_F(FormsTest, FindNextTwiceThenTheEndQuestionAndARestart) {
  grid_.model().setFocus(-1, -1);
  CGridFindDlg dialog(&grid_, &ui_);
  std::vector<int> rows;
  QString question;
  WhenShown<FormDialog>([&](FormDialog* d) {
    auto* next = qobject_cast<QPushButton*>(d->ControlWidget(1));
    EXPECT_FALSE(next->isEnabled()) << "nothing to find yet";
    Type(d->ControlWidget(1003), QStringLiteral("가"));
    EXPECT_TRUE(next->isEnabled());
    Picture(d, "find");
    QTest::keyClick(d->ControlWidget(1003), Qt::Key_Return);
    rows.push_back(grid_.model().focusedRow());
    QTest::mouseClick(next, Qt::LeftButton);
    rows.push_back(grid_.model().focusedRow());
    WhenShown<QMessageBox>([&, d, next](QMessageBox* box) {
      question = box->text();
      QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
      QTimer::singleShot(20, [&, d] {
        rows.push_back(grid_.model().focusedRow());
        QTest::mouseClick(d->ControlWidget(2), Qt::LeftButton);
      });
    });
    QTest::mouseClick(next, Qt::LeftButton);
  });
  dialog.DoModal();
  EXPECT_EQ(rows, (std::vector<int>{1, 3, 1}));
  EXPECT_EQ(question, QStringLiteral("더 이상 찾을 수 없습니다. 처음부터 다시 검색하시겠습니까?"));
  EXPECT_TRUE(dialog.closed());
}

TEST_F(FormsTest, TheFindCommandLeavesTheDialogOpenBesideTheGrid) {
  grid_.model().setFocus(-1, -1);
  RunFindCommand(&grid_, &ui_);
  // The command returned with the dialog still open and not modal.
  FormDialog* dialog = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* form = qobject_cast<FormDialog*>(top); form != nullptr && form->isVisible()) dialog = form;
  }
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(dialog->isModal());
  QPointer<FormDialog> alive(dialog);
  Type(dialog->ControlWidget(1003), QStringLiteral("다"));
  QTest::mouseClick(dialog->ControlWidget(1), Qt::LeftButton);
  EXPECT_EQ(grid_.model().focusedRow(), 2);
  // The grid goes on while the dialog is open: a value typed now is found.
  grid_.model().setCellStringData(4, 0, "다");
  QTest::mouseClick(dialog->ControlWidget(1), Qt::LeftButton);
  EXPECT_EQ(grid_.model().focusedRow(), 4);
  QTest::mouseClick(dialog->ControlWidget(2), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull()) << "closing frees the dialog and its form";
}

TEST(FindDialogLifetimeTest, AGridThatGoesEndsTheSearch) {
  platform::QtUserInterface ui;
  auto grid = std::make_unique<CGridWnd>();
  grid->model().insertColumn(-1, "a", 100, "a", kDataString, kInputText, "", "", 0, "");
  grid->model().insertRow(-1);
  grid->model().setCellStringData(0, 0, "x");
  auto dialog = std::make_shared<CGridFindDlg>(grid.get(), &ui);
  dialog->SetText("x");
  grid.reset();
  dialog->FindNext();  // must not touch the grid that went
  EXPECT_TRUE(dialog->closed());
}

}  // namespace
}  // namespace maltrove
