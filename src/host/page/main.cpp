// maltrove-page PAGE [options]: shows a page in Qt WebEngine with its
// <object> elements as the controls; without a display it draws off screen
// and answers dialogs from --answer options.
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <iostream>
#include <memory>

#include "automation/class_registry.h"
#include "automation/library_entry.h"
#include "host/page/page_host.h"
#include "host/page/page_options.h"
#include "host/page/page_source.h"
#include "host/choosing_ui.h"
#include "host/quiet_platform.h"
#include "platform/headless_ui.h"

namespace {

constexpr int kUsageStatus = 2;

bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Qt's offscreen platform when there is no display and no platform asked for.
void ChoosePlatform() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !HasDisplay()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
}

// Chromium refuses to start its sandbox as root.
void AllowRoot() {
  if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
}

QtMessageHandler previous_handler = nullptr;

// The engine reports its graphics set-up at length on every start.
void QuietEngine(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg &&
      (qstrcmp(context.category, "qt.webenginecontext") == 0 ||
       message.startsWith(QLatin1String("WebEngineContext used before")))) {
    return;
  }
  previous_handler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  maltrove::host::PageOptions options;
  QString error;
  if (!maltrove::host::ParsePageOptions(arguments, &options, &error)) {
    std::cerr << "maltrove-page: " << error.toStdString() << '\n' << maltrove::host::kPageUsage;
    return kUsageStatus;
  }
  ChoosePlatform();
  AllowRoot();
  maltrove::host::SilencePlatformNotices();
  previous_handler = qInstallMessageHandler(QuietEngine);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);

  maltrove::host::PageSource page;
  if (!maltrove::host::LoadPageSource(options.page, &page, &error)) {
    std::cerr << "maltrove-page: " << error.toStdString() << std::endl;
    return 1;
  }

  maltrove::automation::ClassRegistry classes;
  MaltroveGrid_RegisterClasses(&classes);
  MaltroveDBGateway_RegisterClasses(&classes);

  // Real dialogs on a display; without one, DIALOG lines answered in order.
  // Answers given on the command line come first either way.
  maltrove::platform::HeadlessUserInterface queue(std::cerr);
  for (const QString& answer : options.answers) queue.QueueAnswer(answer.toStdString());
  maltrove::host::ChoosingUserInterface ui(&queue);

  maltrove::host::PageHost host(classes, options, ui, clock);
  return host.Run(page);
}
