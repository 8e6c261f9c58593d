#include "host/variant_convert.h"

#include <cmath>
#include <limits>

namespace maltrove::host {

using automation::Variant;
using automation::VarType;

bool IsLongNumber(double v) {
  return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max() &&
         std::trunc(v) == v;
}

bool ToVariant(const QJSValue& value, ObjectTable& objects, Variant* out) {
  if (value.isUndefined() || value.isNull()) {
    *out = Variant();
  } else if (value.isBool()) {
    *out = Variant(value.toBool());
  } else if (value.isNumber()) {
    const double v = value.toNumber();
    if (IsLongNumber(v)) {
      *out = Variant(static_cast<int32_t>(v));
    } else {
      *out = Variant(v);
    }
  } else if (value.isString()) {
    *out = Variant(value.toString().toStdString());
  } else if (std::shared_ptr<automation::DispatchObject> object = objects.ObjectOf(value)) {
    *out = Variant(std::move(object));
  } else {
    return false;
  }
  return true;
}

QJSValue ToScript(const Variant& value, ObjectTable& objects) {
  switch (value.type()) {
    case VarType::kEmpty: break;
    case VarType::kLong: return QJSValue(value.asLong());
    case VarType::kDouble: return QJSValue(value.asDouble());
    case VarType::kString: return QJSValue(QString::fromStdString(value.asString()));
    case VarType::kBool: return QJSValue(value.asBool());
    case VarType::kDispatch:
      if (value.asDispatch()) return objects.ProxyOf(value.asDispatch());
      return QJSValue(QJSValue::NullValue);
  }
  return QJSValue(QJSValue::UndefinedValue);
}

}  // namespace maltrove::host
