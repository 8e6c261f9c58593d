// Conversion of values between script and the automation layer.
#pragma once

#include <QJSValue>
#include <memory>

#include "automation/dispatch_object.h"
#include "automation/variant.h"

namespace maltrove::host {

// The host's table of the controls that script sees, one proxy each.
class ObjectTable {
 public:
  virtual ~ObjectTable() = default;
  // The proxy standing for the object; made on first sight.
  virtual QJSValue ProxyOf(const std::shared_ptr<automation::DispatchObject>& object) = 0;
  // The control behind a bridge value, or nothing when the value is none.
  virtual std::shared_ptr<automation::DispatchObject> ObjectOf(const QJSValue& value) = 0;
};

// Whether a script number is integral and within int32 range: such numbers
// reach the controls as longs, others as doubles.
bool IsLongNumber(double v);

// Integral numbers in int32 range become longs, other numbers doubles.
// False when the value has no automation counterpart (a plain object, a
// function): the caller reports a type mismatch.
bool ToVariant(const QJSValue& value, ObjectTable& objects, automation::Variant* out);

QJSValue ToScript(const automation::Variant& value, ObjectTable& objects);

}  // namespace maltrove::host
