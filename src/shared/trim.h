#pragma once

#include <string_view>

namespace maltrove {

// ASCII white space: space, \t, \n, \r, \v, \f.
inline bool IsAsciiSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');  // \t \n \v \f \r are 9..13
}

// The text without ASCII white space at its ends.
inline std::string_view TrimBlanks(std::string_view text) {
  // Most texts have no blank at either end: two looks and done.
  if (text.empty() || (!IsAsciiSpace(text.front()) && !IsAsciiSpace(text.back()))) return text;
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsAsciiSpace(text[begin])) ++begin;
  while (end > begin && IsAsciiSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace maltrove
