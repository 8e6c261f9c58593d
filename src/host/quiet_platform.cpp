#include "host/quiet_platform.h"

#include <QString>
#include <QtGlobal>

namespace maltrove::host {

namespace {

QtMessageHandler previous = nullptr;

bool IsPlatformNotice(const QString& message) {
  return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")) ||
         message.startsWith(QLatin1String("This plugin does not support"));
}

void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg && IsPlatformNotice(message)) return;
  previous(type, context, message);
}

}  // namespace

void SilencePlatformNotices() {
  if (previous == nullptr) previous = qInstallMessageHandler(Filter);
}

}  // namespace maltrove::host
