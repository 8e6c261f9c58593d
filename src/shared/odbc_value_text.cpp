#include "shared/odbc_value_text.h"

#include <langinfo.h>

#include <cctype>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace maltrove {

namespace {

template <typename Integer>
void AppendInteger(Integer value, std::string* out) {
  char buffer[24];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value);
  out->append(buffer, end);
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long yearOfEra = year - era * 400;
  const long dayOfYear = (153L * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

bool IsCLocale(const char* name) {
  return !name || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
         std::strncmp(name, "C.", 2) == 0;
}

bool IsAsciiPunctuationOrSpace(unsigned char c) {
  return c < 0x80 && (std::ispunct(c) || std::isspace(c));
}

struct FormatPiece {
  bool conversion;
  std::string text;
};

std::vector<FormatPiece> SplitFormat(std::string_view format) {
  std::vector<FormatPiece> pieces;
  for (size_t i = 0; i < format.size();) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] != '%') {
      size_t end = i + 1;
      if ((format[end] == 'E' || format[end] == 'O') && end + 1 < format.size()) ++end;
      pieces.push_back({true, std::string(format.substr(i, end + 1 - i))});
      i = end + 1;
      continue;
    }
    size_t step = format[i] == '%' && i + 1 < format.size() ? 2 : 1;
    if (pieces.empty() || pieces.back().conversion) pieces.push_back({false, {}});
    pieces.back().text.append(format.substr(i, step));
    i += step;
  }
  return pieces;
}

struct LocaleFormat {
  std::string localeName;
  std::string format;  // date, blank, time without seconds
};

}  // namespace

std::string CxDBAVariant::Text(bool gatewayBuild) const {
  std::string out;
  AppendText(gatewayBuild, &out);
  return out;
}

void CxDBAVariant::AppendText(bool gatewayBuild, std::string* out) const {
  switch (type) {
    case kBool:
      out->append(boolValue ? "True" : "False");
      break;
    case kUInt8:
      AppendInteger(static_cast<unsigned>(uint8Value), out);
      break;
    case kInt16:
      AppendInteger(static_cast<int>(int16Value), out);
      break;
    case kInt32:
      AppendInteger(int32Value, out);
      break;
    case kInt64:
      AppendInteger(int64Value, out);
      break;
    case kFloat:
      AppendDoubleText(floatValue, false, out);
      break;
    case kDouble:
      AppendDoubleText(doubleValue, gatewayBuild, out);
      break;
    case kTimestamp:
      out->append(TimestampText(timestampValue));
      break;
    case kLongBinary:
      out->append("(binary data...)");
      break;
    case kByteArray:
      out->append("(byte array data...)");
      break;
    case kText:
    case kWideText:
      out->append(text);
      break;
    default:
      break;
  }
}

void AppendDoubleText(double value, bool wholeNumbers, std::string* out) {
  // The range test keeps the integer conversion defined (NaN fails it too).
  if (wholeNumbers && value >= -0x1p63 && value < 0x1p63 &&
      static_cast<double>(static_cast<int64_t>(value)) == value) {
    AppendInteger(static_cast<int64_t>(value), out);
    return;
  }
  char buffer[400];  // "%f" of the largest double has 316 characters
  auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, 6);
  out->append(buffer, end);
}

std::string TimeFormatWithoutSeconds(std::string_view format, std::string_view ampmFormat) {
  std::string expanded;
  for (const FormatPiece& piece : SplitFormat(format)) {
    if (piece.text == "%T") {
      expanded += "%H:%M:%S";
    } else if (piece.text == "%r") {
      expanded += ampmFormat.empty() ? std::string_view("%I:%M:%S %p") : ampmFormat;
    } else {
      expanded += piece.text;
    }
  }
  std::vector<FormatPiece> pieces = SplitFormat(expanded);
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (!pieces[i].conversion || pieces[i].text.back() != 'S') continue;
    FormatPiece* pre = i > 0 && !pieces[i - 1].conversion ? &pieces[i - 1] : nullptr;
    FormatPiece* post =
        i + 1 < pieces.size() && !pieces[i + 1].conversion ? &pieces[i + 1] : nullptr;
    pieces[i].text.clear();
    if (post && !IsAsciiPunctuationOrSpace(post->text[0])) {
      // A unit after the number ("%S초"): it goes with the seconds.
      post->text.clear();
      if (pre) {
        while (!pre->text.empty() && pre->text.back() == ' ') pre->text.pop_back();
      }
    } else if (pre) {
      bool separator = true;
      for (unsigned char c : pre->text) separator = separator && IsAsciiPunctuationOrSpace(c);
      if (separator) pre->text.clear();
    }
  }
  std::string result;
  for (const FormatPiece& piece : pieces) result += piece.text;
  while (!result.empty() && result.back() == ' ') result.pop_back();
  return result;
}

std::string TimestampText(const OdbcTimestamp& value) {
  const int year = value.year;
  const int month = value.month;
  const int day = value.day;
  if (year < 1900 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
      value.hour > 23 || value.minute > 59 || value.second > 61) {
    return {};
  }
  const char* locale = std::setlocale(LC_TIME, nullptr);
  char buffer[256];
  if (IsCLocale(locale)) {
    int n = std::snprintf(buffer, sizeof(buffer), "%04d-%02d-%02d %02d:%02d", year, month, day,
                          value.hour, value.minute);
    return std::string(buffer, n);
  }
  thread_local LocaleFormat cached;
  if (cached.format.empty() || cached.localeName != locale) {
    cached.localeName = locale;
    cached.format = nl_langinfo(D_FMT);
    cached.format += ' ';
    cached.format += TimeFormatWithoutSeconds(nl_langinfo(T_FMT), nl_langinfo(T_FMT_AMPM));
  }
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = value.hour;
  fields.tm_min = value.minute;
  fields.tm_sec = value.second;
  const long days = DaysFromCivil(year, month, day);
  fields.tm_wday = static_cast<int>((days % 7 + 11) % 7);  // 1970-01-01 was a Thursday
  fields.tm_yday = static_cast<int>(days - DaysFromCivil(year, 1, 1));
  size_t n = std::strftime(buffer, sizeof(buffer), cached.format.c_str(), &fields);
  return std::string(buffer, n);
}

void AppendUtf16AsUtf8(std::u16string_view text, std::string* out) {
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        ++i;
      } else {
        c = 0xFFFD;
      }
    }
    if (c < 0x80) {
      out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out->push_back(static_cast<char>(0xC0 | (c >> 6)));
      out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out->push_back(static_cast<char>(0xE0 | (c >> 12)));
      out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out->push_back(static_cast<char>(0xF0 | (c >> 18)));
      out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

size_t CompleteUtf8Length(std::string_view text) {
  const size_t n = text.size();
  for (size_t back = 1; back <= 4 && back <= n; ++back) {
    const unsigned char c = static_cast<unsigned char>(text[n - back]);
    if ((c & 0xC0) == 0x80) continue;
    size_t need = 1;
    if ((c & 0xE0) == 0xC0) {
      need = 2;
    } else if ((c & 0xF0) == 0xE0) {
      need = 3;
    } else if ((c & 0xF8) == 0xF0) {
      need = 4;
    }
    return back < need ? n - back : n;
  }
  return n;
}

}  // namespace maltrove
