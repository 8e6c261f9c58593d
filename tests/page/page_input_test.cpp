// Events fired by user input reach the page's handlers before the control
// goes on: real mouse and key events to a grid on a page.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>

#include "automation/class_registry.h"
#include "automation/library_entry.h"
#include "host/page/jscript_handlers.h"
#include "host/page/page_host.h"
#include "platform/headless_ui.h"

namespace maltrove::host {
namespace {

const char kPage[] = R"html(<!DOCTYPE html>
<html><head><meta charset="utf-8"><style>body { margin: 0; } object { display: block; }</style></head>
<body>
<object id="grid" classid="clsid:DDC012F8-A786-4584-856D-044BC1F49414" width="500" height="200"></object>
<script>
  var log = [];
  grid.setGridStyleXML('<gridStyle><column id="name" name="이름"/>' +
                       '<column id="city" name="도시" inputType="select"/></gridStyle>');
  grid.setColumnCombo(1, "서울;부산", "S;B");
  for (var r = 0; r < 3; r++) grid.insertRow(-1);
  grid.attachEvent("onCellFocused", function (row, col) { log.push("focus " + row + "," + col); });
  grid.attachEvent("onClickCell", function (row, col) { log.push("click " + row + "," + col); });
  function grid::onClickCombo(row, col, datas, values) {
    log.push("combo " + row + "," + col + " " + datas);
    grid.modifyCombo(row, col, "하나;둘;셋", "1;2;3");
  }
</script>
</body></html>)html";

int CellX(int col) { return 65 + col * 103 + 50; }
int CellY(int row) { return 26 + row * 23 + 10; }

class PageInputTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    MaltroveGrid_RegisterClasses(&classes_);
    source_.url = QUrl::fromLocalFile(dir_.filePath(QStringLiteral("page.html")));
    source_.html = RewriteJScriptHandlers(QString::fromUtf8(kPage));
    QFile file(source_.url.toLocalFile());  // what a reload reads
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(source_.html.toUtf8());
    host_ = std::make_unique<PageHost>(classes_, options_, ui_, clock_);
    host_->Start(source_);
    QDeadlineTimer deadline(30000);
    while (!host_->loaded() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(host_->loaded());
    QTest::qWait(300);  // the windows reach their places
    grid_ = host_->ControlWindow(0);
    ASSERT_NE(grid_, nullptr);
  }

  // Runs page script and answers its value as text.
  QString Evaluate(const QString& script) {
    QString result;
    bool done = false;
    host_->view().page()->runJavaScript(script, [&](const QVariant& v) {
      result = v.toString();
      done = true;
    });
    QDeadlineTimer deadline(10000);
    while (!done && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return result;
  }

  QTemporaryDir dir_;
  automation::ClassRegistry classes_;
  PageOptions options_;
  platform::HeadlessUserInterface ui_{std::cerr};
  QElapsedTimer clock_;
  PageSource source_;
  std::unique_ptr<PageHost> host_;
  QWidget* grid_ = nullptr;
};

TEST_F(PageInputTest, ClickRunsHandlersInOrder) {
  Evaluate(QStringLiteral("log = []"));
  QTest::mouseClick(grid_, Qt::LeftButton, Qt::NoModifier, QPoint(CellX(0), CellY(2)));
  EXPECT_EQ(Evaluate(QStringLiteral("log.join('; ')")).toStdString(), "focus 2,0; click 2,0");
}

TEST_F(PageInputTest, ComboHandlerFillsTheListShown) {
  QTest::mouseClick(grid_, Qt::LeftButton, Qt::NoModifier, QPoint(CellX(1), CellY(0)));
  Evaluate(QStringLiteral("log = []"));
  grid_->setFocus();
  QTest::keyClick(grid_, Qt::Key_F2);
  auto* combo = grid_->findChild<QComboBox*>();
  ASSERT_NE(combo, nullptr);
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items.append(combo->itemText(i));
  EXPECT_EQ(items.join(QLatin1Char(';')).toStdString(), "하나;둘;셋");
  // The cell had no list of its own before the handler gave it one.
  EXPECT_EQ(Evaluate(QStringLiteral("log.join('; ')")).toStdString(), "combo 0,1 ");
}

// The window's place in the view's coordinates.
QRect PlaceInView(QWidget* window, QWidget* view) {
  return QRect(window->mapTo(view, QPoint(0, 0)), window->size());
}

TEST_F(PageInputTest, WindowFollowsLayoutAndZoom) {
  QWidget* view = &host_->view();
  EXPECT_EQ(PlaceInView(grid_, view), QRect(0, 0, 500, 200));
  Evaluate(QStringLiteral("var d = document.createElement('div'); d.style.height = '40px';"
                          "document.body.insertBefore(d, grid); 1"));
  QTest::qWait(300);
  EXPECT_EQ(PlaceInView(grid_, view), QRect(0, 40, 500, 200));
  host_->view().page()->setZoomFactor(1.5);
  QTest::qWait(500);
  EXPECT_EQ(PlaceInView(grid_, view), QRect(0, 60, 750, 300));
}

TEST_F(PageInputTest, WindowFollowsThePageScrolling) {
  Evaluate(QStringLiteral("document.body.style.height = '3000px'; window.scrollTo(0, 30); 1"));
  QTest::qWait(300);
  EXPECT_EQ(PlaceInView(grid_, &host_->view()), QRect(0, -30, 500, 200));
}

// A page reloaded, or left for another origin (here the error page of a
// refused connection), takes its controls' windows along.
TEST_F(PageInputTest, NewDocumentReleasesTheControls) {
  QPointer<QWidget> first = grid_;
  Evaluate(QStringLiteral("location.reload(); 1"));
  QDeadlineTimer deadline(10000);
  while ((first || !host_->ControlWindow(0)) && !deadline.hasExpired()) QTest::qWait(20);
  EXPECT_TRUE(first.isNull());
  QPointer<QWidget> second = host_->ControlWindow(0);
  ASSERT_FALSE(second.isNull());
  Evaluate(QStringLiteral("location.href = 'http://127.0.0.1:1/'; 1"));
  deadline.setRemainingTime(10000);
  while (second && !deadline.hasExpired()) QTest::qWait(20);
  EXPECT_TRUE(second.isNull());
}

}  // namespace
}  // namespace maltrove::host

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
