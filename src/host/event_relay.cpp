#include "host/event_relay.h"

#include <QCoreApplication>
#include <QThread>

namespace maltrove::host {

EventRelay::EventRelay(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

void EventRelay::OnEvent(const automation::EventInfo& event,
                         const std::vector<automation::Variant>& args) {
  if (QThread::currentThread() == thread()) {
    handler_(event, args);
    return;
  }
  QMetaObject::invokeMethod(
      this, [this, event, args] { handler_(event, args); }, Qt::QueuedConnection);
}

void EventRelay::DeliverQueued() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

}  // namespace maltrove::host
