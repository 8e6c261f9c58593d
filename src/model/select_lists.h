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
  // Equal texts, compared in place eight bytes at a time: the lists are
  // short, and this runs for every stored select cell.
  static bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    size_t i = 0;
    for (; i + sizeof(uint64_t) <= a.size(); i += sizeof(uint64_t)) {
      uint64_t x, y;
      std::memcpy(&x, a.data() + i, sizeof x);
      std::memcpy(&y, b.data() + i, sizeof y);
      if (x != y) return false;
    }
    for (; i < a.size(); ++i) {
      if (a[i] != b[i]) return false;
    }
    return true;
  }
  static std::vector<Entry> Split(std::string_view list);
  // The position of the first entry equal to text, or -1.
  static int Find(const std::string& list, const std::vector<Entry>& entries,
                  std::string_view text);
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
