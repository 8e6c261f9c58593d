#include "formats/style_string.h"

#include <gtest/gtest.h>

namespace maltrove {
namespace {

const std::string kFaces = "\xEB\x8F\x8B\xEC\x9B\x80,\xEB\x8F\x8B\xEC\x9B\x80\xEC\xB2\xB4,"
                           "\xEA\xB5\xB4\xEB\xA6\xBC,\xEA\xB5\xB4\xEB\xA6\xBC\xEC\xB2\xB4";

TEST(StyleStringTest, DefaultsWriteNothingInDifferencesMode) {
  GridStyle grid;
  CGridColumn column;
  column.header = grid.columnHeaderDefault;
  column.cell = grid.cellDefault;
  EXPECT_EQ(WriteDefaultHeaderStyle(grid, true), "");
  EXPECT_EQ(WriteDefaultDataStyle(grid, true), "");
  EXPECT_EQ(WriteRowHeaderStyle(grid, true), "");
  EXPECT_EQ(WriteColumnHeaderStyle(column, grid, true), "");
  EXPECT_EQ(WriteColumnDataStyle(column, grid, true), "");
}

TEST(StyleStringTest, WritesEveryPropertyInOrder) {
  GridStyle grid;
  EXPECT_EQ(WriteDefaultHeaderStyle(grid, false),
            "background-color:#ECE9D8;color:#000000;font-family:" + kFaces +
                ";font-size:10pt;font-style:normal;font-weight:normal;font-character-set:default;"
                "text-align:center;border-color:#000000;border-style:solid;border-width:1px;"
                "focused-background-color:#FFC07E;focused-color:#000000;padding-left:1px;"
                "padding-right:1px;padding-top:1px;padding-bottom:1px;");
  EXPECT_EQ(WriteDefaultDataStyle(grid, false),
            "background-color:#FFFFFF;color:#000000;font-family:" + kFaces +
                ";font-size:10pt;font-style:normal;font-weight:normal;font-character-set:default;"
                "text-align:left;border-color:#808080;border-style:solid;border-width:1px;"
                "focused-background-color:#FFFFFF;focused-color:#000000;focused-border-color:#000000;"
                "padding-left:1px;padding-right:1px;padding-top:1px;padding-bottom:1px;"
                "button-face-color:#E0E0E0;button-shadow-color:#808080;button-highlight-color:#FFFFFF;"
                "tooltip:overflow;background-color-even:#FFFFFF;color-even:#FFFFFF;");
  std::string row = WriteRowHeaderStyle(grid, false);
  EXPECT_EQ(row.substr(row.find("text-align")),
            "text-align:center;padding-left:1px;padding-right:1px;padding-top:1px;padding-bottom:1px;"
            "background-color-even:#FFFFFF;color-even:#FFFFFF;");
}

TEST(StyleStringTest, CodesWithoutNamesWriteEmptyText) {
  GridStyle grid;
  grid.columnHeaderDefault.align = 0;
  grid.headerBorderStyle = 3;
  grid.columnHeaderDefault.fontCharSet = 7;
  EXPECT_EQ(WriteDefaultHeaderStyle(grid, true), "font-character-set:;text-align:;border-style:;");
}

TEST(StyleStringTest, ParsesValuesByTheirRules) {
  GridStyle grid;
  ParseDefaultHeaderStyle(
      " ;;color:#ff0000;;font-size:12px;text-align:justify;font-style:oblique;font-weight:bold;"
      "border-style:dotted;font-character-set:Hangul;padding-top:7;color:; :#00FF00;bogus:1;"
      "Color:#0000FF;border-width:wide;background-color:red;", &grid);
  const TextStyle& style = grid.columnHeaderDefault;
  EXPECT_EQ(style.textColor, Rgb(0xFF, 0, 0));
  EXPECT_EQ(style.fontSize, 12);
  EXPECT_EQ(style.align, kAlignCenter);
  EXPECT_EQ(style.fontItalic, 0);
  EXPECT_EQ(style.fontBold, 1);
  EXPECT_EQ(style.fontCharSet, -1);
  EXPECT_EQ(style.paddingTop, 7);
  EXPECT_EQ(style.backgroundColor, 0u);
  EXPECT_EQ(grid.headerBorderStyle, 2);
  EXPECT_EQ(grid.headerBorderWidth, 1);
}

TEST(StyleStringTest, LaterDuplicateWinsAndUnknownValuesKeepTheField) {
  GridStyle grid;
  ParseDefaultDataStyle("tooltip:show;tooltip:sometimes;font-size:14pt;font-size:abc;"
                        "font-style:italic;font-style:normal;color-even:#010203", &grid);
  EXPECT_EQ(grid.displayToolTipDefault, 1);
  EXPECT_EQ(grid.cellDefault.fontSize, 14);
  EXPECT_EQ(grid.cellDefault.fontItalic, 0);
  EXPECT_EQ(grid.rowCellTextColorEven, Rgb(1, 2, 3));
}

TEST(StyleStringTest, KindsAcceptOnlyTheirProperties) {
  GridStyle grid;
  ParseRowHeaderStyle("border-width:5px;tooltip:hide;color-even:#0000FF", &grid);
  EXPECT_EQ(grid.headerBorderWidth, 1);
  EXPECT_EQ(grid.displayToolTipDefault, 2);
  EXPECT_EQ(grid.rowHeaderTextColorEven, Rgb(0, 0, 0xFF));
  CGridColumn column;
  ParseColumnHeaderStyle("tooltip:hide;button-face-color:#000000;padding-left:4px", &column);
  EXPECT_EQ(column.displayToolTip, 2);
  EXPECT_EQ(column.button.face, Rgb(0xE0, 0xE0, 0xE0));
  EXPECT_EQ(column.header.paddingLeft, 4);
  ParseColumnDataStyle("tooltip:hide;button-face-color:#000000;padding-left:5px", &column);
  EXPECT_EQ(column.displayToolTip, 0);
  EXPECT_EQ(column.button.face, 0u);
  EXPECT_EQ(column.cell.paddingLeft, 5);
}

// A style that changes every property of each kind survives a write and a
// parse in both modes.
TEST(StyleStringTest, EveryKindRoundTrips) {
  const std::string changes =
      "background-color:#102030;color:#405060;font-family:Nanum Gothic,Serif;font-size:12pt;"
      "font-style:italic;font-weight:bold;font-character-set:hangul;text-align:right;"
      "border-color:#708090;border-style:dashed;border-width:2px;focused-background-color:#A0B0C0;"
      "focused-color:#D0E0F0;focused-border-color:#010203;padding-left:2px;padding-right:3px;"
      "padding-top:4px;padding-bottom:5px;button-face-color:#040506;button-shadow-color:#070809;"
      "button-highlight-color:#0A0B0C;tooltip:hide;background-color-even:#0D0E0F;color-even:#111213;";
  GridStyle changed;
  ParseDefaultHeaderStyle(changes, &changed);
  ParseDefaultDataStyle(changes, &changed);
  ParseRowHeaderStyle(changes, &changed);
  CGridColumn column;
  ParseColumnHeaderStyle(changes, &column);
  ParseColumnDataStyle(changes, &column);
  const GridStyle base;

  for (bool differencesOnly : {false, true}) {
    GridStyle grid;
    ParseDefaultHeaderStyle(WriteDefaultHeaderStyle(changed, differencesOnly), &grid);
    ParseDefaultDataStyle(WriteDefaultDataStyle(changed, differencesOnly), &grid);
    ParseRowHeaderStyle(WriteRowHeaderStyle(changed, differencesOnly), &grid);
    EXPECT_EQ(WriteDefaultHeaderStyle(grid, false), WriteDefaultHeaderStyle(changed, false));
    EXPECT_EQ(WriteDefaultDataStyle(grid, false), WriteDefaultDataStyle(changed, false));
    EXPECT_EQ(WriteRowHeaderStyle(grid, false), WriteRowHeaderStyle(changed, false));
    EXPECT_EQ(grid.rowHeaderTextColorEven, Rgb(0x11, 0x12, 0x13));

    CGridColumn copy;
    ParseColumnHeaderStyle(WriteColumnHeaderStyle(column, base, differencesOnly), &copy);
    ParseColumnDataStyle(WriteColumnDataStyle(column, base, differencesOnly), &copy);
    EXPECT_EQ(WriteColumnHeaderStyle(copy, base, false), WriteColumnHeaderStyle(column, base, false));
    EXPECT_EQ(WriteColumnDataStyle(copy, base, false), WriteColumnDataStyle(column, base, false));
  }
  EXPECT_EQ(WriteRowHeaderStyle(changed, true).find("border"), std::string::npos);
  EXPECT_EQ(WriteColumnHeaderStyle(column, base, true).find("tooltip"), std::string::npos);
}

TEST(StyleStringTest, ColumnDifferencesFollowTheCurrentGridDefaults) {
  GridStyle grid;
  CGridColumn column;
  column.header = grid.columnHeaderDefault;
  column.cell = grid.cellDefault;
  ParseDefaultHeaderStyle("font-size:12pt;color:#FF0000", &grid);
  ParseDefaultDataStyle("tooltip:show;text-align:right", &grid);
  EXPECT_EQ(WriteColumnHeaderStyle(column, grid, true), "color:#000000;font-size:10pt;");
  EXPECT_EQ(WriteColumnDataStyle(column, grid, true), "text-align:left;tooltip:overflow;");
  column.header = grid.columnHeaderDefault;
  EXPECT_EQ(WriteColumnHeaderStyle(column, grid, true), "");
}

TEST(StyleStringTest, EmptyTextChangesNothing) {
  GridStyle grid;
  ParseDefaultDataStyle("", &grid);
  ParseDefaultDataStyle("  ;; ", &grid);
  EXPECT_EQ(WriteDefaultDataStyle(grid, true), "");
}

}  // namespace
}  // namespace maltrove
