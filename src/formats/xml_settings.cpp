#include "formats/xml_settings.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "shared/charset_table.h"

namespace maltrove {

void SetCharacterSet(CGridModel* grid, const std::string& name) {
  grid->characterSet = name;
  int codePage = 0;
  int family = 0;
  grid->outputCodePage = LookupEncoding(name, &codePage, &family) ? codePage : 0;
}

std::string DeclaredEncoding(const CGridModel& grid) {
  return grid.characterSet.empty() ? std::string("utf-8") : grid.characterSet;
}

bool ReadDecimal(std::string_view text, int* value) {
  std::string copy(text.substr(0, 32));
  const char* begin = copy.c_str();
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(begin, &end, 10);
  if (end == begin) return false;
  // "%d" wraps what does not fit; clamping keeps the value at least sane.
  if (errno == ERANGE || v > std::numeric_limits<int>::max()) v = std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) v = std::numeric_limits<int>::min();
  *value = static_cast<int>(v);
  return true;
}

}  // namespace maltrove
