// The events the grid window raises; the control fires them to script.
#pragma once

#include <string>

namespace maltrove {

class GridEvents {
 public:
  virtual ~GridEvents() = default;
  virtual void onCellFocused(int row, int col) = 0;
  virtual void onClickCellButton(int row, int col) = 0;
  virtual void onClickCellRadio(int row, int col, int checked) = 0;
  virtual void onClickCellCheckbox(int row, int col, int checked) = 0;
  virtual void onCellValueChanged(int row, int col, const std::string& data) = 0;
  virtual void onClickColumnHeader(int col) = 0;
  virtual void onClickCell(int row, int col) = 0;
  virtual void onDblClickRowHeader(int row) = 0;
  virtual void onDblClickColHeader(int col) = 0;
  virtual void onClickCombo(int row, int col, const std::string& datas,
                            const std::string& values) = 0;
};

}  // namespace maltrove
