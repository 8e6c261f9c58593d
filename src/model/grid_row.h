// CGridRow and CGridCell. A row holds one cell per column, in column order;
// a cell finds its column by its position in the row.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/colour.h"

namespace maltrove {

// The cell's own select lists, rare enough to live outside the cell.
struct CellCombo {
  std::string comboValues;
  std::string comboDatas;
};

struct CGridCell {
  std::string text;    // stored value text
  double number = 0;   // numeric value, date serial, or checked state
  std::unique_ptr<CellCombo> combo;
  bool isNull = true;  // no numeric / date value
  bool edited = false;

  const std::string& comboValues() const;
  const std::string& comboDatas() const;
};

struct CGridRow {
  std::vector<CGridCell> cells;
  int top = 0;
  int height = 20;
  int readOnly = -1;
  Colour cellBackgroundColor = kNoColour;
  Colour cellTextColor = kNoColour;
  bool inserted = false;
};

}  // namespace maltrove
