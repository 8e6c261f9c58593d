#include "io/numeric_affinity.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdint>

namespace maltrove {

namespace {

// -?digits(.digits)? with at most 15 digits in all: the digits are exact as
// an integer, and the number is that integer divided by a power of ten.
// False for every other form, and for a quotient whose rounding to double
// differs between one step and the two steps through long double that
// SQLite may take: such texts are left to SQLite.
bool ReadPlainDecimal(std::string_view s, double* number) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  size_t i = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (negative) ++i;
  uint64_t mantissa = 0;
  int digits = 0;
  int before = 0;     // digits before the "."
  int decimals = -1;  // digits after it, -1 without one
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      if (++digits > 15) return false;
      mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      if (decimals >= 0) ++decimals;
      else ++before;
    } else if (c == '.' && decimals < 0) {
      decimals = 0;
    } else {
      return false;
    }
  }
  if (before == 0 || decimals == 0) return false;
  // Zero of any sign is stored as the integer 0.
  if (mantissa == 0) {
    *number = 0;
    return true;
  }
  double value = static_cast<double>(mantissa);
  if (decimals > 0) {
    const double power = kPowers[decimals];
    value /= power;
    const long double wide =
        static_cast<long double>(mantissa) / static_cast<long double>(power);
    if (static_cast<double>(wide) != value) return false;
  }
  *number = negative ? -value : value;
  return true;
}

// True when the text holds a byte no SQLite number is written with.
bool CannotBeNumber(std::string_view s) {
  for (const char c : s) {
    const bool numberByte = (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' ||
                            c == 'e' || c == 'E' || c == ' ' || (c >= '\t' && c <= '\r');
    if (!numberByte) return true;
  }
  return false;
}

}  // namespace

NumericAffinity::~NumericAffinity() {
  sqlite3_finalize(select_);
  sqlite3_close_v2(db_);
}

NumericAffinity::Value NumericAffinity::Apply(std::string_view text) {
  Value value;
  if (ReadPlainDecimal(text, &value.number)) {
    value.isNumber = true;
    return value;
  }
  if (text.empty() || CannotBeNumber(text)) {
    value.text = text;
    return value;
  }
  return AskSqlite(text);
}

NumericAffinity::Value NumericAffinity::AskSqlite(std::string_view text) {
  Value value;
  value.text = text;
  if (select_ == nullptr) {
    if (db_ == nullptr &&
        sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
      return value;
    }
    if (sqlite3_prepare_v2(db_, "SELECT ?", -1, &select_, nullptr) != SQLITE_OK) return value;
  }
  sqlite3_bind_text(select_, 1, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
  if (sqlite3_step(select_) == SQLITE_ROW) {
    // The column's own value may not be converted; a copy of it may.
    sqlite3_value* copy = sqlite3_value_dup(sqlite3_column_value(select_, 0));
    switch (copy != nullptr ? sqlite3_value_numeric_type(copy) : SQLITE_TEXT) {
      case SQLITE_INTEGER:
        value.isNumber = true;
        value.number = static_cast<double>(sqlite3_value_int64(copy));
        break;
      case SQLITE_FLOAT: {
        const double number = sqlite3_value_double(copy);
        if (std::isfinite(number)) {
          // A column stores a whole number as an integer: -0.0 becomes 0.
          value.isNumber = true;
          value.number = number == 0 ? 0.0 : number;
        } else {
          rendered_.assign(reinterpret_cast<const char*>(sqlite3_value_text(copy)),
                           static_cast<size_t>(sqlite3_value_bytes(copy)));
          value.text = rendered_;
        }
        break;
      }
      default:
        break;
    }
    sqlite3_value_free(copy);
  }
  sqlite3_reset(select_);
  sqlite3_clear_bindings(select_);
  return value;
}

}  // namespace maltrove
