// Event delivery: a host connects an EventSink to a control's connection
// point; the control fires its events through the point.
#pragma once

#include <string>
#include <vector>

#include "automation/member_info.h"
#include "automation/variant.h"

namespace maltrove::automation {

class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void OnEvent(const EventInfo& event, const std::vector<Variant>& args) = 0;
};

class ConnectionPoint {
 public:
  void Advise(EventSink* sink);
  void Unadvise(EventSink* sink);
  // Calls every connected sink; a sink may disconnect itself while called.
  void Fire(const EventInfo& event, const std::vector<Variant>& args) const;

 private:
  std::vector<EventSink*> sinks_;
};

}  // namespace maltrove::automation
