#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace maltrove::xls {

// Invalid UTF-8 sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

// Unpaired surrogates become U+FFFD.
void AppendUtf16AsUtf8(const char16_t* units, size_t count, std::string* out);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Latin-1 code units (a BIFF8 "compressed" string) to UTF-8.
void AppendLatin1AsUtf8(const uint8_t* bytes, size_t count, std::string* out);

// Decodes byte strings of a Windows code page (BIFF5 text) to UTF-8.
class CodePageDecoder {
 public:
  explicit CodePageDecoder(uint16_t code_page);
  ~CodePageDecoder();
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  void Append(const uint8_t* bytes, size_t count, std::string* out) const;
  std::string Decode(std::string_view bytes) const;

 private:
  void* iconv_ = nullptr;  // iconv_t; null means Latin-1
};

}  // namespace maltrove::xls
