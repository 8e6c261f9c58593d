// CGridRow and CGridCell. The cells of one column lie together in the model,
// indexed by the stable id of their row; a row keeps only its own fields.
#pragma once

#include <cstdint>
#include <string>

#include "model/block_array.h"
#include "model/compact_text.h"
#include "model/colour.h"

namespace maltrove {

// A cell's own select lists, rare enough to live outside the cell: the model
// keeps them beside the column's cells (CGridModel::cellCombo).
struct CellCombo {
  std::string comboValues;
  std::string comboDatas;
};

// 32 bytes: a column of 65,536 cells is 2 MB in one block.
struct CGridCell {
  CompactText text;    // stored value text
  double number = 0;   // numeric value, date serial, or checked state
  bool isNull = true;  // no numeric / date value
  bool edited = false;
  // The number's plain output text reads back as the number: set where a
  // numeric text is stored, cleared by every other change of the number.
  bool numberReadsBack = false;
};

// A column's cells by row id; a cell stays where it is while rows are added.
using CellColumn = BlockArray<CGridCell>;

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
