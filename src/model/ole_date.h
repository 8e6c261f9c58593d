// Dates as OLE day serials: days since 1899-12-30 with the time of day as
// the fraction. Before that day the integer part is negative while the
// fraction still counts forward (-1.25 is 1899-12-29 06:00). Nothing here
// reads the process time zone.
#pragma once

#include <string>
#include <string_view>

namespace maltrove {

struct DateParts {
  int year;
  int month;
  int day;
  int hour;
  int minute;
  int second;
};

// false unless year is 100..9999, month 1..12, day exists in that month,
// hour 0..23, minute 0..59 and second 0..59.
bool OleDateFromParts(int year, int month, int day, int hour, int minute, int second,
                      double* serial);

// Splits a serial, rounded to the nearest second (half a second rounds up).
// false for serials outside 0100-01-01 .. 9999-12-31 23:59:59 and for NaN.
bool OleDateToParts(double serial, DateParts* parts);

// yyyyMMddHHmmss, or "" for 0 (the null date) and for unusable serials.
std::string DateStorageText(double serial);
// DateStorageText(serial) appended to `out`.
void AppendDateStorageText(double serial, std::string* out);

// The display/output text of a dateTime value: the storage text for an
// empty pattern, otherwise the date through the strftime pattern, and ""
// when the serial is not positive. %Z prints "UTC" and %s counts seconds as
// if the date were UTC, so no time zone setting leaks in.
std::string FormatDate(double serial, std::string_view strftimePattern);

// Reads yyyyMMddHHmmss by position; trailing parts may be missing and count
// as 0. false (a null date) when the year is before 1900, the month or day
// is missing or 0, a part holds a non-digit, or the date does not exist.
bool ParseDateDigits(std::string_view s, double* serial);

}  // namespace maltrove
