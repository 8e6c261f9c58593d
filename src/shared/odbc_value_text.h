// CxDBAVariant, the typed holder of one column value of a record set, and
// the display text of such values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace maltrove {

// The layout of SQL_TIMESTAMP_STRUCT.
struct OdbcTimestamp {
  int16_t year = 0;
  uint16_t month = 0;
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint32_t fraction = 0;  // nanoseconds
};

class CxDBAVariant {
 public:
  enum Type : int {
    kNone = 0,
    kBool = 1,
    kUInt8 = 2,
    kInt16 = 3,
    kInt32 = 4,
    kFloat = 5,
    kDouble = 6,
    kTimestamp = 7,
    kLongBinary = 9,
    kText = 10,
    kWideText = 11,
    kInt64 = 12,
    kByteArray = 13,
  };

  // "True"/"False"; integers in decimal; 5 as "%f"; 6 as a whole number
  // when it is one (gateway build only), else "%f"; timestamps by
  // TimestampText; 9 "(binary data...)"; 13 "(byte array data...)"; text
  // as it is; anything else empty.
  std::string Text(bool gatewayBuild) const;
  void AppendText(bool gatewayBuild, std::string* out) const;

  int type = kNone;
  // The last value read was NULL; the fields then hold what the binding
  // table says NULL becomes (binary values are left unchanged).
  bool null = false;
  bool boolValue = false;
  uint8_t uint8Value = 0;
  int16_t int16Value = 0;
  int32_t int32Value = 0;
  float floatValue = 0;
  double doubleValue = 0;
  OdbcTimestamp timestampValue;
  int64_t int64Value = 0;
  std::string text;   // types 10 and 11, UTF-8
  std::string bytes;  // types 9 and 13
};

// "%f" of the value, or with wholeNumbers a value that survives the round
// trip through a 64-bit integer as that integer. The decimal point is always
// ".", whatever the locale.
void AppendDoubleText(double value, bool wholeNumbers, std::string* out);

// The short date of the process's LC_TIME locale, a blank, and its time
// without seconds; "yyyy-MM-dd HH:mm" in the C, POSIX and C.UTF-8 locales.
// Empty unless the fields form a valid date and time from year 1900 on. The
// time zone plays no part.
std::string TimestampText(const OdbcTimestamp& value);

// Strips a seconds field (and its separator or unit) from a strftime time
// format; %T and %r are expanded first.
std::string TimeFormatWithoutSeconds(std::string_view format, std::string_view ampmFormat);

// Appends UTF-16 as UTF-8; unpaired surrogates become U+FFFD.
void AppendUtf16AsUtf8(std::u16string_view text, std::string* out);

// The length of text without a multi-byte character cut off at its end.
size_t CompleteUtf8Length(std::string_view text);

}  // namespace maltrove
