// CGridRow and CGridCell. The cells of one column lie together in the model,
// indexed by the stable id of their row; a row keeps only its own fields.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/compact_text.h"
#include "model/colour.h"

namespace maltrove {

// The cell's own select lists, rare enough to live outside the cell.
struct CellCombo {
  std::string comboValues;
  std::string comboDatas;
};

// 40 bytes: a column of 65,536 cells is 2.5 MB in one block.
struct CGridCell {
  CompactText text;      // stored value text
  double number = 0;   // numeric value, date serial, or checked state
  std::unique_ptr<CellCombo> combo;
  bool isNull = true;  // no numeric / date value
  bool edited = false;

  const std::string& comboValues() const;
  const std::string& comboDatas() const;
};

struct CGridRow {
  uint32_t id = 0;  // the row's index in every column's cells; kept for life
  int top = 0;
  int height = 20;
  int readOnly = -1;
  Colour cellBackgroundColor = kNoColour;
  Colour cellTextColor = kNoColour;
  bool inserted = false;
};

}  // namespace maltrove
