#include "window/grid_painter.h"

#include <algorithm>
#include <string>

namespace maltrove {

using platform::Pen;
using platform::Size;

namespace {

constexpr int kWalkMargin = 20;    // rows and columns this close to the view are painted
constexpr int kGlyphSize = 12;     // check-box and radio pictures
constexpr int kGlyphAdvance = 16;  // the text starts this far right of the picture
constexpr int kBarSize = 22;
const Colour kEdgeLight = Rgb(0xFF, 0xFF, 0xFF);
const Colour kEdgeDark = Rgb(0x80, 0x80, 0x80);

int AlignFlags(int align) {
  if (align == kAlignCenter) return platform::kTextCenter;
  if (align == kAlignRight) return platform::kTextRight;
  return platform::kTextLeft;
}

Rect NotInverted(Rect rect) {
  rect.right = std::max(rect.right, rect.left);
  rect.bottom = std::max(rect.bottom, rect.top);
  return rect;
}

bool HasEntry(const CGridModel& model, int row, int col) {
  for (const auto& entry : model.selection()) {
    if (entry.first == row && entry.second == col) return true;
  }
  return false;
}

bool ColumnTouched(const CGridModel& model, int col) {
  if (model.focusedCol() == col) return true;
  for (const auto& entry : model.selection()) {
    if (entry.second == col || entry.second == -1) return true;
  }
  return false;
}

bool RowTouched(const CGridModel& model, int row) {
  if (model.focusedRow() == row) return true;
  for (const auto& entry : model.selection()) {
    if (entry.first == row || entry.first == -1) return true;
  }
  return false;
}

Rect ContentRect(const CGridColumn& column, const CGridRow& row) {
  const TextStyle& cell = column.cell;
  return NotInverted({column.left + cell.paddingLeft, row.top + cell.paddingTop,
                      column.left + column.width - cell.paddingRight,
                      row.top + row.height - cell.paddingBottom});
}

int CellTextFlags(const CGridColumn& column) {
  int flags = AlignFlags(column.cell.align) | platform::kTextVCenter;
  if (column.inputType != kInputMultiLine) flags |= platform::kTextSingleLine;
  return flags;
}

bool IsFocused(const CGridModel& model, int row, int col) {
  return model.focusedRow() == row && model.focusedCol() == col;
}

}  // namespace

platform::FontDescription FontOf(const TextStyle& style) {
  return {style.fontName, style.fontSize, style.fontItalic != 0, style.fontBold != 0};
}

// ---- whole paint --------------------------------------------------------------

void GridPainter::Paint() {
  surface_.SetOrigin(0, 0);
  surface_.FillRect({0, 0, state_.client.width, state_.client.height},
                    style_.gridBackgroundColor);
  const Range rows = RowsInView();

  surface_.SetOrigin(-state_.scroll.horizontal, -state_.scroll.vertical);
  PaintBody(rows);
  PaintFocusFrame();

  surface_.SetOrigin(-state_.scroll.horizontal, 0);
  PaintColumnHeaders();

  PaintFrozenArea(rows);
  PaintFixedHeadersAndCorner();

  if (IsFixedColumn(model_, model_.focusedCol())) {
    surface_.SetOrigin(0, -state_.scroll.vertical);
    PaintFocusFrame();
    surface_.SetOrigin(-state_.scroll.horizontal, 0);
    PaintColumnHeaders();
    PaintFixedHeadersAndCorner();
  }

  surface_.SetOrigin(0, 0);
  if (state_.bothBarsShown) {
    surface_.FillRect({state_.client.width - kBarSize, state_.client.height - kBarSize,
                       state_.client.width, state_.client.height},
                      style_.gridBackgroundColor);
  }
}

GridPainter::Range GridPainter::RowsInView() const {
  const int first = FirstRowReaching(model_, state_.scroll.vertical, kWalkMargin + 1);
  const int bottom = state_.scroll.vertical + state_.view.height;
  const int count = model_.getRowCount();
  int end = first;
  while (end < count && model_.row(end)->top - 2 - kWalkMargin < bottom) ++end;
  return {first, end};
}

void GridPainter::PaintBody(const Range& rows) {
  const int right = state_.scroll.horizontal + state_.view.width;
  const int firstCol = FirstColumnReaching(model_, state_.scroll.horizontal, kWalkMargin + 1);
  const int columns = model_.getColumnCount();
  for (int r = rows.first; r < rows.end; ++r) {
    for (int c = firstCol; c < columns; ++c) {
      const CGridColumn& column = *model_.column(c);
      if (!column.isVisible()) continue;
      if (column.left - 2 - kWalkMargin >= right) break;
      PaintCell(r, c);
    }
  }
}

void GridPainter::PaintColumnHeaders() {
  if (!style_.columnHeaderVisible) return;
  const int right = state_.scroll.horizontal + state_.view.width;
  const int columns = model_.getColumnCount();
  for (int c = FirstColumnReaching(model_, state_.scroll.horizontal, kWalkMargin + 1);
       c < columns; ++c) {
    const CGridColumn& column = *model_.column(c);
    if (!column.isVisible()) continue;
    if (column.left - 2 - kWalkMargin >= right) break;
    PaintColumnHeader(c);
  }
}

void GridPainter::PaintFrozenArea(const Range& rows) {
  surface_.SetOrigin(0, -state_.scroll.vertical);
  const int fixed = std::min(model_.fixedColumnCount(), model_.getColumnCount());
  for (int r = rows.first; r < rows.end; ++r) {
    if (style_.rowHeaderVisible) PaintRowHeader(r);
    for (int c = 0; c < fixed; ++c) {
      if (model_.column(c)->isVisible()) PaintCell(r, c);
    }
  }
}

void GridPainter::PaintFixedHeadersAndCorner() {
  surface_.SetOrigin(0, 0);
  if (style_.columnHeaderVisible) {
    const int fixed = std::min(model_.fixedColumnCount(), model_.getColumnCount());
    for (int c = 0; c < fixed; ++c) {
      if (model_.column(c)->isVisible()) PaintColumnHeader(c);
    }
  }
  if (style_.columnHeaderVisible && style_.rowHeaderVisible) PaintCorner();
}

// ---- body cells -----------------------------------------------------------------

// The selection is asked once per cell: it is a list walked entry by entry.
GridPainter::CellState GridPainter::StateOf(int row, int col) const {
  if (IsFocused(model_, row, col)) return CellState::kFocused;
  return model_.isSelected(row, col) ? CellState::kSelected : CellState::kPlain;
}

Colour GridPainter::CellBackground(int row, int col, CellState state) const {
  if (state == CellState::kFocused) return style_.focusedCellBackgroundColor;
  if (state == CellState::kSelected) return style_.selectedCellBackgroundColor;
  const CGridRow& r = *model_.row(row);
  if (r.cellBackgroundColor != kNoColour) return r.cellBackgroundColor;
  if (row % 2 == 1 && style_.rowCellBackgroundColorEven != kNoColour) {
    return style_.rowCellBackgroundColorEven;
  }
  return model_.column(col)->cell.backgroundColor;
}

Colour GridPainter::CellTextColour(int row, int col, CellState state) const {
  if (state == CellState::kFocused) return style_.focusedCellTextColor;
  if (state == CellState::kSelected) return style_.selectedCellTextColor;
  const CGridRow& r = *model_.row(row);
  if (r.cellTextColor != kNoColour) return r.cellTextColor;
  if (row % 2 == 1 && style_.rowCellTextColorEven != kNoColour) return style_.rowCellTextColorEven;
  return model_.column(col)->cell.textColor;
}

bool GridPainter::IsButtonPressed(int row, int col) const {
  return state_.pressedRow == row && state_.pressedCol == col &&
         model_.isCellReadOnly(row, col) == 0;
}

Pen GridPainter::CellPen() const {
  const bool solid = style_.cellBorderStyle == platform::kPenSolid;
  return {style_.cellBorderColor, solid ? style_.cellBorderWidth : 1, style_.cellBorderStyle};
}

Pen GridPainter::HeaderPen() const {
  const bool solid = style_.headerBorderStyle == platform::kPenSolid;
  return {style_.headerBorderColor, solid ? style_.headerBorderWidth : 1, style_.headerBorderStyle};
}

void GridPainter::PaintCell(int row, int col) {
  const CGridColumn& column = *model_.column(col);
  const CGridRow& r = *model_.row(row);
  const Rect rect = CellRect(column, r);
  const CellState state = StateOf(row, col);
  surface_.FillRect(rect, CellBackground(row, col, state));
  surface_.FrameRect(rect, CellPen());
  if (col + 1 == model_.fixedColumnCount()) {
    // The frozen area's separator: a header line and a cell line beside it.
    surface_.Line(rect.right - 1, rect.top, rect.right - 1, rect.bottom, HeaderPen());
    surface_.Line(rect.right - 2, rect.top, rect.right - 2, rect.bottom,
                  {style_.cellBorderColor, 1, style_.cellBorderStyle});
  }
  Rect content = ContentRect(column, r);
  if (model_.isCellHidden(row, col)) return;

  const std::string text = model_.displayText(row, col);
  if (column.isCheckable()) PaintCheckGlyph(row, col, &content, !text.empty());
  if (column.inputType == kInputButton) PaintButtonFace(col, IsButtonPressed(row, col), &content);
  if (text.empty()) return;
  surface_.Text(text, content, FontOf(column.cell), CellTextColour(row, col, state),
                CellTextFlags(column));
}

void GridPainter::PaintCheckGlyph(int row, int col, Rect* content, bool hasText) {
  const bool on = model_.getCellChecked(row, col) != 0;
  const bool radio = model_.column(col)->inputType == kInputRadio;
  const platform::Glyph glyph = radio ? (on ? platform::Glyph::kRadioOn : platform::Glyph::kRadioOff)
                                      : (on ? platform::Glyph::kCheckOn : platform::Glyph::kCheckOff);
  const int x = hasText ? content->left + 2 : content->left + (content->width() - kGlyphSize) / 2;
  const int y = content->top + (content->height() - kGlyphSize) / 2;
  surface_.DrawGlyph(glyph, {x, y, x + kGlyphSize, y + kGlyphSize});
  content->left = std::min(x + kGlyphAdvance, content->right);
}

void GridPainter::PaintButtonFace(int col, bool sunken, Rect* content) {
  const ButtonColours& button = model_.column(col)->button;
  const Rect box = NotInverted(content->inflated(-1, -1));
  surface_.FillRect(box, button.face);
  if (sunken) {
    surface_.Edge3D(box, button.shadow, button.highlight);
  } else {
    surface_.Edge3D(box, button.highlight, button.shadow);
  }
  *content = box;
}

// ---- headers and the focus frame -----------------------------------------------------

void GridPainter::PaintHeaderFrame(const Rect& rect, Colour background) {
  surface_.FillRect(rect, background);
  const int inset = std::max(style_.headerBorderWidth, 0) / 2;
  surface_.Edge3D(NotInverted(rect.inflated(-inset, -inset)), kEdgeLight, kEdgeDark);
  surface_.FrameRect(rect, HeaderPen());
}

void GridPainter::PaintColumnHeader(int col) {
  const CGridColumn& column = *model_.column(col);
  const bool selected = HasEntry(model_, -1, col);
  const bool touched = !selected && ColumnTouched(model_, col);
  const Colour background = selected  ? style_.selectedHeaderBackgroundColor
                            : touched ? style_.focusedHeaderBackgroundColor
                                      : column.header.backgroundColor;
  const Colour text = selected  ? style_.selectedHeaderTextColor
                      : touched ? style_.focusedHeaderTextColor
                                : column.header.textColor;
  PaintHeaderFrame(ColumnHeaderRect(column, style_), background);
  const int height = HeaderRowHeight(style_);
  const Rect label = NotInverted({column.left + column.header.paddingLeft,
                                  column.header.paddingTop + 2,
                                  column.left + column.width - column.header.paddingRight,
                                  height + 2 - column.header.paddingBottom});
  surface_.Text(column.label, label, FontOf(column.header), text,
                AlignFlags(column.header.align) | platform::kTextVCenter |
                    platform::kTextSingleLine);
}

void GridPainter::PaintRowHeader(int row) {
  const CGridRow& r = *model_.row(row);
  const TextStyle& header = style_.rowHeader;
  const bool selected = HasEntry(model_, row, -1);
  const bool touched = !selected && RowTouched(model_, row);
  const bool odd = row % 2 == 1;
  Colour background = header.backgroundColor;
  Colour text = header.textColor;
  if (odd && style_.rowHeaderBackgroundColorEven != kNoColour) {
    background = style_.rowHeaderBackgroundColorEven;
  }
  if (odd && style_.rowHeaderTextColorEven != kNoColour) text = style_.rowHeaderTextColorEven;
  if (selected) {
    background = style_.selectedHeaderBackgroundColor;
    text = style_.selectedHeaderTextColor;
  } else if (touched) {
    background = style_.focusedHeaderBackgroundColor;
    text = style_.focusedHeaderTextColor;
  }
  PaintHeaderFrame(RowHeaderRect(r, style_), background);
  const int width = HeaderColumnWidth(style_);
  const Rect label = NotInverted({header.paddingLeft + 2, r.top + header.paddingTop,
                                  width + 2 - header.paddingRight,
                                  r.top + r.height - header.paddingBottom});
  surface_.Text(std::to_string(row + 1), label, FontOf(header), text,
                AlignFlags(header.align) | platform::kTextVCenter | platform::kTextSingleLine);
}

void GridPainter::PaintCorner() {
  const bool all = HasEntry(model_, -1, -1);
  PaintHeaderFrame(CornerRect(style_),
                   all ? style_.selectedHeaderBackgroundColor : style_.rowHeader.backgroundColor);
}

void GridPainter::PaintFocusFrame() {
  const CGridRow* row = model_.row(model_.focusedRow());
  const CGridColumn* column = model_.column(model_.focusedCol());
  if (row == nullptr || column == nullptr || !column->isVisible()) return;
  const bool solid = style_.cellBorderStyle == platform::kPenSolid;
  const Pen pen{style_.focusedCellBorderColor, solid ? style_.cellBorderWidth + 1 : 2,
                platform::kPenSolid};
  surface_.FrameRect({column->left - 1, row->top - 1, column->left + column->width + 1,
                      row->top + row->height + 1},
                     pen);
}

Size GridPainter::MeasureCellText(const CGridModel& model, int row, int col,
                                  platform::TextMeasurer& measurer) {
  const CGridColumn* column = model.column(col);
  if (column == nullptr || model.row(row) == nullptr) return {};
  const std::string text = model.displayText(row, col);
  Size size = measurer.MeasureText(text, FontOf(column->cell), CellTextFlags(*column), 0);
  if (column->isCheckable()) size.width += kGlyphAdvance + 2;
  return size;
}

}  // namespace maltrove
