#include "automation/hresult.h"

namespace maltrove::automation {

const char* Describe(HResult hr) {
  switch (hr) {
    case HResult::kOk: return "success";
    case HResult::kFail: return "unspecified failure";
    case HResult::kNoInterface: return "no such interface supported";
    case HResult::kOutOfMemory: return "out of memory";
    case HResult::kMemberNotFound: return "member not found";
    case HResult::kTypeMismatch: return "type mismatch";
    case HResult::kUnknownName: return "unknown name";
    case HResult::kOverflow: return "overflow";
    case HResult::kException: return "exception occurred";
    case HResult::kBadParamCount: return "invalid number of parameters";
    case HResult::kClassNotRegistered: return "class not registered";
  }
  return "unknown error";
}

}  // namespace maltrove::automation
