#include "shared/charset_table.h"

#include <charconv>
#include <string>

#include "shared/ascii_case.h"
#include "shared/trim.h"

namespace maltrove {

namespace {

constexpr char kCharsetData[] =
#include "shared/charset_data.inc"
    ;

// Cuts the next blank-separated token off the front of `line`.
bool NextToken(std::string_view* line, std::string_view* token) {
  size_t begin = line->find_first_not_of(' ');
  if (begin == std::string_view::npos) return false;
  size_t end = line->find(' ', begin);
  if (end == std::string_view::npos) end = line->size();
  *token = line->substr(begin, end - begin);
  line->remove_prefix(end);
  return true;
}

int ReadNumber(std::string_view token) {
  int value = 0;
  std::from_chars(token.data(), token.data() + token.size(), value);
  return value;
}

}  // namespace

std::string_view CharsetDataText() { return {kCharsetData, sizeof(kCharsetData) - 1}; }

bool LookupEncoding(std::string_view name, int* codePage, int* familyCodePage) {
  std::string wanted(TrimBlanks(name));
  for (char& c : wanted) c = LowerAscii(c);
  if (wanted.empty()) return false;

  std::string_view data = CharsetDataText();
  while (!data.empty()) {
    size_t end = data.find('\n');
    std::string_view line = data.substr(0, end);
    data.remove_prefix(end == std::string_view::npos ? data.size() : end + 1);

    std::string_view token;
    if (!NextToken(&line, &token)) continue;
    int page = ReadNumber(token);
    int family = NextToken(&line, &token) ? ReadNumber(token) : 0;
    if (codePage) *codePage = page;
    if (familyCodePage) *familyCodePage = family;
    while (NextToken(&line, &token)) {
      if (EqualsIgnoringAsciiCase(TrimBlanks(token), wanted)) return true;
    }
  }
  if (codePage) *codePage = 0;
  if (familyCodePage) *familyCodePage = 0;
  return false;
}

}  // namespace maltrove
