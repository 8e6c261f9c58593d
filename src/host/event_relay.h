// EventRelay: the sink the host connects to a control. An event raised on
// the script's thread is handed on at once, as COM delivers it; one raised on
// any other thread is queued to the script's thread and handed on there when
// the host next calls DeliverQueued().
#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "automation/event_sink.h"

namespace maltrove::host {

class EventRelay : public QObject, public automation::EventSink {
 public:
  using Handler = std::function<void(const automation::EventInfo& event,
                                     const std::vector<automation::Variant>& args)>;

  // Lives on the creating (script) thread; queued events die with it.
  EventRelay(Handler handler, QObject* parent);

  void OnEvent(const automation::EventInfo& event,
               const std::vector<automation::Variant>& args) override;

  // Hands on every event queued to the calling thread.
  static void DeliverQueued();

 private:
  Handler handler_;
};

}  // namespace maltrove::host
