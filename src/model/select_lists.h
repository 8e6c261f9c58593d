// SelectListIndex: a select column's lists split into entries once, so that
// storing a select cell compares whole entries instead of walking the ";"
// lists. The index keeps its own copy of the lists and of the match method
// and is rebuilt whenever the column's differ, whoever changed them.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "model/grid_column.h"

namespace maltrove {

class SelectListIndex {
 public:
  // Whether the index holds the column's lists and match method as they are.
  bool Follows(const CGridColumn& column) const {
    return SameText(values_, column.comboValues) && SameText(datas_, column.comboDatas) &&
           SameText(method_, column.selectMatchMethod);
  }
  void Rebuild(const CGridColumn& column);

  // MatchSelectView for a cell without lists of its own: the same text, as
  // a view into `input`, the index or `scratch`.
  std::string_view Match(std::string_view input, std::string* scratch) const;

 private:
  struct Entry {
    uint32_t offset;
    uint32_t size;
  };
  // Equal texts, compared in place a word at a time (the last word
  // overlapping the one before): the lists are short, and this runs for
  // every stored select cell.
  static bool SameText(std::string_view a, std::string_view b) {
    const size_t n = a.size();
    if (n != b.size()) return false;
    if (n >= 8) {
      for (size_t i = 0; i + 8 < n; i += 8) {
        if (Word64(a.data() + i) != Word64(b.data() + i)) return false;
      }
      return Word64(a.data() + n - 8) == Word64(b.data() + n - 8);
    }
    if (n >= 4) {
      return Word32(a.data()) == Word32(b.data()) &&
             Word32(a.data() + n - 4) == Word32(b.data() + n - 4);
    }
    for (size_t i = 0; i < n; ++i) {
      if (a[i] != b[i]) return false;
    }
    return true;
  }
  static uint64_t Word64(const char* p) {
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
  }
  static uint32_t Word32(const char* p) {
    uint32_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
  }
  static std::vector<Entry> Split(std::string_view list);
  // The position of the first entry equal to text, or -1.
  static int Find(const std::string& list, const std::vector<Entry>& entries,
                  std::string_view text) {
    for (size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].size == text.size() &&
          SameText(std::string_view(list).substr(entries[i].offset, entries[i].size), text)) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }
  std::string_view Value(size_t index) const {
    return std::string_view(values_).substr(valueEntries_[index].offset, valueEntries_[index].size);
  }

  std::string values_;
  std::string datas_;
  std::string method_;
  std::vector<Entry> valueEntries_;
  std::vector<Entry> dataEntries_;
};

}  // namespace maltrove
