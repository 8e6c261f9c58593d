// CGridColumn: one column definition. Its address stays the same while other
// columns are inserted or removed.
#pragma once

#include <cstdint>
#include <string>

#include "model/grid_style.h"

namespace maltrove {

enum DataType { kDataString = 1, kDataNumeric = 2, kDataDateTime = 3 };
enum InputType {
  kInputText = 1,
  kInputMultiLine = 2,
  kInputSelect = 3,
  kInputRadio = 4,
  kInputCheckBox = 5,
  kInputCalendar = 6,
  kInputButton = 7,
};

struct CGridColumn {
  std::string label;
  int left = 0;
  int width = 100;          // -3 while hidden
  int declaredWidth = 100;  // the width to restore when shown again
  int dataType = kDataString;
  int inputType = kInputText;
  std::string displayType;
  std::string outputType;
  std::string comboDatas;
  std::string comboValues;
  std::string fieldName;
  std::string defaultValue;
  int inputLimit = 0;
  std::string allowChar;
  std::string ignoreChar;
  std::string selectMatchMethod;
  TextStyle header;  // header.align is headerAlign
  TextStyle cell;    // cell.align is cellAlign, 0 = automatic
  ButtonColours button;
  int enableResize = -1;
  int readOnly = -1;
  int displayToolTip = 2;
  int defaultChecked = 0;
  int64_t checkedRadioId = -1;  // id of the row whose radio cell is on, or -1

  bool isVisible() const { return width >= -2; }
  bool isCheckable() const { return inputType == kInputRadio || inputType == kInputCheckBox; }
};

}  // namespace maltrove
