#include "automation/event_sink.h"

#include <algorithm>

namespace maltrove::automation {

void ConnectionPoint::Advise(EventSink* sink) {
  if (std::find(sinks_.begin(), sinks_.end(), sink) == sinks_.end()) sinks_.push_back(sink);
}

void ConnectionPoint::Unadvise(EventSink* sink) {
  sinks_.erase(std::remove(sinks_.begin(), sinks_.end(), sink), sinks_.end());
}

void ConnectionPoint::Fire(const EventInfo& event, const std::vector<Variant>& args) const {
  std::vector<EventSink*> snapshot = sinks_;
  for (EventSink* sink : snapshot) sink->OnEvent(event, args);
}

}  // namespace maltrove::automation
