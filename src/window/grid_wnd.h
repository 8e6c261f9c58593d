// CGridWnd: the grid's logic object. It owns the model and carries the focus
// rules; painting and input arrive with the window.
#pragma once

#include <cstdint>

#include "model/grid_model.h"
#include "window/grid_events.h"
#include "window/scroll_bar_skin.h"

namespace maltrove {

class CGridWnd {
 public:
  CGridModel& model() { return model_; }
  const CGridModel& model() const { return model_; }
  void setEvents(GridEvents* events) { events_ = events; }

  int32_t getFocusedRowIndex() const { return model_.focusedRow(); }
  int32_t getFocusedColIndex() const { return model_.focusedCol(); }
  // Moves the focus; a negative index focuses index 0, while onCellFocused
  // reports the position as requested.
  void setFocusCell(int32_t row, int32_t col);

  // Both horizontal scroll bars share one skin.
  ScrollBarSkin& horizontalSkin() { return horizontalSkin_; }
  ScrollBarSkin& verticalSkin() { return verticalSkin_; }

 private:
  CGridModel model_;
  GridEvents* events_ = nullptr;
  ScrollBarSkin horizontalSkin_;
  ScrollBarSkin verticalSkin_;
  bool editorOpen_ = false;
};

}  // namespace maltrove
