// The description of one automation member or event: what a type library
// holds for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "automation/variant.h"

namespace maltrove::automation {

using DispId = int32_t;

enum class MemberKind { kMethod, kPropertyGet, kPropertyPut };

struct MemberInfo {
  DispId dispid;
  std::string name;
  MemberKind kind;
  std::vector<ValueType> params;
  ValueType result;
};

struct EventInfo {
  DispId dispid;
  std::string name;
  std::vector<ValueType> params;
};

const char* KindName(MemberKind kind);

}  // namespace maltrove::automation
