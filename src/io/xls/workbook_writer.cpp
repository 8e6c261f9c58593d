#include "io/xls/workbook_writer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "io/xls/biff_records.h"
#include "io/xls/compound_file.h"
#include "io/xls/xls_text.h"
#include "shared/atomic_file.h"

namespace maltrove::xls {

namespace {

constexpr size_t kMinStreamSize = 4096;  // below this a stream would belong in the mini stream

bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

char16_t FoldAscii(char16_t c) { return (c >= 'a' && c <= 'z') ? static_cast<char16_t>(c - 32) : c; }

// 64-bit words multiplied into the hash, the last one zero-padded: short
// texts, the usual cell, take one or two steps.
uint32_t TextHash(std::string_view s) {
  constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
  uint64_t hash = s.size() * kMultiplier;
  size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, s.data() + i, 8);
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 29;
  }
  if (i < s.size()) {
    uint64_t word = 0;
    std::memcpy(&word, s.data() + i, s.size() - i);
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 29;
  }
  return static_cast<uint32_t>(hash ^ (hash >> 32));
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

}  // namespace

int WorkbookWriter::AddSheet(std::string_view name, std::string* error) {
  std::u16string u = Utf8ToUtf16(name);
  if (u.empty() || u.size() > kMaxSheetName) {
    Fail(error, "sheet name must have 1 to 31 characters");
    return -1;
  }
  if (u.find_first_of(u":\\/?*[]") != std::u16string::npos) {
    Fail(error, "sheet name must not contain : \\ / ? * [ ]");
    return -1;
  }
  if (u.front() == u'\'' || u.back() == u'\'') {
    Fail(error, "sheet name must not start or end with an apostrophe");
    return -1;
  }
  for (const Sheet& s : sheets_) {
    if (SameName(s.name, u)) {
      Fail(error, "sheet name is already used");
      return -1;
    }
  }
  sheets_.push_back(Sheet{std::move(u), {}});
  return static_cast<int>(sheets_.size() - 1);
}

bool WorkbookWriter::Put(int sheet, uint32_t row, uint32_t col, uint32_t value, double number) {
  if (sheet < 0 || static_cast<size_t>(sheet) >= sheets_.size() || row >= kMaxRows ||
      col >= kMaxColumns)
    return false;
  sheets_[static_cast<size_t>(sheet)].cells.push_back(Cell{row << 8 | col, value, number});
  return true;
}

bool WorkbookWriter::SetNumber(int sheet, uint32_t row, uint32_t col, double value) {
  if (!std::isfinite(value)) return false;
  return Put(sheet, row, col, kNumberTag, value);
}

bool WorkbookWriter::SetText(int sheet, uint32_t row, uint32_t col, std::string_view utf8) {
  if (utf8.empty()) return Put(sheet, row, col, kClearTag, 0);
  if (sheet < 0 || static_cast<size_t>(sheet) >= sheets_.size() || row >= kMaxRows ||
      col >= kMaxColumns)
    return false;
  // A column often repeats its text from row to row: its last text is
  // compared before the table is searched.
  uint32_t& last = last_text_[col];
  if (last == kNoText || KeyOf(last) != utf8) last = TextIndex(utf8);
  return Put(sheet, row, col, last, 0);
}

uint32_t WorkbookWriter::TextIndex(std::string_view utf8) {
  if ((strings_.size() + 1) * 2 > slots_.size()) GrowSlots();
  const uint32_t hash = TextHash(utf8);
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    TextSlot& slot = slots_[i];
    if (slot.index == kNoText) {
      slot = TextSlot{hash, AddText(utf8)};
      return slot.index;
    }
    if (slot.hash == hash && KeyOf(slot.index) == utf8) return slot.index;
  }
}

// The text as a new SST entry, cut to the longest text a cell holds.
uint32_t WorkbookWriter::AddText(std::string_view utf8) {
  std::u16string u = Utf8ToUtf16(utf8);
  if (u.size() > kMaxTextLength) {
    size_t keep = kMaxTextLength;
    if (u[keep - 1] >= 0xD800 && u[keep - 1] <= 0xDBFF) --keep;
    u.resize(keep);
  }
  const auto index = static_cast<uint32_t>(strings_.size());
  strings_.push_back(std::move(u));
  keys_.append(utf8);
  key_starts_.push_back(keys_.size());
  return index;
}

