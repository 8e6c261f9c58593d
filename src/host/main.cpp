// maltrove-script FILE.js [ARG ...]: runs a script against the controls in
// the manner of Windows Script Host; without a display its windows are drawn
// off screen.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <iostream>

#include "automation/class_registry.h"
#include "automation/library_entry.h"
#include "host/quiet_platform.h"
#include "host/script_host.h"

namespace {

constexpr int kUsageStatus = 2;

const char kUsage[] =
    "usage: maltrove-script FILE.js [ARG ...]\n"
    "Runs FILE.js with WScript and ActiveXObject; ARGs are WScript.Arguments.\n";

// Qt's offscreen platform when there is no display and no platform asked for.
void ChoosePlatform() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << kUsage;
    return kUsageStatus;
  }
  ChoosePlatform();
  maltrove::host::SilencePlatformNotices();

  QStringList arguments;
  for (int i = 2; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  const QString given = QString::fromLocal8Bit(argv[1]);
  QApplication app(argc, argv);

  const QString path = QFileInfo(given).absoluteFilePath();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    std::cerr << "maltrove-script: cannot open " << given.toStdString() << ": "
              << file.errorString().toStdString() << std::endl;
    return 1;
  }
  const QString source = QString::fromUtf8(file.readAll());

  maltrove::automation::ClassRegistry classes;
  MaltroveGrid_RegisterClasses(&classes);
  MaltroveDBGateway_RegisterClasses(&classes);

  maltrove::host::ScriptHost host(classes, path, arguments);
  return host.Run(source);
}
