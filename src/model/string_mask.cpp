#include "model/string_mask.h"

#include <algorithm>
#include <vector>

#include "model/char_rules.h"

namespace maltrove {

namespace {

size_t CountHashes(std::string_view s) {
  return static_cast<size_t>(std::count(s.begin(), s.end(), '#'));
}

std::vector<std::string_view> SplitAlternatives(std::string_view pattern) {
  std::vector<std::string_view> alternatives;
  size_t start = 0;
  for (;;) {
    size_t bar = pattern.find('|', start);
    if (bar == std::string_view::npos) break;
    alternatives.push_back(pattern.substr(start, bar - start));
    start = bar + 1;
  }
  alternatives.push_back(pattern.substr(start));
  return alternatives;
}

std::string_view ChooseAlternative(std::string_view pattern, size_t valueLength) {
  std::vector<std::string_view> alternatives = SplitAlternatives(pattern);
  for (std::string_view alternative : alternatives) {
    if (CountHashes(alternative) == valueLength) return alternative;
  }
  return alternatives.front();
}

// The characters a pattern shows around its "#" places.
std::string Decorations(std::string_view pattern) {
  return RemoveChars(pattern, "#");
}

std::string KeepDigits(std::string_view text) {
  std::string digits;
  for (char c : text) {
    if (c >= '0' && c <= '9') digits.push_back(c);
  }
  return digits;
}

}  // namespace

std::string ApplyStringMask(std::string_view pattern, std::string_view value) {
  if (pattern.empty()) return std::string(value);
  std::string_view alternative = ChooseAlternative(pattern, value.size());
  std::string out;
  size_t next = 0;
  for (char c : alternative) {
    if (c != '#') {
      out.push_back(c);
    } else if (next < value.size()) {
      out.push_back(value[next++]);
    }
  }
  return out;
}

std::string RemoveStringMask(std::string_view pattern, std::string_view text) {
  if (pattern.empty()) return std::string(text);
  std::string bare = RemoveChars(text, Decorations(pattern));
  bare.resize(std::min(bare.size(), CountHashes(pattern)));
  return bare;
}

std::string RemoveNumericMask(std::string_view pattern, std::string_view text) {
  if (pattern.empty()) return std::string(text);
  return RemoveChars(text, RemoveChars(pattern, "#."));
}

std::string RemoveDateMask(std::string_view pattern, std::string_view text) {
  if (pattern.empty()) return std::string(text);
  std::string digits = KeepDigits(RemoveChars(text, Decorations(pattern)));
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i + 1 < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    char code = pattern[++i];
    if (code == '%') continue;  // "%%" is a literal percent sign, not a field
    size_t width = code == 'Y' ? 4 : 2;
    out.append(digits, next, width);
    next = std::min(digits.size(), next + width);
  }
  return out;
}

}  // namespace maltrove
