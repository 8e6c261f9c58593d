#include "io/dsv_encoding.h"

#include "shared/code_page.h"

namespace maltrove {

namespace {

constexpr int kUtf8 = 65001;
constexpr int kUtf16Le = 1200;
constexpr int kUtf16Be = 1201;
constexpr int kUtf32Le = 12000;
constexpr int kUtf32Be = 12001;

struct Mark {
  std::string_view bytes;
  int codePage;
};

// Longest first: the UTF-32 little-endian mark begins with the UTF-16 one.
constexpr Mark kMarks[] = {
    {std::string_view("\xFF\xFE\x00\x00", 4), kUtf32Le},
    {std::string_view("\x00\x00\xFE\xFF", 4), kUtf32Be},
    {"\xEF\xBB\xBF", kUtf8},
    {"\xFF\xFE", kUtf16Le},
    {"\xFE\xFF", kUtf16Be},
};

const Mark* MarkOf(std::string_view bytes) {
  for (const Mark& mark : kMarks) {
    if (bytes.starts_with(mark.bytes)) return &mark;
  }
  return nullptr;
}

const Mark* MarkFor(int codePage) {
  if (codePage == kUtf8) return nullptr;  // UTF-8 is written without one
  for (const Mark& mark : kMarks) {
    if (mark.codePage == codePage) return &mark;
  }
  return nullptr;
}

bool IsUtf8(int codePage) { return codePage == 0 || codePage == kUtf8; }

bool IsValidUtf8(std::string_view bytes) {
  std::string repaired;
  ConvertToUtf8(bytes, kUtf8, &repaired);
  return repaired == bytes;  // a repair puts U+FFFD where no valid sequence was
}

}  // namespace

int SeparatedValuesCodePage(std::string_view bytes, int pageCodePage) {
  if (IsValidUtf8(bytes)) return kUtf8;
  if (!IsUtf8(pageCodePage) && IconvName(pageCodePage) != nullptr) return pageCodePage;
  return kKoreanWindowsCodePage;
}

std::string DecodeSeparatedValues(std::string_view bytes, int pageCodePage) {
  int codePage;
  if (const Mark* mark = MarkOf(bytes)) {
    bytes.remove_prefix(mark->bytes.size());
    codePage = mark->codePage;
  } else {
    codePage = SeparatedValuesCodePage(bytes, pageCodePage);
  }
  std::string text;
  ConvertToUtf8(bytes, codePage, &text);
  return text;
}

std::string EncodeSeparatedValues(std::string_view text, int pageCodePage) {
  if (IsUtf8(pageCodePage) || IconvName(pageCodePage) == nullptr) return std::string(text);
  std::string bytes;
  if (ConvertFromUtf8Exactly(text, pageCodePage, &bytes)) {
    const Mark* mark = MarkFor(pageCodePage);
    return mark == nullptr ? bytes : std::string(mark->bytes) + bytes;
  }
  return "\xEF\xBB\xBF" + std::string(text);
}

}  // namespace maltrove
