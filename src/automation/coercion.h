// Argument coercion as COM's VariantChangeType does it for the parameter
// types of the controls: numbers become their text for a string parameter, a
// numeric string becomes its number for a long, anything else is a type
// mismatch.
#pragma once

#include "automation/hresult.h"
#include "automation/variant.h"

namespace maltrove::automation {

HResult Coerce(const Variant& in, ValueType to, Variant* out);

// The text COM gives a double (up to 15 significant digits, "1E+20" form).
std::string DoubleToText(double v);

}  // namespace maltrove::automation
