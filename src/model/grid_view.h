// What the model asks of the window showing it. The model calls these only
// while immediateDrawMode is on; a grid without a window uses no view.
#pragma once

namespace maltrove {

class GridView {
 public:
  virtual ~GridView() = default;
  virtual void RepaintAll() = 0;
  virtual void RepaintRow(int row) = 0;
  virtual void RepaintColumn(int col) = 0;
  virtual void RepaintCell(int row, int col) = 0;
  virtual void RecomputeScrollBars() = 0;
};

}  // namespace maltrove
