// The grid's style fields with the values the reset operation gives them.
// New columns copy the column-header and cell defaults; the row header is
// used directly.
#pragma once

#include <string>

#include "model/colour.h"

namespace maltrove {

enum Align { kAlignNone = 0, kAlignLeft = 1, kAlignCenter = 2, kAlignRight = 3 };

// Font, colours and paddings of one kind of cell.
struct TextStyle {
  int align = kAlignCenter;
  std::string fontName = "돋움,돋움체,굴림,굴림체";
  int fontSize = 10;
  int fontItalic = 0;
  int fontBold = 0;
  int fontCharSet = 1;  // "default"
  Colour backgroundColor = Rgb(0xEC, 0xE9, 0xD8);
  Colour textColor = Rgb(0, 0, 0);
  int paddingLeft = 1;
  int paddingRight = 1;
  int paddingTop = 1;
  int paddingBottom = 1;
};

struct ButtonColours {
  Colour face = Rgb(0xE0, 0xE0, 0xE0);
  Colour shadow = Rgb(0x80, 0x80, 0x80);
  Colour highlight = Rgb(0xFF, 0xFF, 0xFF);
};

struct GridStyle {
  GridStyle();

  Colour gridBackgroundColor = Rgb(0xFF, 0xFF, 0xFF);
  Colour focusedHeaderBackgroundColor = Rgb(0xFF, 0xC0, 0x7E);
  Colour focusedCellBackgroundColor = Rgb(0xFF, 0xFF, 0xFF);
  Colour focusedHeaderTextColor = Rgb(0, 0, 0);
  Colour focusedCellTextColor = Rgb(0, 0, 0);
  Colour focusedCellBorderColor = Rgb(0, 0, 0);
  Colour selectedHeaderBackgroundColor = Rgb(0x00, 0x25, 0x9A);
  Colour selectedCellBackgroundColor = Rgb(0xDC, 0xDB, 0xC2);
  Colour selectedHeaderTextColor = Rgb(0xFF, 0xFF, 0xFF);
  Colour selectedCellTextColor = Rgb(0, 0, 0);
  Colour headerBorderColor = Rgb(0, 0, 0);
  Colour cellBorderColor = Rgb(0x80, 0x80, 0x80);
  int headerBorderStyle = 0;
  int cellBorderStyle = 0;
  int headerBorderWidth = 1;
  int cellBorderWidth = 1;
  int columnHeaderHeight = 20;
  int rowHeaderWidth = 60;
  int cellHeightDefault = 20;
  int columnHeaderVisible = 1;
  int rowHeaderVisible = 1;
  int contextMenuLevel = 0;

  TextStyle columnHeaderDefault;  // align: columnHeaderAlignDefault
  TextStyle rowHeader;            // align: rowHeaderAlign
  TextStyle cellDefault;          // align: cellAlignDefault (1 = automatic)
  ButtonColours cellButtonDefault;

  int enableRowColumnResize = -1;
  int enableRowResize = -1;
  int enableColumnResize = -1;
  int readOnly = -1;
  int displayToolTipDefault = 2;
  Colour rowHeaderBackgroundColorEven = kNoColour;
  Colour rowHeaderTextColorEven = kNoColour;
  Colour rowCellBackgroundColorEven = kNoColour;
  Colour rowCellTextColorEven = kNoColour;
  int fixedColumnCount = 0;
  int immediateDrawMode = 1;
};

}  // namespace maltrove
