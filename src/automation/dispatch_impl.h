// DispatchImpl<T>: implements DispatchObject for a control class T from its
// static member table (T::Table()) and event list (T::EventList()).
#pragma once

#include "automation/dispatch_object.h"
#include "automation/member_table.h"

namespace maltrove::automation {

template <class T>
class DispatchImpl : public DispatchObject {
 public:
  HResult GetDispId(std::string_view name, DispId* id) const override {
    return T::Table().FindDispId(name, id);
  }
  HResult Invoke(DispId id, MemberKind kind, const std::vector<Variant>& args, Variant* result,
                 std::string* exception = nullptr) override {
    return T::Table().Invoke(static_cast<T&>(*this), id, kind, args, result, exception);
  }
  std::vector<MemberInfo> Members() const override { return T::Table().Members(); }
  const std::vector<EventInfo>& Events() const override { return T::EventList(); }
  bool HasMember(DispId id, MemberKind kind) const override {
    return T::Table().Find(id, kind) != nullptr;
  }
  void Advise(EventSink* sink) override { events_.Advise(sink); }
  void Unadvise(EventSink* sink) override { events_.Unadvise(sink); }
  HResult GetInterfaceSafetyOptions(SafetyInterface iface, SafetyOptions* options) override {
    return StandardGetSafetyOptions(iface, options);
  }
  HResult SetInterfaceSafetyOptions(SafetyInterface iface, uint32_t mask,
                                    uint32_t enabled) override {
    return StandardSetSafetyOptions(iface, mask, enabled);
  }

 protected:
  void FireEvent(DispId id, const std::vector<Variant>& args) const {
    for (const EventInfo& event : T::EventList()) {
      if (event.dispid == id) {
        events_.Fire(event, args);
        return;
      }
    }
  }

 private:
  ConnectionPoint events_;
};

}  // namespace maltrove::automation
