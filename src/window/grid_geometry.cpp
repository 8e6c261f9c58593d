#include "window/grid_geometry.h"

#include <algorithm>

namespace maltrove {

namespace {

constexpr int kBorderZone = 4;  // pixels beside a border that grab it

// Along one axis: the line containing a content coordinate, and whether the
// point lies on a border, and whose.
struct AxisHit {
  int index = -2;
  int borderOf = -2;  // the line whose border was hit, -2 for none
};

int PreviousVisibleColumn(const CGridModel& model, int col) {
  for (int c = col - 1; c >= 0; --c) {
    if (model.column(c)->isVisible()) return c;
  }
  return -1;
}

AxisHit HitRowAxis(const CGridModel& model, int y, int contentY) {
  AxisHit hit;
  const int header = HeaderRowHeight(model.style());
  if (y <= header + kBorderZone) {
    hit.index = -1;
    if (y >= header - 2) hit.borderOf = -1;
    return hit;
  }
  const int r = FirstRowReaching(model, contentY, 1);
  if (r >= model.getRowCount()) return hit;
  const CGridRow& row = *model.row(r);
  if (contentY < row.top - 2) return hit;
  hit.index = r;
  if (contentY - (row.top - 2) < kBorderZone) {
    hit.borderOf = r - 1;
  } else if (row.top + row.height + 2 - contentY < kBorderZone) {
    hit.borderOf = r;
  }
  return hit;
}

AxisHit HitColumnAxis(const CGridModel& model, int x, int contentX) {
  AxisHit hit;
  const int header = HeaderColumnWidth(model.style());
  if (x <= header + kBorderZone) {
    hit.index = -1;
    if (x >= header - 2) hit.borderOf = -1;
    return hit;
  }
  const int c = FirstColumnReaching(model, contentX, 1);
  if (c >= model.getColumnCount()) return hit;
  const CGridColumn& column = *model.column(c);
  if (contentX < column.left - 2) return hit;
  hit.index = c;
  if (contentX - (column.left - 2) < kBorderZone) {
    hit.borderOf = PreviousVisibleColumn(model, c);
  } else if (column.left + column.width + 2 - contentX < kBorderZone) {
    hit.borderOf = c;
  }
  return hit;
}

}  // namespace

int HeaderRowHeight(const GridStyle& style) {
  return style.columnHeaderVisible ? style.columnHeaderHeight : -CGridModel::kGap;
}

int HeaderColumnWidth(const GridStyle& style) {
  return style.rowHeaderVisible ? style.rowHeaderWidth : -CGridModel::kGap;
}

Rect CellRect(const CGridColumn& column, const CGridRow& row) {
  return {column.left - 2, row.top - 2, column.left + column.width + 1, row.top + row.height + 1};
}

Rect ColumnHeaderRect(const CGridColumn& column, const GridStyle& style) {
  return {column.left - 2, 0, column.left + column.width + 1, HeaderRowHeight(style) + 3};
}

Rect RowHeaderRect(const CGridRow& row, const GridStyle& style) {
  return {0, row.top - 2, HeaderColumnWidth(style) + 3, row.top + row.height + 1};
}

Rect CornerRect(const GridStyle& style) {
  return {0, 0, HeaderColumnWidth(style) + 3, HeaderRowHeight(style) + 3};
}

int FirstRowReaching(const CGridModel& model, int y, int margin) {
  // Tops grow with the row index, so the bottoms do too.
  int low = 0;
  int high = model.getRowCount();
  while (low < high) {
    const int mid = low + (high - low) / 2;
    const CGridRow& row = *model.row(mid);
    if (row.top + row.height + margin <= y) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return low;
}

int FirstColumnReaching(const CGridModel& model, int x, int margin) {
  const int count = model.getColumnCount();
  for (int c = 0; c < count; ++c) {
    const CGridColumn& column = *model.column(c);
    if (column.isVisible() && column.left + column.width + margin > x) return c;
  }
  return count;
}

bool IsFixedColumn(const CGridModel& model, int col) {
  return col >= 0 && col < model.fixedColumnCount();
}

int FrozenRight(const CGridModel& model) {
  int right = HeaderColumnWidth(model.style()) + CGridModel::kGap;
  const int fixed = std::min(model.fixedColumnCount(), model.getColumnCount());
  for (int c = 0; c < fixed; ++c) {
    const CGridColumn& column = *model.column(c);
    if (column.isVisible()) right += column.width + CGridModel::kGap;
  }
  return right;
}

GridHit HitTest(const CGridModel& model, const ScrollPosition& scroll, int clientHeight,
                bool horizontalBarShown, int x, int y) {
  GridHit hit;
  if (horizontalBarShown && y > clientHeight - 20) return hit;
  const int contentY = y + scroll.vertical;
  if (contentY < 0 || contentY > model.contentBottom()) return hit;
  const int contentX = x < FrozenRight(model) ? x : x + scroll.horizontal;
  if (contentX < 0 || contentX > model.contentRight()) return hit;

  const AxisHit row = HitRowAxis(model, y, contentY);
  const AxisHit col = HitColumnAxis(model, x, contentX);
  if (row.index == -2 || col.index == -2) return hit;
  if (col.index == -1 && row.borderOf != -2) return {row.borderOf, -1, kHitRowBorder};
  if (row.index == -1 && col.borderOf != -2) return {-1, col.borderOf, kHitColumnBorder};
  return {row.index, col.index, kHitCell};
}

}  // namespace maltrove
