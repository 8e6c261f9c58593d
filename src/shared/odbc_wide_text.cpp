#include "shared/odbc_wide_text.h"

#include "shared/odbc_value_text.h"

namespace maltrove {

namespace {

// The code point at the front of s, or U+FFFD; *length is what it takes
// (at least 1).
char32_t DecodeUtf8(const unsigned char* s, size_t size, size_t* length) {
  const unsigned char lead = s[0];
  *length = 1;
  if (lead < 0x80) return lead;
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  size_t count;
  char32_t c;
  if (lead >= 0xC2 && lead <= 0xDF) {
    count = 1;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    count = 2;
    c = lead & 0x0F;
    if (lead == 0xE0) lo = 0xA0;
    if (lead == 0xED) hi = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    count = 3;
    c = lead & 0x07;
    if (lead == 0xF0) lo = 0x90;
    if (lead == 0xF4) hi = 0x8F;
  } else {
    return 0xFFFD;
  }
  for (size_t k = 1; k <= count; ++k) {
    if (k >= size || s[k] < lo || s[k] > hi) {
      *length = k;
      return 0xFFFD;
    }
    c = (c << 6) | (s[k] & 0x3F);
    lo = 0x80;
    hi = 0xBF;
  }
  *length = count + 1;
  return c;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  auto bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t pos = 0; pos < text.size();) {
    size_t length = 1;
    const char32_t c = DecodeUtf8(bytes + pos, text.size() - pos, &length);
    pos += length;
    if (c < 0x10000) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
  return out;
}

std::string Utf16ToUtf8(const char16_t* units, size_t count) {
  std::string out;
  out.reserve(count * 3);
  AppendUtf16AsUtf8(std::u16string_view(units, count), &out);
  return out;
}

}  // namespace maltrove
