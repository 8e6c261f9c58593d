#include "formats/charset_names.h"

namespace maltrove {

namespace {

struct CharSetEntry {
  int code;
  std::string_view name;
};

constexpr CharSetEntry kCharSets[] = {
    {0, "ansi"},          {1, "default"},     {2, "symbol"},    {77, "mac"},
    {128, "shiftjis"},    {129, "hangul"},    {130, "johab"},   {134, "gb2312"},
    {136, "chinesebig5"}, {161, "greek"},     {162, "turkish"}, {163, "vietnamese"},
    {177, "hebrew"},      {178, "arabic"},    {186, "baltic"},  {204, "russian"},
    {222, "thai"},        {238, "easteurope"}, {255, "oem"},
};

}  // namespace

std::string CharSetName(int code) {
  for (const CharSetEntry& entry : kCharSets) {
    if (entry.code == code) return std::string(entry.name);
  }
  return {};
}

int CharSetCode(std::string_view name) {
  for (const CharSetEntry& entry : kCharSets) {
    if (entry.name == name) return entry.code;
  }
  return -1;
}

}  // namespace maltrove
