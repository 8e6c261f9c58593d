#include "host/choosing_ui.h"

#include <QGuiApplication>

namespace maltrove::host {

bool ChoosingUserInterface::HasDisplay() {
  const QString platform = QGuiApplication::platformName();
  return !platform.isEmpty() && platform != QLatin1String("offscreen") &&
         platform != QLatin1String("minimal");
}

platform::UserInterface& ChoosingUserInterface::Choose() {
  if (queue_->PendingAnswers() > 0 || !HasDisplay()) return *queue_;
  return windows_;
}

}  // namespace maltrove::host
