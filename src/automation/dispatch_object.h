// DispatchObject: the late-bound interface of a control, the counterpart of
// IDispatch with connection points and property-bag persistence. Hosts see
// controls only through it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/event_sink.h"
#include "automation/hresult.h"
#include "automation/member_info.h"
#include "automation/variant.h"

namespace maltrove::automation {

// The page's <param> elements: name -> text, as the property bag holds them.
using PropertyBag = std::map<std::string, std::string>;

// Interfaces the safety query can ask about (IObjectSafety's riid).
enum class SafetyInterface { kDispatch, kPersistPropertyBag, kOther };

struct SafetyOptions {
  uint32_t supported = 0;
  uint32_t enabled = 0;
};

class DispatchObject {
 public:
  virtual ~DispatchObject() = default;

  // GetIDsOfNames: case-insensitive.
  virtual HResult GetDispId(std::string_view name, DispId* id) const = 0;
  // A member that fails with an error of its own answers kException and
  // describes it in *exception (EXCEPINFO's description).
  virtual HResult Invoke(DispId id, MemberKind kind, const std::vector<Variant>& args,
                         Variant* result, std::string* exception = nullptr) = 0;
  // The type information: every member and every event of the class.
  virtual std::vector<MemberInfo> Members() const = 0;
  virtual const std::vector<EventInfo>& Events() const = 0;
  virtual bool HasMember(DispId id, MemberKind kind) const = 0;

  // Connection point of the event interface.
  virtual void Advise(EventSink* sink) = 0;
  virtual void Unadvise(EventSink* sink) = 0;

  // Property-bag persistence (IPersistPropertyBag).
  virtual void LoadProperties(const PropertyBag& bag) = 0;
  virtual PropertyBag SaveProperties() = 0;

  // IObjectSafety.
  virtual HResult GetInterfaceSafetyOptions(SafetyInterface iface, SafetyOptions* options) = 0;
  virtual HResult SetInterfaceSafetyOptions(SafetyInterface iface, uint32_t mask,
                                            uint32_t enabled) = 0;

  // In-place activation: creates the control's window as a child of the
  // host's window `parent` (a QWidget*) and answers it (a QWidget*), or
  // nullptr for a control without a window. Called once per control.
  virtual void* InPlaceActivate(void* parent) {
    (void)parent;
    return nullptr;
  }

  // Invoke by name: the host's usual path.
  HResult InvokeByName(std::string_view name, MemberKind kind, const std::vector<Variant>& args,
                       Variant* result);
};

// The safety answers both controls give: safe for untrusted callers and data.
HResult StandardGetSafetyOptions(SafetyInterface iface, SafetyOptions* options);
HResult StandardSetSafetyOptions(SafetyInterface iface, uint32_t mask, uint32_t enabled);

}  // namespace maltrove::automation
