// Variant: the value that crosses the automation boundary, like COM's VARIANT
// restricted to the types the controls use. Strings are UTF-8.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace maltrove::automation {

class DispatchObject;

enum class VarType { kEmpty, kLong, kDouble, kString, kBool, kDispatch };

// The declared type of a parameter or result in a member table.
enum class ValueType { kNone, kLong, kDouble, kString, kBool, kVariant };

class Variant {
 public:
  Variant() = default;
  Variant(int32_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(bool v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(std::shared_ptr<DispatchObject> v) : value_(std::move(v)) {}

  VarType type() const { return static_cast<VarType>(value_.index()); }
  bool isEmpty() const { return type() == VarType::kEmpty; }

  // Accessors; each requires the matching type().
  int32_t asLong() const { return std::get<int32_t>(value_); }
  double asDouble() const { return std::get<double>(value_); }
  bool asBool() const { return std::get<bool>(value_); }
  const std::string& asString() const { return std::get<std::string>(value_); }
  const std::shared_ptr<DispatchObject>& asDispatch() const {
    return std::get<std::shared_ptr<DispatchObject>>(value_);
  }

  bool operator==(const Variant& other) const { return value_ == other.value_; }

 private:
  std::variant<std::monostate, int32_t, double, std::string, bool,
               std::shared_ptr<DispatchObject>>
      value_;
};

const char* TypeName(ValueType t);

}  // namespace maltrove::automation
