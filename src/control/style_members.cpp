// Style members come in families that differ only in the field they reach:
// each family is bound once, with the field given as a member pointer.
#include "control/style_members.h"

#include "control/korvale_grid_ctrl.h"
#include "formats/charset_names.h"
#include "formats/colour_text.h"
#include "formats/style_string.h"
#include "shared/charset_table.h"

namespace maltrove {

namespace {

using automation::DispId;
using automation::MemberKind;
using automation::ValueType;
using automation::Variant;
using Table = automation::MemberTable<CKorvaleGridCtrl>;
using Args = std::vector<Variant>;
constexpr ValueType kLong = ValueType::kLong;
constexpr ValueType kString = ValueType::kString;
constexpr ValueType kNone = ValueType::kNone;

// How a field is shown to script and read back from it.
struct AsLong {
  static constexpr ValueType kType = kLong;
  static Variant Out(int v) { return Variant(static_cast<int32_t>(v)); }
  static int In(const Variant& v) { return v.asLong(); }
};
struct AsText {
  static constexpr ValueType kType = kString;
  static Variant Out(const std::string& v) { return Variant(v); }
  static std::string In(const Variant& v) { return v.asString(); }
};
struct AsColour {
  static constexpr ValueType kType = kString;
  static Variant Out(Colour v) { return Variant(ColourToText(v)); }
  static Colour In(const Variant& v) { return TextToColour(v.asString()); }
};
struct AsCharSet {
  static constexpr ValueType kType = kString;
  static Variant Out(int v) { return Variant(CharSetName(v)); }
  static int In(const Variant& v) { return CharSetCode(v.asString()); }
};

CGridModel& Model(CKorvaleGridCtrl& control) { return control.grid().model(); }

// ---- grid properties ----------------------------------------------------------

template <class Conv, class F, class Reach>
void GridProperty(Table* t, DispId id, const char* name, Reach reach) {
  t->Add(id, name, MemberKind::kPropertyGet, {}, Conv::kType,
         [reach](CKorvaleGridCtrl& c, const Args&) { return Conv::Out(reach(Model(c).style())); });
  t->Add(id, name, MemberKind::kPropertyPut, {Conv::kType}, kNone,
         [reach](CKorvaleGridCtrl& c, const Args& a) {
           reach(Model(c).style()) = Conv::In(a[0]);
           Model(c).styleChanged();
           return Variant();
         });
}

template <class Conv, class F>
void GridProperty(Table* t, DispId id, const char* name, F GridStyle::*field) {
  GridProperty<Conv, F>(t, id, name, [field](GridStyle& s) -> F& { return s.*field; });
}

template <class Conv, class S, class F>
void GridProperty(Table* t, DispId id, const char* name, S GridStyle::*part, F S::*field) {
  GridProperty<Conv, F>(t, id, name, [part, field](GridStyle& s) -> F& { return s.*part.*field; });
}

// The border styles: reported, but a put changes nothing.
void BorderStyleProperty(Table* t, DispId id, const char* name, int GridStyle::*field) {
  t->Add(id, name, MemberKind::kPropertyGet, {}, kLong,
         [field](CKorvaleGridCtrl& c, const Args&) { return AsLong::Out(Model(c).style().*field); });
  t->Add(id, name, MemberKind::kPropertyPut, {kLong}, kNone,
         [](CKorvaleGridCtrl&, const Args&) { return Variant(); });
}

// Alignment, font, colours and paddings of one TextStyle, as twelve
// properties.
void AddTextStyleProperties(Table* t, const DispId ids[12], const char* const names[12],
                            TextStyle GridStyle::*part) {
  GridProperty<AsLong>(t, ids[0], names[0], part, &TextStyle::align);
  GridProperty<AsText>(t, ids[1], names[1], part, &TextStyle::fontName);
  GridProperty<AsLong>(t, ids[2], names[2], part, &TextStyle::fontSize);
  GridProperty<AsLong>(t, ids[3], names[3], part, &TextStyle::fontItalic);
  GridProperty<AsLong>(t, ids[4], names[4], part, &TextStyle::fontBold);
  GridProperty<AsCharSet>(t, ids[5], names[5], part, &TextStyle::fontCharSet);
  GridProperty<AsColour>(t, ids[6], names[6], part, &TextStyle::backgroundColor);
  GridProperty<AsColour>(t, ids[7], names[7], part, &TextStyle::textColor);
  GridProperty<AsLong>(t, ids[8], names[8], part, &TextStyle::paddingLeft);
  GridProperty<AsLong>(t, ids[9], names[9], part, &TextStyle::paddingRight);
  GridProperty<AsLong>(t, ids[10], names[10], part, &TextStyle::paddingTop);
  GridProperty<AsLong>(t, ids[11], names[11], part, &TextStyle::paddingBottom);
}

void AddGridProperties(Table* t) {
  using G = GridStyle;
  GridProperty<AsColour>(t, 71, "gridBackgroundColor", &G::gridBackgroundColor);
  GridProperty<AsColour>(t, 75, "focusedHeaderBackgroundColor", &G::focusedHeaderBackgroundColor);
  GridProperty<AsColour>(t, 76, "focusedCellBackgroundColor", &G::focusedCellBackgroundColor);
  GridProperty<AsColour>(t, 77, "focusedHeaderTextColor", &G::focusedHeaderTextColor);
  GridProperty<AsColour>(t, 78, "focusedCellTextColor", &G::focusedCellTextColor);
  GridProperty<AsColour>(t, 79, "focusedCellBorderColor", &G::focusedCellBorderColor);
  GridProperty<AsColour>(t, 80, "headerBorderColor", &G::headerBorderColor);
  GridProperty<AsColour>(t, 81, "cellBorderColor", &G::cellBorderColor);
  BorderStyleProperty(t, 82, "headerBorderStyle", &G::headerBorderStyle);
  BorderStyleProperty(t, 83, "cellBorderStyle", &G::cellBorderStyle);
  GridProperty<AsLong>(t, 84, "headerBorderWidth", &G::headerBorderWidth);
  GridProperty<AsLong>(t, 85, "cellBorderWidth", &G::cellBorderWidth);
  GridProperty<AsColour>(t, 182, "selectedHeaderBackgroundColor",
                         &G::selectedHeaderBackgroundColor);
  GridProperty<AsColour>(t, 183, "selectedCellBackgroundColor", &G::selectedCellBackgroundColor);
  GridProperty<AsColour>(t, 184, "selectedHeaderTextColor", &G::selectedHeaderTextColor);
  GridProperty<AsColour>(t, 185, "selectedCellTextColor", &G::selectedCellTextColor);
  GridProperty<AsColour>(t, 194, "cellButtonFaceColorDefault", &G::cellButtonDefault,
                         &ButtonColours::face);
  GridProperty<AsColour>(t, 195, "cellButtonShadowColorDefault", &G::cellButtonDefault,
                         &ButtonColours::shadow);
  GridProperty<AsColour>(t, 196, "cellButtonHighlightColorDefault", &G::cellButtonDefault,
                         &ButtonColours::highlight);
  GridProperty<AsColour>(t, 222, "rowHeaderBackgroundColorEven", &G::rowHeaderBackgroundColorEven);
  GridProperty<AsColour>(t, 223, "rowHeaderTextColorEven", &G::rowHeaderTextColorEven);
  GridProperty<AsColour>(t, 224, "rowCellBackgroundColorEven", &G::rowCellBackgroundColorEven);
  GridProperty<AsColour>(t, 225, "rowCellTextColorEven", &G::rowCellTextColorEven);
  GridProperty<AsLong>(t, 232, "contextMenuLevel", &G::contextMenuLevel);

  static const DispId kHeaderIds[12] = {72, 88, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99};
  static const char* const kHeader[12] = {
      "columnHeaderAlignDefault", "columnHeaderFontNameDefault",
      "columnHeaderFontSizeDefault", "columnHeaderFontItalicDefault",
      "columnHeaderFontBoldDefault", "columnHeaderFontCharSetDefault",
      "columnHeaderBackgroundColorDefault", "columnHeaderTextColorDefault",
      "columnHeaderPaddingLeftDefault", "columnHeaderPaddingRightDefault",
      "columnHeaderPaddingTopDefault", "columnHeaderPaddingBottomDefault"};
  static const DispId kRowHeaderIds[12] = {100, 101, 102, 103, 104, 105,
                                           106, 107, 108, 109, 110, 111};
  static const char* const kRowHeader[12] = {
      "rowHeaderAlign", "rowHeaderFontName", "rowHeaderFontSize", "rowHeaderFontItalic",
      "rowHeaderFontBold", "rowHeaderFontCharSet", "rowHeaderBackgroundColor",
      "rowHeaderTextColor", "rowHeaderPaddingLeft", "rowHeaderPaddingRight",
      "rowHeaderPaddingTop", "rowHeaderPaddingBottom"};
  static const DispId kCellIds[12] = {112, 113, 114, 115, 116, 117,
                                      118, 119, 120, 121, 122, 123};
  static const char* const kCell[12] = {
      "cellAlignDefault", "cellFontNameDefault", "cellFontSizeDefault",
      "cellFontItalicDefault", "cellFontBoldDefault", "cellFontCharSetDefault",
      "cellBackgroundColorDefault", "cellTextColorDefault", "cellPaddingLeftDefault",
      "cellPaddingRightDefault", "cellPaddingTopDefault", "cellPaddingBottomDefault"};
  AddTextStyleProperties(t, kHeaderIds, kHeader, &G::columnHeaderDefault);
  AddTextStyleProperties(t, kRowHeaderIds, kRowHeader, &G::rowHeader);
  AddTextStyleProperties(t, kCellIds, kCell, &G::cellDefault);
}

// ---- per-column styles ----------------------------------------------------------

template <class Conv, class S, class F>
void ColumnMembers(Table* t, DispId getId, const std::string& name, S CGridColumn::*part,
                   F S::*field) {
  t->Add(getId, "get" + name, MemberKind::kMethod, {kLong}, Conv::kType,
         [part, field](CKorvaleGridCtrl& c, const Args& a) {
           CGridColumn* column = Model(c).column(a[0].asLong());
           return column ? Conv::Out(column->*part.*field) : Conv::Out(F());
         });
  t->Add(getId + 1, "set" + name, MemberKind::kMethod, {kLong, Conv::kType}, kNone,
         [part, field](CKorvaleGridCtrl& c, const Args& a) {
           if (CGridColumn* column = Model(c).column(a[0].asLong())) {
             column->*part.*field = Conv::In(a[1]);
             Model(c).styleChanged();
           }
           return Variant();
         });
}

template <class Conv, class F>
void HeaderAndCellMembers(Table* t, DispId headerGet, DispId cellGet, const std::string& name,
                          F TextStyle::*field) {
  ColumnMembers<Conv>(t, headerGet, "ColumnHeader" + name, &CGridColumn::header, field);
  ColumnMembers<Conv>(t, cellGet, "ColumnCell" + name, &CGridColumn::cell, field);
}

void AddColumnStyleMembers(Table* t) {
  HeaderAndCellMembers<AsLong>(t, 73, 124, "Align", &TextStyle::align);
  HeaderAndCellMembers<AsText>(t, 126, 128, "FontName", &TextStyle::fontName);
  HeaderAndCellMembers<AsLong>(t, 130, 132, "FontSize", &TextStyle::fontSize);
  HeaderAndCellMembers<AsLong>(t, 134, 136, "FontItalic", &TextStyle::fontItalic);
  HeaderAndCellMembers<AsLong>(t, 138, 140, "FontBold", &TextStyle::fontBold);
  HeaderAndCellMembers<AsCharSet>(t, 142, 144, "FontCharSet", &TextStyle::fontCharSet);
  HeaderAndCellMembers<AsColour>(t, 146, 148, "BackgroundColor", &TextStyle::backgroundColor);
  HeaderAndCellMembers<AsColour>(t, 150, 152, "TextColor", &TextStyle::textColor);
  HeaderAndCellMembers<AsLong>(t, 154, 156, "PaddingLeft", &TextStyle::paddingLeft);
  HeaderAndCellMembers<AsLong>(t, 158, 160, "PaddingRight", &TextStyle::paddingRight);
  HeaderAndCellMembers<AsLong>(t, 162, 164, "PaddingTop", &TextStyle::paddingTop);
  HeaderAndCellMembers<AsLong>(t, 166, 168, "PaddingBottom", &TextStyle::paddingBottom);
  ColumnMembers<AsColour>(t, 197, "ColumnCellButtonFaceColor", &CGridColumn::button,
                          &ButtonColours::face);
  ColumnMembers<AsColour>(t, 199, "ColumnCellButtonShadowColor", &CGridColumn::button,
                          &ButtonColours::shadow);
  ColumnMembers<AsColour>(t, 201, "ColumnCellButtonHighlightColor", &CGridColumn::button,
                          &ButtonColours::highlight);
}

// ---- whole style strings and row colours ------------------------------------------

void AddStyleStringMembers(Table* t) {
  t->Add(174, "getHeaderStyle", MemberKind::kMethod, {kLong}, kString,
         [](CKorvaleGridCtrl& c, const Args&) {
           return Variant(WriteDefaultHeaderStyle(Model(c).style(), false));
         });
  t->Add(175, "setHeaderStyle", MemberKind::kMethod, {kString}, kNone,
         [](CKorvaleGridCtrl& c, const Args& a) {
           ParseDefaultHeaderStyle(a[0].asString(), &Model(c).style());
           Model(c).styleChanged();
           return Variant();
         });
  t->Add(176, "getCellStyle", MemberKind::kMethod, {}, kString,
         [](CKorvaleGridCtrl& c, const Args&) {
           return Variant(WriteDefaultDataStyle(Model(c).style(), false));
         });
  t->Add(177, "setCellStyle", MemberKind::kMethod, {kString}, kNone,
         [](CKorvaleGridCtrl& c, const Args& a) {
           ParseDefaultDataStyle(a[0].asString(), &Model(c).style());
           Model(c).styleChanged();
           return Variant();
         });
  t->Add(178, "getRowHeaderStyle", MemberKind::kMethod, {}, kString,
         [](CKorvaleGridCtrl& c, const Args&) {
           return Variant(WriteRowHeaderStyle(Model(c).style(), false));
         });
  t->Add(179, "setRowHeaderStyle", MemberKind::kMethod, {kString}, kNone,
         [](CKorvaleGridCtrl& c, const Args& a) {
           ParseRowHeaderStyle(a[0].asString(), &Model(c).style());
           Model(c).styleChanged();
           return Variant();
         });
  t->Add(170, "getColumnHeaderStyle", MemberKind::kMethod, {kLong}, kString,
         [](CKorvaleGridCtrl& c, const Args& a) {
           const CGridColumn* column = Model(c).column(a[0].asLong());
           return Variant(column ? WriteColumnHeaderStyle(*column, Model(c).style(), false)
                                 : std::string());
         });
  t->Add(171, "setColumnHeaderStyle", MemberKind::kMethod, {kLong, kString}, kNone,
         [](CKorvaleGridCtrl& c, const Args& a) {
           if (CGridColumn* column = Model(c).column(a[0].asLong())) {
             ParseColumnHeaderStyle(a[1].asString(), column);
             Model(c).styleChanged();
           }
           return Variant();
         });
  t->Add(172, "getColumnCellStyle", MemberKind::kMethod, {kLong}, kString,
         [](CKorvaleGridCtrl& c, const Args& a) {
           const CGridColumn* column = Model(c).column(a[0].asLong());
           return Variant(column ? WriteColumnDataStyle(*column, Model(c).style(), false)
                                 : std::string());
         });
  t->Add(173, "setColumnCellStyle", MemberKind::kMethod, {kLong, kString}, kNone,
         [](CKorvaleGridCtrl& c, const Args& a) {
           if (CGridColumn* column = Model(c).column(a[0].asLong())) {
             ParseColumnDataStyle(a[1].asString(), column);
             Model(c).styleChanged();
           }
           return Variant();
         });
}

void RowColourMembers(Table* t, DispId getId, const std::string& name, Colour CGridRow::*field) {
  t->Add(getId, "get" + name, MemberKind::kMethod, {kLong}, kString,
         [field](CKorvaleGridCtrl& c, const Args& a) {
           const CGridRow* row = Model(c).row(a[0].asLong());
           return Variant(row ? ColourToText(row->*field) : std::string());
         });
  t->Add(getId + 1, "set" + name, MemberKind::kMethod, {kLong, kString}, kNone,
         [field](CKorvaleGridCtrl& c, const Args& a) {
           if (CGridRow* row = Model(c).row(a[0].asLong())) {
             row->*field = TextToColour(a[1].asString());
             Model(c).styleChanged();
           }
           return Variant();
         });
}

void AddCharacterSet(Table* t) {
  t->Add(70, "characterSet", MemberKind::kPropertyGet, {}, kString,
         [](CKorvaleGridCtrl& c, const Args&) { return Variant(Model(c).characterSet); });
  t->Add(70, "characterSet", MemberKind::kPropertyPut, {kString}, kNone,
         [](CKorvaleGridCtrl& c, const Args& a) {
           c.setCharacterSet(a[0].asString());
           return Variant();
         });
}

}  // namespace

void AddStyleMembers(Table* t) {
  AddGridProperties(t);
  AddColumnStyleMembers(t);
  AddStyleStringMembers(t);
  RowColourMembers(t, 226, "RowCellBackgroundColor", &CGridRow::cellBackgroundColor);
  RowColourMembers(t, 228, "RowCellTextColor", &CGridRow::cellTextColor);
  AddCharacterSet(t);
}

}  // namespace maltrove
