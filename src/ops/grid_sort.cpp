#include "ops/grid_sort.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "model/cell_value.h"
#include "platform/progress_operation.h"

namespace maltrove {

namespace {

// One set key's values, taken once per row so that comparisons need no
// formatting.
struct KeyValues {
  bool text = true;
  bool descending = false;
  std::vector<std::string> texts;
  std::vector<double> numbers;

  int Compare(uint32_t a, uint32_t b) const {
    if (text) return texts[a].compare(texts[b]);
    return numbers[a] < numbers[b] ? -1 : (numbers[b] < numbers[a] ? 1 : 0);
  }
};

double NumericValue(const CGridCell& cell) { return cell.isNull ? 0 : cell.number; }

KeyValues ExtractKey(const CGridModel& grid, const std::vector<CGridRow*>& rows,
                     const CGridColumn& column, int col, bool descending) {
  KeyValues key;
  key.text = column.dataType == kDataString;
  key.descending = descending;
  const CellColumn& cells = *grid.columnCells(col);
  if (key.text) key.texts.reserve(rows.size());
  else key.numbers.reserve(rows.size());
  for (const CGridRow* row : rows) {
    const CGridCell& cell = cells[row->id];
    if (key.text) key.texts.push_back(OutputText(column, cell));
    else key.numbers.push_back(NumericValue(cell));
  }
  return key;
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
std::vector<CGridRow*> SortedRowOrder(CGridModel& grid, const SortKey keys[3],
                                      platform::ProgressDialog* progress) {
  const int n = grid.getRowCount();
  std::vector<CGridRow*> rows(n);
  for (int i = 0; i < n; ++i) rows[i] = grid.row(i);

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
  int seen = 0;
  for (int k = 0; k < 3; ++k) {
    if (keys[k].position == -1) continue;
    // Positions count from 1; anything below names no column.
    const int col = keys[k].position > 0 ? keys[k].position - 1 : -1;
    // A key naming no column compares every pair equal: it orders nothing.
    if (const CGridColumn* column = grid.column(col)) {
      used.push_back(ExtractKey(grid, rows, *column, col, keys[k].direction != 0));
    }
    advance(++seen * n / 2);
  }

  std::vector<uint32_t> order(n);
  std::iota(order.begin(), order.end(), 0u);
  if (!used.empty()) {
    std::stable_sort(order.begin(), order.end(), [&used](uint32_t a, uint32_t b) {
      for (const KeyValues& key : used) {
        const int c = key.Compare(a, b);
        if (c != 0) return key.descending ? c > 0 : c < 0;
      }
      return false;
    });
  }
  advance(total);

  std::vector<CGridRow*> sorted(n);
  for (int i = 0; i < n; ++i) sorted[i] = rows[order[i]];
  return sorted;
}

void SortRows(CGridModel* grid, const SortKey keys[3], platform::ProgressDialog* progress) {
  if (grid == nullptr) return;
  grid->setRowOrder(SortedRowOrder(*grid, keys, progress));
}

int32_t SortMember(CGridModel* grid, platform::UserInterface* ui, int32_t nPos1, int32_t nDir1,
                   int32_t nPos2, int32_t nDir2, int32_t nPos3, int32_t nDir3) {
  if (grid == nullptr) return 0;
  const SortKey keys[3] = {{nPos1, nDir1}, {nPos2, nDir2}, {nPos3, nDir3}};
  std::vector<CGridRow*> sorted;
  {
    platform::ModelessProgress progress(ui, kSortMemberMessage);
    sorted = SortedRowOrder(*grid, keys, &progress.dialog());
  }
  // The grid is laid out and repainted once the progress dialog is gone.
  grid->setRowOrder(sorted);
  return 0;
}

}  // namespace maltrove
