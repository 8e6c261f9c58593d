#include "io/xls/xls_text.h"

#include <iconv.h>

#include <cerrno>

#include <string>

namespace maltrove::xls {

namespace {

void AppendCodePoint(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

const char* IconvName(uint16_t code_page) {
  switch (code_page) {
    case 367: return "ASCII";
    case 932: return "CP932";
    case 936: return "GBK";
    case 949: return "CP949";
    case 950: return "BIG5";
    case 1361: return "JOHAB";
    case 10000:
    case 0x8000: return "MACINTOSH";
    case 0x8001: return "CP1252";
    default: return nullptr;
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  const size_t n = utf8.size();
  size_t i = 0;
  while (i < n) {
    unsigned char c = s[i];
    if (c < 0x80) {
      out.push_back(c);
      ++i;
      continue;
    }
    size_t len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; min = 0x80; }
    else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; min = 0x800; }
    else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; min = 0x10000; }
    bool ok = len != 0 && i + len <= n;
    for (size_t k = 1; ok && k < len; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    if (!ok) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

void AppendUtf16AsUtf8(const char16_t* units, size_t count, std::string* out) {
  for (size_t i = 0; i < count; ++i) {
    char32_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      u = 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      u = 0xFFFD;
    }
    AppendCodePoint(u, out);
  }
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  AppendUtf16AsUtf8(utf16.data(), utf16.size(), &out);
  return out;
}

void AppendLatin1AsUtf8(const uint8_t* bytes, size_t count, std::string* out) {
  for (size_t i = 0; i < count; ++i) AppendCodePoint(bytes[i], out);
}

CodePageDecoder::CodePageDecoder(uint16_t code_page) {
  std::string name;
  if (const char* fixed = IconvName(code_page)) {
    name = fixed;
  } else if ((code_page >= 1250 && code_page <= 1258) || (code_page >= 437 && code_page <= 874)) {
    name = "CP" + std::to_string(code_page);
  } else {
    return;  // unknown or 1252-like: Latin-1 is close enough
  }
  iconv_t cd = iconv_open("UTF-8", name.c_str());
  if (cd != reinterpret_cast<iconv_t>(-1)) iconv_ = cd;
}

CodePageDecoder::~CodePageDecoder() {
  if (iconv_) iconv_close(static_cast<iconv_t>(iconv_));
}

void CodePageDecoder::Append(const uint8_t* bytes, size_t count, std::string* out) const {
  bool ascii = true;
  for (size_t i = 0; i < count && ascii; ++i) ascii = bytes[i] < 0x80;
  if (ascii) {
    out->append(reinterpret_cast<const char*>(bytes), count);
    return;
  }
  if (!iconv_) {
    AppendLatin1AsUtf8(bytes, count, out);
    return;
  }
  auto cd = static_cast<iconv_t>(iconv_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes));
  size_t in_left = count;
  char buf[256];
  while (in_left > 0) {
    char* o = buf;
    size_t o_left = sizeof(buf);
    size_t r = iconv(cd, &in, &in_left, &o, &o_left);
    out->append(buf, static_cast<size_t>(o - buf));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      // Undecodable or truncated byte: emit U+FFFD and go on after it.
      AppendCodePoint(0xFFFD, out);
      ++in;
      --in_left;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
}

std::string CodePageDecoder::Decode(std::string_view bytes) const {
  std::string out;
  Append(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &out);
  return out;
}

}  // namespace maltrove::xls
