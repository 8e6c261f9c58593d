// Copy, cut, paste and clear of the selected cells, ready to be bound as the
// grid's members copy (190), cut (191), paste (192) and deleteSelectedData
// (193). copy, cut and paste act only with a contextMenuLevel of 1 or more
// (with 0, the default, or -1 they do nothing, from script too);
// deleteSelectedData works at every level.
#pragma once

#include "model/grid_model.h"
#include "platform/clipboard.h"

namespace maltrove {

// The smallest rectangle holding every selection entry; an entry with row -1
// spans all rows in use, one with column -1 all columns.
struct SelectionBox {
  int top = 0;
  int left = 0;
  int bottom = -1;
  int right = -1;
  bool isEmpty() const { return bottom < top || right < left; }
};
SelectionBox GetSelectionBox(const CGridModel& grid);

// The selection box as clipboard text: the output text of every selected
// cell, an empty field for an unselected cell of the box.
std::string SelectionText(const CGridModel& grid);
// The same cells as an HTML table, for clipboards that carry one.
std::string SelectionHtml(const CGridModel& grid);

// Nothing is placed on the clipboard for an empty selection.
void CopyMember(CGridModel* grid, platform::Clipboard* clipboard);
void CutMember(CGridModel* grid, platform::Clipboard* clipboard);
// The clipboard's rows and fields go to the rows and columns from the focused
// cell on; what lies beyond the last row or column is dropped, and read-only
// cells keep their value (their field is still used up).
void PasteMember(CGridModel* grid, platform::Clipboard* clipboard);
// Empties the selected cells, except radio, checkBox and button cells, cells
// of hidden columns and read-only cells; then clears the selection.
void DeleteSelectedDataMember(CGridModel* grid);

}  // namespace maltrove
