// Where things are on the grid's window: header extents, the rows and
// columns in view, the frozen area, cell rectangles and the hit test. All of
// it reads the positions the model keeps (left/top with the 3-pixel gap);
// rows in view are found by binary search on their tops, so no question here
// walks the rows above the view.
#pragma once

#include "model/grid_model.h"
#include "platform/draw_surface.h"

namespace maltrove {

using platform::Rect;

// Scroll positions in content pixels.
struct ScrollPosition {
  int horizontal = 0;
  int vertical = 0;
};

// The height of the header row, -3 when hidden (its span is 0 .. H + 3).
int HeaderRowHeight(const GridStyle& style);
// The width of the header column, -3 when hidden (its span is 0 .. W + 3).
int HeaderColumnWidth(const GridStyle& style);

// A cell's rectangle in content coordinates: left-2, top-2 to
// left+width+1, top+height+1.
Rect CellRect(const CGridColumn& column, const CGridRow& row);
Rect ColumnHeaderRect(const CGridColumn& column, const GridStyle& style);
Rect RowHeaderRect(const CGridRow& row, const GridStyle& style);
Rect CornerRect(const GridStyle& style);

// The first row whose span, widened by `margin` pixels, reaches below
// content y `y`; the row count when there is none.
int FirstRowReaching(const CGridModel& model, int y, int margin);
// The same for columns along x, skipping hidden columns' empty spans.
int FirstColumnReaching(const CGridModel& model, int x, int margin);

// The right edge of the frozen area: the header column plus every visible
// fixed column, each with its gap.
int FrozenRight(const CGridModel& model);
bool IsFixedColumn(const CGridModel& model, int col);

// What lies under a client point.
enum HitKind { kHitNothing = 0, kHitCell = 1, kHitColumnBorder = 2, kHitRowBorder = 3 };
struct GridHit {
  int row = -2;  // -1 the header row, -2 nothing
  int col = -2;  // -1 the header column, -2 nothing
  HitKind kind = kHitNothing;
};

// The hit test: `horizontalBarShown` takes the bottom 20 pixels out.
GridHit HitTest(const CGridModel& model, const ScrollPosition& scroll, int clientHeight,
                bool horizontalBarShown, int x, int y);

}  // namespace maltrove
