#include "host/page/wire_value.h"

#include <QJsonObject>

#include "host/variant_convert.h"

namespace maltrove::host {

using automation::Variant;
using automation::VarType;

bool FromWire(const QJsonValue& value, const ObjectAt& objects, Variant* out) {
  switch (value.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined: *out = Variant(); return true;
    case QJsonValue::Bool: *out = Variant(value.toBool()); return true;
    case QJsonValue::Double: {
      const double v = value.toDouble();
      *out = IsLongNumber(v) ? Variant(static_cast<int32_t>(v)) : Variant(v);
      return true;
    }
    case QJsonValue::String: *out = Variant(value.toString().toStdString()); return true;
    case QJsonValue::Object: {
      const QJsonValue index = value.toObject().value(QLatin1String("$o"));
      if (!index.isDouble()) return false;
      std::shared_ptr<automation::DispatchObject> object = objects(index.toInt(-1));
      if (!object) return false;
      *out = Variant(std::move(object));
      return true;
    }
    case QJsonValue::Array: return false;
  }
  return false;
}

QJsonValue ToWire(const Variant& value, const IndexOf& indexes) {
  switch (value.type()) {
    case VarType::kEmpty: return QJsonValue(QJsonValue::Null);
    case VarType::kLong: return QJsonValue(value.asLong());
    case VarType::kDouble: return QJsonValue(value.asDouble());
    case VarType::kString: return QJsonValue(QString::fromStdString(value.asString()));
    case VarType::kBool: return QJsonValue(value.asBool());
    case VarType::kDispatch: {
      const int index = value.asDispatch() ? indexes(value.asDispatch().get()) : -1;
      if (index < 0) return QJsonValue(QJsonValue::Null);
      return QJsonObject{{QStringLiteral("$o"), index}};
    }
  }
  return QJsonValue(QJsonValue::Null);
}

}  // namespace maltrove::host
