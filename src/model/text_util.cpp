#include "model/text_util.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace maltrove {

namespace {

constexpr std::string_view kReplacementChar = "\xEF\xBF\xBD";  // U+FFFD

// One step of a UTF-8 walk: the bytes of the sequence starting at a position,
// or of its maximal ill-formed subpart when it is not well formed.
struct Utf8Piece {
  size_t length;
  bool valid;
  bool cutShort;  // a well-begun sequence that ran out of bytes
};

// Number of continuation bytes a lead byte announces and the range its
// first continuation byte must lie in (this excludes overlong forms,
// surrogates and code points above U+10FFFF); -1 for a byte that cannot
// begin a sequence.
int ContinuationCount(unsigned char lead, unsigned char* lo, unsigned char* hi) {
  *lo = 0x80;
  *hi = 0xBF;
  if (lead < 0x80) return 0;
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (lead == 0xE0) *lo = 0xA0;
    if (lead == 0xED) *hi = 0x9F;
    return 2;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (lead == 0xF0) *lo = 0x90;
    if (lead == 0xF4) *hi = 0x8F;
    return 3;
  }
  return -1;
}

Utf8Piece NextPiece(std::string_view s, size_t pos) {
  unsigned char lo = 0;
  unsigned char hi = 0;
  int count = ContinuationCount(static_cast<unsigned char>(s[pos]), &lo, &hi);
  if (count < 0) return {1, false, false};
  size_t n = 1;
  for (int k = 0; k < count; ++k, ++n) {
    if (pos + n >= s.size()) return {n, false, true};
    auto b = static_cast<unsigned char>(s[pos + n]);
    if (b < lo || b > hi) return {n, false, false};
    lo = 0x80;
    hi = 0xBF;
  }
  return {n, true, false};
}

}  // namespace

std::string Trim(std::string_view s) { return std::string(TrimBlanks(s)); }

bool ListCursor::Next(std::string_view* entry) {
  if (pos_ >= list_.size()) return false;
  size_t sep = list_.find(';', pos_);
  if (sep == std::string_view::npos) sep = list_.size();
  *entry = list_.substr(pos_, sep - pos_);
  pos_ = sep + 1;
  return true;
}

std::vector<std::string_view> SplitList(std::string_view list) {
  std::vector<std::string_view> entries;
  ListCursor cursor(list);
  std::string_view entry;
  while (cursor.Next(&entry)) entries.push_back(entry);
  return entries;
}

int FindListEntry(std::string_view list, std::string_view value) {
  // Compares in place: this runs for every select value that is stored.
  size_t start = 0;
  for (int i = 0; start < list.size(); ++i) {
    size_t end = start;
    while (end < list.size() && list[end] != ';') ++end;
    if (end - start == value.size() && list.compare(start, value.size(), value) == 0) return i;
    start = end + 1;
  }
  return -1;
}

std::optional<std::string_view> ListEntryAt(std::string_view list, int index) {
  ListCursor cursor(list);
  std::string_view entry;
  for (int i = 0; cursor.Next(&entry); ++i) {
    if (i == index) return entry;
  }
  return std::nullopt;
}

std::string TruncateUtf8(std::string_view s, size_t maxBytes) {
  std::string_view head = s.substr(0, maxBytes);
  size_t pos = 0;
  while (pos < head.size()) {
    Utf8Piece piece = NextPiece(head, pos);
    if (piece.cutShort) break;
    pos += piece.length;
  }
  return std::string(head.substr(0, pos));
}

bool IsValidUtf8(std::string_view s) {
  // Every stored text that is not plain ASCII passes here, so NextPiece's
  // rules are written out inline: ASCII goes eight bytes at a time, a
  // sequence in one step.
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const auto* end = p + s.size();
  while (p < end) {
    const unsigned char lead = *p;
    if (lead < 0x80) {
      uint64_t word;
      if (end - p >= static_cast<ptrdiff_t>(sizeof word) &&
          (std::memcpy(&word, p, sizeof word), (word & 0x8080808080808080u) == 0)) {
        p += sizeof word;
      } else {
        ++p;
      }
      continue;
    }
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    const int count = ContinuationCount(lead, &lo, &hi);
    if (count < 0 || end - p <= count) return false;
    if (p[1] < lo || p[1] > hi) return false;
    if (count >= 2 && (p[2] & 0xC0) != 0x80) return false;
    if (count == 3 && (p[3] & 0xC0) != 0x80) return false;
    p += count + 1;
  }
  return true;
}

std::string NormalizeUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  size_t pos = 0;
  while (pos < s.size()) {
    Utf8Piece piece = NextPiece(s, pos);
    if (piece.valid) {
      out.append(s.substr(pos, piece.length));
    } else {
      out.append(kReplacementChar);
    }
    pos += piece.length;
  }
  return out;
}

}  // namespace maltrove