// Twice the slots (at least 1,024), at most half of them used.
void WorkbookWriter::GrowSlots() {
  std::vector<TextSlot> old = std::move(slots_);
  slots_.assign(std::max<size_t>(1024, old.size() * 2), TextSlot{});
  const size_t mask = slots_.size() - 1;
  for (const TextSlot& slot : old) {
    if (slot.index == kNoText) continue;
    size_t i = slot.hash & mask;
    while (slots_[i].index != kNoText) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

void WorkbookWriter::Normalize(Sheet& sheet) {
  auto& cells = sheet.cells;
  auto by_key = [](const Cell& a, const Cell& b) { return a.key < b.key; };
  if (!std::is_sorted(cells.begin(), cells.end(), by_key))
    std::stable_sort(cells.begin(), cells.end(), by_key);
  // Keep the last write of each cell, then drop cleared ones.
  size_t out = 0;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i + 1 < cells.size() && cells[i + 1].key == cells[i].key) continue;
    if (cells[i].value != kClearTag) cells[out++] = cells[i];
  }
  cells.resize(out);
}

std::vector<uint8_t> WorkbookWriter::BuildStream() {
  size_t cell_count = 0;
  uint32_t text_refs = 0;
  for (Sheet& s : sheets_) {
    Normalize(s);
    cell_count += s.cells.size();
    for (const Cell& c : s.cells) text_refs += c.value != kNumberTag;
  }
  size_t sst_bytes = 0;
  for (const auto& s : strings_) sst_bytes += 3 + s.size() * 2;

  BiffWriter w;
  w.Reserve(4096 + sst_bytes + sst_bytes / 1024 + cell_count * 18 + cell_count / 32 * 20 +
            sheets_.size() * 128);
  WriteBof(w, kBofGlobals);
  WriteWorkbookPrologue(w);
  WriteStyleXfs(w);
  WriteCellXf(w, 0);
  WriteStyle(w);
  std::vector<size_t> positions;
  for (const Sheet& s : sheets_) positions.push_back(WriteBoundSheet(w, s.name));
  WriteSst(w, strings_, text_refs);
  WriteEof(w);

  for (size_t si = 0; si < sheets_.size(); ++si) {
    const auto& cells = sheets_[si].cells;
    w.PatchU32(positions[si], static_cast<uint32_t>(w.size()));
    WriteBof(w, kBofWorksheet);
    if (cells.empty()) {
      WriteDimensions(w, 0, 0, 0, 0);
    } else {
      uint32_t min_col = 0xFF, max_col = 0;
      for (const Cell& c : cells) {
        min_col = std::min(min_col, c.key & 0xFF);
        max_col = std::max(max_col, c.key & 0xFF);
      }
      WriteDimensions(w, cells.front().key >> 8, (cells.back().key >> 8) + 1,
                      static_cast<uint16_t>(min_col), static_cast<uint16_t>(max_col + 1));
    }
    const size_t n = cells.size();
    size_t i = 0;
    while (i < n) {
      // A block of up to 32 rows: its ROW records, then its cells.
      const uint32_t block = cells[i].key >> 13;
      size_t end = i;
      while (end < n && (cells[end].key >> 13) == block) ++end;
      for (size_t k = i; k < end;) {
        const uint32_t row = cells[k].key >> 8;
        size_t m = k;
        while (m < end && (cells[m].key >> 8) == row) ++m;
        WriteRow(w, static_cast<uint16_t>(row), static_cast<uint16_t>(cells[k].key & 0xFF),
                 static_cast<uint16_t>((cells[m - 1].key & 0xFF) + 1));
        k = m;
      }
      for (size_t k = i; k < end; ++k) {
        const Cell& c = cells[k];
        const auto row = static_cast<uint16_t>(c.key >> 8);
        const auto col = static_cast<uint16_t>(c.key & 0xFF);
        if (c.value == kNumberTag) WriteNumber(w, row, col, kCellXf, c.number);
        else WriteLabelSst(w, row, col, kCellXf, c.value);
      }
      i = end;
    }
    WriteWindow2(w, si == 0);
    WriteEof(w);
  }
  if (w.size() < kMinStreamSize) w.bytes().resize(kMinStreamSize, 0);
  return std::move(w.bytes());
}

bool WorkbookWriter::Save(const std::string& path, std::string* error) {
  if (sheets_.empty()) return Fail(error, "a workbook needs at least one sheet");
  const std::vector<uint8_t> stream = BuildStream();
  CompoundFileFrame frame;
  if (!MakeCompoundFileFrame(u"Workbook", stream.size(), &frame))
    return Fail(error, "workbook is too large");

  const std::vector<uint8_t> zeros(frame.stream_padding, 0);
  const auto bytes = [](const std::vector<uint8_t>& v) {
    return std::string_view(reinterpret_cast<const char*>(v.data()), v.size());
  };
  if (WriteFileAtomically(path, {bytes(frame.head), bytes(stream), bytes(zeros), bytes(frame.tail)},
                          0644)) {
    return true;
  }
  return Fail(error, "cannot write " + path + ": " + std::strerror(errno));
}

}  // namespace maltrove::xls
