// Values on the wire between the page bridge and the host: JSON numbers,
// strings, booleans, null for empty, and {"$o": index} for a control.
#pragma once

#include <QJsonValue>
#include <functional>
#include <memory>

#include "automation/variant.h"

namespace maltrove::host {

using ObjectAt = std::function<std::shared_ptr<automation::DispatchObject>(int index)>;
using IndexOf = std::function<int(const automation::DispatchObject* object)>;

// Integral numbers in int32 range become longs, other numbers doubles, as
// maltrove-script converts them. False for a value without an automation
// counterpart.
bool FromWire(const QJsonValue& value, const ObjectAt& objects, automation::Variant* out);

// A control the page does not know (index -1) reads as null.
QJsonValue ToWire(const automation::Variant& value, const IndexOf& indexes);

}  // namespace maltrove::host
