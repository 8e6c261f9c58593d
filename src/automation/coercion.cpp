#include "automation/coercion.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace maltrove::automation {

namespace {

constexpr int32_t kComTrue = -1;  // VARIANT_TRUE

// Parses the whole text (blanks allowed around it) as a decimal number.
bool ParseNumber(const std::string& text, double* out) {
  const char* begin = text.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  if (*begin == '\0') return false;
  // strtod also reads hexadecimal, "inf" and "nan"; COM reads none of them.
  for (const char* p = begin; *p; ++p) {
    if (std::isalpha(static_cast<unsigned char>(*p)) && *p != 'e' && *p != 'E') {
      return false;
    }
  }
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(begin, &end);
  if (end == begin || errno == ERANGE) return false;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0') return false;
  *out = v;
  return true;
}

HResult DoubleToLong(double v, Variant* out) {
  double rounded = std::nearbyint(v);  // round half to even, as COM does
  if (!(rounded >= std::numeric_limits<int32_t>::min() &&
        rounded <= std::numeric_limits<int32_t>::max())) {
    return HResult::kOverflow;
  }
  *out = Variant(static_cast<int32_t>(rounded));
  return HResult::kOk;
}

HResult ToLong(const Variant& in, Variant* out) {
  switch (in.type()) {
    case VarType::kEmpty: *out = Variant(int32_t{0}); return HResult::kOk;
    case VarType::kLong: *out = in; return HResult::kOk;
    case VarType::kDouble: return DoubleToLong(in.asDouble(), out);
    case VarType::kBool:
      *out = Variant(in.asBool() ? kComTrue : int32_t{0});
      return HResult::kOk;
    case VarType::kString: {
      double v = 0;
      if (!ParseNumber(in.asString(), &v)) return HResult::kTypeMismatch;
      return DoubleToLong(v, out);
    }
    case VarType::kDispatch: break;
  }
  return HResult::kTypeMismatch;
}

HResult ToDouble(const Variant& in, Variant* out) {
  switch (in.type()) {
    case VarType::kEmpty: *out = Variant(0.0); return HResult::kOk;
    case VarType::kLong: *out = Variant(static_cast<double>(in.asLong())); return HResult::kOk;
    case VarType::kDouble: *out = in; return HResult::kOk;
    case VarType::kBool: *out = Variant(in.asBool() ? -1.0 : 0.0); return HResult::kOk;
    case VarType::kString: {
      double v = 0;
      if (!ParseNumber(in.asString(), &v)) return HResult::kTypeMismatch;
      *out = Variant(v);
      return HResult::kOk;
    }
    case VarType::kDispatch: break;
  }
  return HResult::kTypeMismatch;
}

HResult ToString(const Variant& in, Variant* out) {
  switch (in.type()) {
    case VarType::kEmpty: *out = Variant(std::string()); return HResult::kOk;
    case VarType::kLong: *out = Variant(std::to_string(in.asLong())); return HResult::kOk;
    case VarType::kDouble: *out = Variant(DoubleToText(in.asDouble())); return HResult::kOk;
    case VarType::kBool: *out = Variant(in.asBool() ? "-1" : "0"); return HResult::kOk;
    case VarType::kString: *out = in; return HResult::kOk;
    case VarType::kDispatch: break;
  }
  return HResult::kTypeMismatch;
}

HResult ToBool(const Variant& in, Variant* out) {
  switch (in.type()) {
    case VarType::kEmpty: *out = Variant(false); return HResult::kOk;
    case VarType::kLong: *out = Variant(in.asLong() != 0); return HResult::kOk;
    case VarType::kDouble: *out = Variant(in.asDouble() != 0.0); return HResult::kOk;
    case VarType::kBool: *out = in; return HResult::kOk;
    case VarType::kString: {
      const std::string& s = in.asString();
      if (s == "True" || s == "true") { *out = Variant(true); return HResult::kOk; }
      if (s == "False" || s == "false") { *out = Variant(false); return HResult::kOk; }
      double v = 0;
      if (!ParseNumber(s, &v)) return HResult::kTypeMismatch;
      *out = Variant(v != 0.0);
      return HResult::kOk;
    }
    case VarType::kDispatch: break;
  }
  return HResult::kTypeMismatch;
}

}  // namespace

std::string DoubleToText(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", v);
  return buffer;
}

HResult Coerce(const Variant& in, ValueType to, Variant* out) {
  switch (to) {
    case ValueType::kLong: return ToLong(in, out);
    case ValueType::kDouble: return ToDouble(in, out);
    case ValueType::kString: return ToString(in, out);
    case ValueType::kBool: return ToBool(in, out);
    case ValueType::kVariant: *out = in; return HResult::kOk;
    case ValueType::kNone: break;
  }
  return HResult::kTypeMismatch;
}

}  // namespace maltrove::automation
