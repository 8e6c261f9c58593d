// Small text helpers shared by the cell-value rules. Text is UTF-8 held in
// std::string; every length and position here counts bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/trim.h"

namespace maltrove {

// Removes ASCII whitespace (space, \t, \n, \r, \v, \f) at both ends.
std::string Trim(std::string_view s);

// Splits a ";" list. An empty last piece is not an entry, so "a;b;" holds
// two entries and "" none, while "a;;b" holds three. The pieces point into
// `list`.
std::vector<std::string_view> SplitList(std::string_view list);

// Walks the entries of a ";" list, as SplitList counts them, without
// allocating.
class ListCursor {
 public:
  explicit ListCursor(std::string_view list) : list_(list) {}
  bool Next(std::string_view* entry);

 private:
  std::string_view list_;
  size_t pos_ = 0;
};

// The position of the first entry equal to value, or -1.
int FindListEntry(std::string_view list, std::string_view value);
// The entry at a position, or nothing when the list is shorter.
std::optional<std::string_view> ListEntryAt(std::string_view list, int index);

// The first maxBytes bytes of s, shortened further so that the result does
// not end inside a UTF-8 sequence.
std::string TruncateUtf8(std::string_view s, size_t maxBytes);

// s with every ill-formed byte sequence replaced by U+FFFD (one per maximal
// ill-formed subpart); well-formed text comes back unchanged.
std::string NormalizeUtf8(std::string_view s);
bool IsValidUtf8(std::string_view s);

}  // namespace maltrove
