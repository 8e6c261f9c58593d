// Result codes of the automation layer, with the values COM gives them, so
// that script sees the numbers it would see from the original controls.
#pragma once

#include <cstdint>

namespace maltrove::automation {

enum class HResult : uint32_t {
  kOk = 0,
  kFail = 0x80004005,            // E_FAIL
  kNoInterface = 0x80004002,     // E_NOINTERFACE
  kOutOfMemory = 0x8007000E,     // E_OUTOFMEMORY
  kMemberNotFound = 0x80020003,  // DISP_E_MEMBERNOTFOUND
  kTypeMismatch = 0x80020005,    // DISP_E_TYPEMISMATCH
  kUnknownName = 0x80020006,     // DISP_E_UNKNOWNNAME
  kOverflow = 0x8002000A,        // DISP_E_OVERFLOW
  kException = 0x80020009,       // DISP_E_EXCEPTION
  kBadParamCount = 0x8002000E,   // DISP_E_BADPARAMCOUNT
  kClassNotRegistered = 0x80040154,  // REGDB_E_CLASSNOTREG
};

inline bool Succeeded(HResult hr) { return hr == HResult::kOk; }

// A short English text for messages of the script host.
const char* Describe(HResult hr);

}  // namespace maltrove::automation
