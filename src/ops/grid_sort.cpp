#include "ops/grid_sort.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

#include "model/cell_value.h"
#include "platform/progress_operation.h"

namespace maltrove {

namespace {

double NumericValue(const CGridCell& cell) { return cell.isNull ? 0 : cell.number; }

// A number as an unsigned code in the same order (-0 as 0).
uint64_t NumberCode(double v) {
  if (v == 0) v = 0;
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return (bits >> 63) != 0 ? ~bits : bits | (uint64_t{1} << 63);
}

// The first eight bytes of a text, big-endian, zeros after its end: codes
// in the order of the texts' byte comparison, equal only when the texts
// agree on those bytes.
uint64_t TextPrefixCode(std::string_view text) {
  unsigned char bytes[8] = {};
  if (!text.empty()) std::memcpy(bytes, text.data(), std::min<size_t>(text.size(), 8));
  uint64_t code = 0;
  for (unsigned char b : bytes) code = code << 8 | b;
  return code;
}

// One set key's values, taken once per row so that comparisons need no
// formatting: a code per row, and for texts the whole text where the codes
// are equal.
struct KeyValues {
  bool text = true;
  bool descending = false;
  std::vector<uint64_t> codes;
  std::vector<double> numbers;
  std::vector<std::string_view> texts;
  std::vector<std::string> formatted;  // output texts that differ from the stored ones

