#include "automation/dispatch_object.h"

namespace maltrove::automation {

namespace {
constexpr uint32_t kSafeForUntrustedCallerAndData = 3;
}

HResult DispatchObject::InvokeByName(std::string_view name, MemberKind kind,
                                     const std::vector<Variant>& args, Variant* result) {
  DispId id = 0;
  HResult hr = GetDispId(name, &id);
  if (!Succeeded(hr)) return hr;
  return Invoke(id, kind, args, result);
}

HResult StandardGetSafetyOptions(SafetyInterface iface, SafetyOptions* options) {
  options->supported = kSafeForUntrustedCallerAndData;
  options->enabled = kSafeForUntrustedCallerAndData;
  return iface == SafetyInterface::kOther ? HResult::kNoInterface : HResult::kOk;
}

HResult StandardSetSafetyOptions(SafetyInterface iface, uint32_t mask, uint32_t enabled) {
  if (iface == SafetyInterface::kOther) return HResult::kNoInterface;
  if (mask < 4 && (mask & enabled) == mask) return HResult::kOk;
  return HResult::kFail;
}

}  // namespace maltrove::automation
