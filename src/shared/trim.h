#pragma once

#include <string_view>

namespace maltrove {

// The text without ASCII white space (space, \t, \n, \r, \v, \f) at its ends.
inline std::string_view TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n\v\f";
  const size_t begin = text.find_first_not_of(kBlanks);
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

}  // namespace maltrove
