#include "io/numeric_affinity.h"

#include <sqlite3.h>

#include <cmath>

#include "model/number_text.h"
#include "shared/trim.h"

namespace maltrove {

namespace {

// -?digits(.digits)? with at most 15 digits in all, whose number is its
// digits as an integer over a power of ten. False for every other form, and
// for a quotient whose rounding to double differs between one division and
// the two steps through long double that SQLite may take: such texts are
// left to SQLite.
bool ReadPlainDecimal(std::string_view s, double* number) {
  PlainDecimal d;
  if (!ScanPlainDecimal(s, &d) || d.integerDigits == 0 || d.decimals == 0) return false;
  // Zero of any sign is stored as the integer 0.
  if (d.mantissa == 0) {
    *number = 0;
    return true;
  }
  double value = static_cast<double>(d.mantissa);
  if (d.decimals > 0) {
    const double power = kPowersOfTen[d.decimals];
    value /= power;
    const long double wide =
        static_cast<long double>(d.mantissa) / static_cast<long double>(power);
    if (static_cast<double>(wide) != value) return false;
  }
  *number = d.negative ? -value : value;
  return true;
}

// True when the text holds a byte no SQLite number is written with.
bool CannotBeNumber(std::string_view s) {
  for (const char c : s) {
    const bool numberByte = (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' ||
                            c == 'e' || c == 'E' || IsAsciiSpace(c);
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
