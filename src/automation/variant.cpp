#include "automation/variant.h"

namespace maltrove::automation {

const char* TypeName(ValueType t) {
  switch (t) {
    case ValueType::kNone: return "none";
    case ValueType::kLong: return "long";
    case ValueType::kDouble: return "double";
    case ValueType::kString: return "string";
    case ValueType::kBool: return "bool";
    case ValueType::kVariant: return "variant";
  }
  return "?";
}

}  // namespace maltrove::automation
