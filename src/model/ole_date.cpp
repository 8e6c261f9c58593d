#include "model/ole_date.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace maltrove {

namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr long long kOleEpochFromUnix = -25569;  // 1899-12-30 in Unix days
constexpr double kOleMin = -657435.0;  // exclusive: before 0100-01-01
constexpr double kOleMax = 2958466.0;  // exclusive: 10000-01-01

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's
// days_from_civil; years here are never negative).
long long UnixDaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  long long era = y / 400;
  long long yoe = y - era * 400;
  long long doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromUnixDays(long long z, DateParts* parts) {
  z += 719468;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  long long doe = z - era * 146097;
  long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long long mp = (5 * doy + 2) / 153;
  long long month = mp < 10 ? mp + 3 : mp - 9;
  parts->day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  parts->month = static_cast<int>(month);
  parts->year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

bool IsValidDate(int year, int month, int day, int hour, int minute, int second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12) return false;
  if (day < 1 || day > DaysInMonth(year, month)) return false;
  return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 &&
         second <= 59;
}

long long UnixSeconds(const DateParts& p) {
  return UnixDaysFromCivil(p.year, p.month, p.day) * kSecondsPerDay + p.hour * 3600 +
         p.minute * 60 + p.second;
}

std::tm ToTm(const DateParts& p) {
  std::tm t{};
  long long days = UnixDaysFromCivil(p.year, p.month, p.day);
  t.tm_year = p.year - 1900;
  t.tm_mon = p.month - 1;
  t.tm_mday = p.day;
  t.tm_hour = p.hour;
  t.tm_min = p.minute;
  t.tm_sec = p.second;
  t.tm_wday = static_cast<int>(((days % 7) + 7 + 4) % 7);  // 1970-01-01 was a Thursday
  t.tm_yday = static_cast<int>(days - UnixDaysFromCivil(p.year, 1, 1));
  t.tm_zone = "UTC";  // else glibc prints the process zone for %Z
  return t;
}

// glibc's %s goes through mktime and so through TZ; replace it beforehand.
std::string PinEpochSeconds(std::string_view pattern, long long seconds) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    bool code = pattern[i] == '%' && i + 1 < pattern.size();
    if (code && pattern[i + 1] == 's') {
      out += std::to_string(seconds);
      ++i;
      continue;
    }
    out.push_back(pattern[i]);
    if (code) out.push_back(pattern[++i]);  // keeps "%%s" a literal
  }
  return out;
}

std::string RunStrftime(const std::string& format, const std::tm& t) {
  // strftime returns 0 both for "too small" and for an empty result, so
  // give up growing after a generous size.
  for (size_t size = 64 + format.size() * 4; size <= (1u << 20); size *= 4) {
    std::string out(size, '\0');
    size_t length = std::strftime(out.data(), out.size(), format.c_str(), &t);
    if (length > 0) {
      out.resize(length);
      return out;
    }
  }
  return std::string();
}

// The value of an all-digit field, or -1 when it holds anything else.
int ReadField(std::string_view s, size_t pos, size_t width) {
  int value = 0;
  for (char c : s.substr(pos, width)) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

bool OleDateFromParts(int year, int month, int day, int hour, int minute, int second,
                      double* serial) {
  if (!IsValidDate(year, month, day, hour, minute, second)) return false;
  long long days = UnixDaysFromCivil(year, month, day) - kOleEpochFromUnix;
  const int seconds = hour * 3600 + minute * 60 + second;
  if (seconds == 0) {  // a plain date: no division for the fraction
    *serial = static_cast<double>(days);
    return true;
  }
  double fraction = static_cast<double>(seconds) / kSecondsPerDay;
  *serial = days >= 0 ? days + fraction : days - fraction;
  return true;
}

bool OleDateToParts(double serial, DateParts* parts) {
  if (!(serial > kOleMin && serial < kOleMax)) return false;
  double whole = std::trunc(serial);
  double fraction = std::fabs(serial - whole);
  // Milliseconds first, so an exact half second survives the binary
  // fraction and then rounds up.
  long long millis = std::llround(fraction * kSecondsPerDay * 1000);
  long long seconds = (millis + 500) / 1000;
  long long days = static_cast<long long>(whole) + seconds / kSecondsPerDay;
  seconds %= kSecondsPerDay;
  CivilFromUnixDays(days + kOleEpochFromUnix, parts);
  parts->hour = static_cast<int>(seconds / 3600);
  parts->minute = static_cast<int>(seconds / 60 % 60);
  parts->second = static_cast<int>(seconds % 60);
  return parts->year >= 100 && parts->year <= 9999;
}

std::string DateStorageText(double serial) {
  DateParts p;
  if (serial == 0 || !OleDateToParts(serial, &p)) return std::string();
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", p.year, p.month, p.day,
                p.hour, p.minute, p.second);
  return text;
}

void AppendDateStorageText(double serial, std::string* out) {
  DateParts p;
  if (serial == 0 || !OleDateToParts(serial, &p)) return;
  // The year lies in 100..9999: four digits, as "%04d" writes it.
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  const int fields[] = {p.year / 100, p.year % 100, p.month, p.day, p.hour, p.minute, p.second};
  char text[14];
  for (size_t i = 0; i < 7; ++i) std::memcpy(text + 2 * i, kPairs + 2 * fields[i], 2);
  out->append(text, sizeof text);
}

std::string FormatDate(double serial, std::string_view strftimePattern) {
  if (strftimePattern.empty()) return DateStorageText(serial);
  DateParts p;
  if (!(serial > 0) || !OleDateToParts(serial, &p)) return std::string();
  return RunStrftime(PinEpochSeconds(strftimePattern, UnixSeconds(p)), ToTm(p));
}

bool ParseDateDigits(std::string_view s, double* serial) {
  int year = s.size() >= 4 ? ReadField(s, 0, 4) : 0;
  int month = s.size() >= 6 ? ReadField(s, 4, 2) : 0;
  int day = s.size() >= 8 ? ReadField(s, 6, 2) : 0;
  int hour = s.size() > 9 ? ReadField(s, 8, 2) : 0;
  int minute = s.size() > 11 ? ReadField(s, 10, 2) : 0;
  int second = s.size() > 13 ? ReadField(s, 12, 2) : 0;
  if (year < 1900 || month <= 0 || day <= 0) return false;
  return OleDateFromParts(year, month, day, hour, minute, second, serial);
}

}  // namespace maltrove