  int Compare(uint32_t a, uint32_t b) const {
    if (!text) return numbers[a] < numbers[b] ? -1 : (numbers[b] < numbers[a] ? 1 : 0);
    if (codes[a] != codes[b]) return codes[a] < codes[b] ? -1 : 1;
    return texts[a].compare(texts[b]);
  }
};

// False when a number is NaN: it compares equal to every number, which no
// code expresses, and Compare is then no strict order for std::sort.
bool ExtractKey(const CGridModel& grid, const std::vector<uint32_t>& ids,
                const CGridColumn& column, int col, bool descending, KeyValues* key) {
  key->text = column.dataType == kDataString;
  key->descending = descending;
  const CellColumn& cells = *grid.columnCells(col);
  const size_t n = ids.size();
  key->codes.resize(n);
  if (!key->text) {
    key->numbers.resize(n);
    bool ordered = true;
    for (size_t i = 0; i < n; ++i) {
      const double v = NumericValue(cells[ids[i]]);
      ordered = ordered && !std::isnan(v);
      key->numbers[i] = v;
      key->codes[i] = NumberCode(v);
    }
    return ordered;
  }
  key->texts.resize(n);
  if (column.outputType.empty()) {
    // The output text of a plain text column is its stored text (empty
    // when null), read where it lies.
    for (size_t i = 0; i < n; ++i) {
      const CGridCell& cell = cells[ids[i]];
      key->texts[i] = cell.isNull ? std::string_view() : cell.text.view();
    }
  } else {
    key->formatted.resize(n);
    for (size_t i = 0; i < n; ++i) {
      key->formatted[i] = OutputText(column, cells[ids[i]]);
      key->texts[i] = key->formatted[i];
    }
  }
  for (size_t i = 0; i < n; ++i) key->codes[i] = TextPrefixCode(key->texts[i]);
  return true;
}

// A row's sort entry: the first key's code, turned for a descending key.
struct Entry {
  uint64_t code;
  uint32_t index;  // the row's position before the sort
};

// A stable least-significant-byte radix sort of the entries by code: time
// in proportion to their number, where a comparison sort would grow by the
// logarithm. A byte every code shares costs no pass.
void SortByCode(std::vector<Entry>* entries) {
  const size_t n = entries->size();
  if (n < 2) return;
  std::vector<size_t> counts(8 * 256);
  for (const Entry& e : *entries) {
    for (int b = 0; b < 8; ++b) ++counts[b * 256 + ((e.code >> (8 * b)) & 0xFF)];
  }
  std::vector<Entry> buffer(n);
  Entry* from = entries->data();
  Entry* to = buffer.data();
  for (int b = 0; b < 8; ++b) {
    size_t* count = &counts[b * 256];
    if (count[(from[0].code >> (8 * b)) & 0xFF] == n) continue;
    size_t offset = 0;
    for (int v = 0; v < 256; ++v) {
      const size_t c = count[v];
      count[v] = offset;
      offset += c;
    }
    for (size_t i = 0; i < n; ++i) to[count[(from[i].code >> (8 * b)) & 0xFF]++] = from[i];
    std::swap(from, to);
  }
  if (from != entries->data()) std::copy(from, from + n, entries->data());
}

}  // namespace

int CompareRows(const CGridModel& grid, const CGridRow& a, const CGridRow& b, int col) {
  const CGridColumn* column = grid.column(col);
  if (column == nullptr) return 0;
  const CGridCell& ca = (*grid.columnCells(col))[a.id];
  const CGridCell& cb = (*grid.columnCells(col))[b.id];
  if (column->dataType == kDataString) {
    // std::string compares as unsigned bytes, and an empty text comes first.
    const int c = OutputText(*column, ca).compare(OutputText(*column, cb));
    return c == 0 ? 0 : (c > 0 ? 1 : -1);
  }
  const double va = NumericValue(ca);
  const double vb = NumericValue(cb);
  return va == vb ? 0 : (va > vb ? 1 : -1);
}

// The exchange passes (one per key, each only among rows equal on the earlier
// keys) are selection sorts within runs of equal earlier keys, so rows that
// differ on the keys end in lexicographic key order: one stable sort by all
// keys gives the same order and keeps rows equal on every key as they were.
std::vector<uint32_t> SortedRowIds(const CGridModel& grid, const SortKey keys[3],
                                   platform::ProgressDialog* progress) {
  const std::vector<uint32_t>& ids = grid.rowIds();
  const int n = static_cast<int>(ids.size());

  int setKeys = 0;
  for (int k = 0; k < 3; ++k) setKeys += keys[k].position != -1 ? 1 : 0;
  const int total = setKeys * n;
  int done = 0;
  auto advance = [&](int upTo) {
    if (progress == nullptr) return;
    for (; done < upTo; ++done) progress->Step();
  };
  if (progress != nullptr) {
    progress->SetRange(total);
    progress->SetPosition(0);
  }

  std::vector<KeyValues> used;
  bool coded = true;  // every key's codes order its values
  int seen = 0;
  for (int k = 0; k < 3; ++k) {
    if (keys[k].position == -1) continue;
    // Positions count from 1; anything below names no column.
    const int col = keys[k].position > 0 ? keys[k].position - 1 : -1;
    // A key naming no column compares every pair equal: it orders nothing.
    if (const CGridColumn* column = grid.column(col)) {
      used.emplace_back();
      coded = ExtractKey(grid, ids, *column, col, keys[k].direction != 0, &used.back()) && coded;
    }
    advance(++seen * n / 2);
  }

  std::vector<uint32_t> order(n);
  std::iota(order.begin(), order.end(), 0u);
  if (!used.empty() && coded) {
    // The first key's codes sit beside the positions, so most comparisons
    // read one contiguous entry; the position last makes the sort stable.
    std::vector<Entry> entries(n);
    const KeyValues& first = used.front();
    for (int i = 0; i < n; ++i) {
      entries[i] = {first.descending ? ~first.codes[i] : first.codes[i], static_cast<uint32_t>(i)};
    }
    SortByCode(&entries);
    // Runs of one code are ordered by the whole comparison, the position
    // last, as the stable sort by all keys orders them.
    auto before = [&used](const Entry& a, const Entry& b) {
      for (const KeyValues& key : used) {
        const int c = key.Compare(a.index, b.index);
        if (c != 0) return key.descending ? c > 0 : c < 0;
      }
      return a.index < b.index;
    };
    for (auto run = entries.begin(); run != entries.end();) {
      auto end = run + 1;
      while (end != entries.end() && end->code == run->code) ++end;
      if (end - run > 1) std::sort(run, end, before);
      run = end;
    }
    for (int i = 0; i < n; ++i) order[i] = entries[i].index;
  } else if (!used.empty()) {
    // A NaN: the merge sort copes with a comparison that is no strict order.
    std::stable_sort(order.begin(), order.end(), [&used](uint32_t a, uint32_t b) {
      for (const KeyValues& key : used) {
        const int c = key.Compare(a, b);
        if (c != 0) return key.descending ? c > 0 : c < 0;
      }
      return false;
    });
  }
  advance(total);

  std::vector<uint32_t> sorted(n);
  for (int i = 0; i < n; ++i) sorted[i] = ids[order[i]];
  return sorted;
}

std::vector<CGridRow*> SortedRowOrder(CGridModel& grid, const SortKey keys[3],
                                      platform::ProgressDialog* progress) {
  std::vector<CGridRow*> rows;
  for (uint32_t id : SortedRowIds(grid, keys, progress)) rows.push_back(grid.rowById(id));
  return rows;
}

void SortRows(CGridModel* grid, const SortKey keys[3], platform::ProgressDialog* progress) {
  if (grid == nullptr) return;
  grid->setRowIdOrder(SortedRowIds(*grid, keys, progress));
}

int32_t SortMember(CGridModel* grid, platform::UserInterface* ui, int32_t nPos1, int32_t nDir1,
                   int32_t nPos2, int32_t nDir2, int32_t nPos3, int32_t nDir3) {
  if (grid == nullptr) return 0;
  const SortKey keys[3] = {{nPos1, nDir1}, {nPos2, nDir2}, {nPos3, nDir3}};
  std::vector<uint32_t> sorted;
  {
    platform::ModelessProgress progress(ui, kSortMemberMessage);
    sorted = SortedRowIds(*grid, keys, &progress.dialog());
  }
  // The grid is laid out and repainted once the progress dialog is gone.
  grid->setRowIdOrder(std::move(sorted));
  return 0;
}

}  // namespace maltrove
