// The real dialogs: message boxes answer by the button pressed, the progress
// dialog refuses Escape until its operation ends, file filters read as Qt's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

#include "platform/progress_operation.h"
#include "platform/qt/file_filter.h"
#include "platform/qt/qt_progress_dialog.h"
#include "platform/qt/qt_user_interface.h"

namespace maltrove::platform {
namespace {

// Runs `act` on the modal dialog as soon as it is shown.
void WhenModalShown(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(modal);
  });
  timer->start(10);
}

TEST(QtMessageBoxTest, AnswersByTheButtonPressedWithKoreanTexts) {
  QtUserInterface ui;
  QString caption, text;
  WhenModalShown([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    text = box->text();
    QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
  });
  EXPECT_EQ(ui.ShowMessage("Microsoft Internet Explorer", "파일을 여시겠습니까?",
                           MessageBoxButtons::kYesNo),
            MessageBoxAnswer::kNo);
  EXPECT_EQ(caption, QStringLiteral("Microsoft Internet Explorer"));
  EXPECT_EQ(text, QStringLiteral("파일을 여시겠습니까?"));

  WhenModalShown([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
  EXPECT_EQ(ui.ShowMessage("c", "t", MessageBoxButtons::kYesNoCancel), MessageBoxAnswer::kCancel);
  WhenModalShown([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
  EXPECT_EQ(ui.ShowMessage("c", "t", MessageBoxButtons::kOk), MessageBoxAnswer::kOk);
}

TEST(QtProgressDialogTest, EscapeIsRefusedUntilTheWorkIsDone) {
  QtUserInterface ui;
  std::atomic<bool> escapePressed{false};
  std::atomic<bool> stillShownAfterEscape{false};
  std::atomic<bool> release{false};
  WhenModalShown([&](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), QStringLiteral("잠시만 기다려 주십시오."));
    QTest::keyClick(modal, Qt::Key_Escape);
    modal->close();
    escapePressed = true;
    QTimer::singleShot(50, [&, modal] {
      stillShownAfterEscape = modal->isVisible();
      release = true;
    });
  });
  int steps = 0;
  const bool ok = RunModalOperation(&ui, "데이터를 읽어오고 있습니다.", [&](ProgressDialog& dialog) {
    dialog.SetRange(10);
    // The dialog's timer releases the work; the deadline keeps a broken
    // dialog from hanging the test.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!release && std::chrono::steady_clock::now() < deadline) {
      dialog.Step();
      ++steps;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  });
  EXPECT_TRUE(escapePressed);
  EXPECT_TRUE(stillShownAfterEscape);
  EXPECT_TRUE(ok) << "the operation's own OK ends it";
  EXPECT_GT(steps, 0);
}

TEST(QtProgressDialogTest, AFailedOperationEndsWithCancel) {
  QtUserInterface ui;
  EXPECT_FALSE(RunModalOperation(&ui, "x", [](ProgressDialog&) -> bool {
    throw std::runtime_error("worker failed");
  }));
}

TEST(FileFilterTest, WindowsFiltersBecomeQtFilters) {
  EXPECT_EQ(QtFileFilter("Text Files (*.csv)|*.csv|Text Files (*.csv;*.txt)|*.csv;*.txt|All Files (*.*)|*.*||"),
            QStringLiteral("Text Files (*.csv);;Text Files (*.csv *.txt);;All Files (*.*)"));
  EXPECT_EQ(WithDefaultExtension(QStringLiteral("/tmp/out"), "csv"), QStringLiteral("/tmp/out.csv"));
  EXPECT_EQ(WithDefaultExtension(QStringLiteral("/tmp/out.txt"), "csv"), QStringLiteral("/tmp/out.txt"));
}

}  // namespace
}  // namespace maltrove::platform
