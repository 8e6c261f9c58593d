// GridPainter: paints the grid's table onto a surface in the fixed order of
// the window: body cells, the focus frame, column headers, row headers with
// the frozen columns, their headers and the corner, the focus frame again
// over frozen columns, and the square between the scroll bars. Only rows and
// columns within 20 pixels of the view are visited.
#pragma once

#include "model/grid_model.h"
#include "platform/draw_surface.h"
#include "window/grid_geometry.h"

namespace maltrove {

struct PaintState {
  ScrollPosition scroll;
  platform::Size client;
  // The area the table shows: the client less the scroll bars.
  platform::Size view;
  bool bothBarsShown = false;
  // The cell a button press is held on (its button is drawn sunken).
  int pressedRow = -2;
  int pressedCol = -2;
};

// The font of a text style.
platform::FontDescription FontOf(const TextStyle& style);

class GridPainter {
 public:
  GridPainter(const CGridModel& model, const PaintState& state, platform::DrawSurface& surface)
      : model_(model), style_(model.style()), state_(state), surface_(surface) {}

  void Paint();

  // Single pieces, in content coordinates (the caller sets the origin).
  void PaintCell(int row, int col);
  void PaintColumnHeader(int col);
  void PaintRowHeader(int row);
  void PaintCorner();
  void PaintFocusFrame();

  // The text rectangle of a cell's display text, as painting would lay it out
  // (for the data tips): width and height.
  static platform::Size MeasureCellText(const CGridModel& model, int row, int col,
                                        platform::TextMeasurer& measurer);

 private:
  struct Range {
    int first;
    int end;
  };
  Range RowsInView() const;
  void PaintBody(const Range& rows);
  void PaintColumnHeaders();
  void PaintFrozenArea(const Range& rows);
  void PaintFixedHeadersAndCorner();

  // How a cell stands: its colours follow from it.
  enum class CellState { kPlain, kSelected, kFocused };
  CellState StateOf(int row, int col) const;
  Colour CellBackground(int row, int col, CellState state) const;
  Colour CellTextColour(int row, int col, CellState state) const;
  bool IsButtonPressed(int row, int col) const;
  void PaintCheckGlyph(int row, int col, Rect* content, bool hasText);
  void PaintButtonFace(int col, bool sunken, Rect* content);
  platform::Pen HeaderPen() const;
  platform::Pen CellPen() const;
  void PaintHeaderFrame(const Rect& rect, Colour background);

  const CGridModel& model_;
  const GridStyle& style_;
  const PaintState& state_;
  platform::DrawSurface& surface_;
};

}  // namespace maltrove
