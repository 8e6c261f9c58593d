#include "formats/style_string.h"

#include <cstdio>
#include <vector>

#include "formats/charset_names.h"
#include "formats/colour_text.h"
#include "model/text_util.h"

namespace maltrove {

namespace {

// Every property any kind accepts, in the order writers emit them; each kind
// emits a subset in this order.
enum Prop {
  kBackground,
  kColor,
  kFontFamily,
  kFontSize,
  kFontStyle,
  kFontWeight,
  kFontCharSet,
  kTextAlign,
  kBorderColor,
  kBorderStyle,
  kBorderWidth,
  kFocusedBackground,
  kFocusedColor,
  kFocusedBorder,
  kPaddingLeft,
  kPaddingRight,
  kPaddingTop,
  kPaddingBottom,
  kButtonFace,
  kButtonShadow,
  kButtonHighlight,
  kTooltip,
  kBackgroundEven,
  kColorEven,
  kPropCount,
};

enum ValueKind { kColourValue, kText, kPoints, kPixels, kItalic, kBold, kCharSet, kAlign, kPenStyle, kTipMode };

struct PropInfo {
  std::string_view name;
  ValueKind kind;
};

constexpr PropInfo kProps[kPropCount] = {
    {"background-color", kColourValue},
    {"color", kColourValue},
    {"font-family", kText},
    {"font-size", kPoints},
    {"font-style", kItalic},
    {"font-weight", kBold},
    {"font-character-set", kCharSet},
    {"text-align", kAlign},
    {"border-color", kColourValue},
    {"border-style", kPenStyle},
    {"border-width", kPixels},
    {"focused-background-color", kColourValue},
    {"focused-color", kColourValue},
    {"focused-border-color", kColourValue},
    {"padding-left", kPixels},
    {"padding-right", kPixels},
    {"padding-top", kPixels},
    {"padding-bottom", kPixels},
    {"button-face-color", kColourValue},
    {"button-shadow-color", kColourValue},
    {"button-highlight-color", kColourValue},
    {"tooltip", kTipMode},
    {"background-color-even", kColourValue},
    {"color-even", kColourValue},
};

struct Code {
  int value;
  std::string_view name;
};

constexpr Code kAlignNames[] = {{1, "left"}, {2, "center"}, {3, "right"}};
constexpr Code kPenStyleNames[] = {{0, "solid"}, {1, "dashed"}, {2, "dotted"}, {5, "none"}};
constexpr Code kTipModeNames[] = {{0, "hide"}, {1, "show"}, {2, "overflow"}};

template <size_t N>
std::string_view NameOf(const Code (&codes)[N], int value) {
  for (const Code& code : codes) {
    if (code.value == value) return code.name;
  }
  return {};
}

// Leaves *value as it is for an unknown name.
template <size_t N>
void SetByName(const Code (&codes)[N], std::string_view name, int* value) {
  for (const Code& code : codes) {
    if (code.name == name) {
      *value = code.value;
      return;
    }
  }
}

struct Item {
  Prop prop;
  std::string_view value;
};

// The recognisable "name:value" items of a style text, in order.
std::vector<Item> SplitStyle(std::string_view style) {
  std::vector<Item> items;
  style = TrimBlanks(style);
  while (!style.empty()) {
    size_t semicolon = style.find(';');
    std::string_view item = TrimBlanks(style.substr(0, semicolon));
    style.remove_prefix(semicolon == std::string_view::npos ? style.size() : semicolon + 1);
    // The first two non-empty pieces between colons are name and value.
    std::string_view pieces[2];
    int count = 0;
    while (!item.empty() && count < 2) {
      size_t colon = item.find(':');
      std::string_view piece = item.substr(0, colon);
      item.remove_prefix(colon == std::string_view::npos ? item.size() : colon + 1);
      if (!piece.empty()) pieces[count++] = piece;
    }
    if (count < 2) continue;
    std::string_view name = TrimBlanks(pieces[0]);
    std::string_view value = TrimBlanks(pieces[1]);
    if (name.empty() || value.empty()) continue;
    for (int p = 0; p < kPropCount; ++p) {
      if (kProps[p].name == name) {
        items.push_back({static_cast<Prop>(p), value});
        break;
      }
    }
  }
  return items;
}

// A leading decimal integer as "%d" reads it.
bool ReadLeadingInt(std::string_view text, int* value) {
  std::string copy(text);
  return std::sscanf(copy.c_str(), "%d", value) == 1;
}

void Apply(ValueKind kind, std::string_view value, Colour* field) {
  if (kind == kColourValue) *field = TextToColour(value);
}

void Apply(ValueKind kind, std::string_view value, std::string* field) {
  if (kind == kText) field->assign(value);
}

void Apply(ValueKind kind, std::string_view value, int* field) {
  switch (kind) {
    case kPoints:
    case kPixels:
      ReadLeadingInt(value, field);
      break;
    case kItalic:
      *field = value == "italic" ? 1 : 0;
      break;
    case kBold:
      *field = value == "bold" ? 1 : 0;
      break;
    case kCharSet:
      *field = CharSetCode(value);
      break;
    case kAlign:
      SetByName(kAlignNames, value, field);
      break;
    case kPenStyle:
      SetByName(kPenStyleNames, value, field);
      break;
    case kTipMode:
      SetByName(kTipModeNames, value, field);
      break;
    default:
      break;
  }
}

std::string ValueText(ValueKind, Colour value) { return ColourToText(value); }

std::string ValueText(ValueKind, const std::string& value) { return value; }

std::string ValueText(ValueKind kind, int value) {
  switch (kind) {
    case kPoints:
      return std::to_string(value) + "pt";
    case kPixels:
      return std::to_string(value) + "px";
    case kItalic:
      return value ? "italic" : "normal";
    case kBold:
      return value ? "bold" : "normal";
    case kCharSet:
      return CharSetName(value);
    case kAlign:
      return std::string(NameOf(kAlignNames, value));
    case kPenStyle:
      return std::string(NameOf(kPenStyleNames, value));
    case kTipMode:
      return std::string(NameOf(kTipModeNames, value));
    default:
      return {};
  }
}

// The visitors below call f(prop, field, defaultField) for each property of
// a kind, in output order. Parsing passes the target twice.
template <class S, class D, class F>
void VisitFont(S& style, D& base, F& f) {
  f(kBackground, style.backgroundColor, base.backgroundColor);
  f(kColor, style.textColor, base.textColor);
  f(kFontFamily, style.fontName, base.fontName);
  f(kFontSize, style.fontSize, base.fontSize);
  f(kFontStyle, style.fontItalic, base.fontItalic);
  f(kFontWeight, style.fontBold, base.fontBold);
  f(kFontCharSet, style.fontCharSet, base.fontCharSet);
  f(kTextAlign, style.align, base.align);
}

template <class S, class D, class F>
void VisitPaddings(S& style, D& base, F& f) {
  f(kPaddingLeft, style.paddingLeft, base.paddingLeft);
  f(kPaddingRight, style.paddingRight, base.paddingRight);
  f(kPaddingTop, style.paddingTop, base.paddingTop);
  f(kPaddingBottom, style.paddingBottom, base.paddingBottom);
}

template <class S, class D, class F>
void VisitButton(S& button, D& base, F& f) {
  f(kButtonFace, button.face, base.face);
  f(kButtonShadow, button.shadow, base.shadow);
  f(kButtonHighlight, button.highlight, base.highlight);
}

template <class G, class D, class F>
void VisitDefaultHeader(G& grid, D& base, F& f) {
  VisitFont(grid.columnHeaderDefault, base.columnHeaderDefault, f);
  f(kBorderColor, grid.headerBorderColor, base.headerBorderColor);
  f(kBorderStyle, grid.headerBorderStyle, base.headerBorderStyle);
  f(kBorderWidth, grid.headerBorderWidth, base.headerBorderWidth);
  f(kFocusedBackground, grid.focusedHeaderBackgroundColor, base.focusedHeaderBackgroundColor);
  f(kFocusedColor, grid.focusedHeaderTextColor, base.focusedHeaderTextColor);
  VisitPaddings(grid.columnHeaderDefault, base.columnHeaderDefault, f);
}

template <class G, class D, class F>
void VisitDefaultData(G& grid, D& base, F& f) {
  VisitFont(grid.cellDefault, base.cellDefault, f);
  f(kBorderColor, grid.cellBorderColor, base.cellBorderColor);
  f(kBorderStyle, grid.cellBorderStyle, base.cellBorderStyle);
  f(kBorderWidth, grid.cellBorderWidth, base.cellBorderWidth);
  f(kFocusedBackground, grid.focusedCellBackgroundColor, base.focusedCellBackgroundColor);
  f(kFocusedColor, grid.focusedCellTextColor, base.focusedCellTextColor);
  f(kFocusedBorder, grid.focusedCellBorderColor, base.focusedCellBorderColor);
  VisitPaddings(grid.cellDefault, base.cellDefault, f);
  VisitButton(grid.cellButtonDefault, base.cellButtonDefault, f);
  f(kTooltip, grid.displayToolTipDefault, base.displayToolTipDefault);
  f(kBackgroundEven, grid.rowCellBackgroundColorEven, base.rowCellBackgroundColorEven);
  f(kColorEven, grid.rowCellTextColorEven, base.rowCellTextColorEven);
}

template <class G, class D, class F>
void VisitRowHeader(G& grid, D& base, F& f) {
  VisitFont(grid.rowHeader, base.rowHeader, f);
  VisitPaddings(grid.rowHeader, base.rowHeader, f);
  f(kBackgroundEven, grid.rowHeaderBackgroundColorEven, base.rowHeaderBackgroundColorEven);
  f(kColorEven, grid.rowHeaderTextColorEven, base.rowHeaderTextColorEven);
}

// The column kinds take the grid style as their defaults.
template <class C, class D, class F>
void VisitColumnHeader(C& column, D& grid, F& f) {
  VisitFont(column.header, grid.columnHeaderDefault, f);
  VisitPaddings(column.header, grid.columnHeaderDefault, f);
}

template <class C, class D, class F>
void VisitColumnData(C& column, D& grid, F& f) {
  VisitFont(column.cell, grid.cellDefault, f);
  VisitPaddings(column.cell, grid.cellDefault, f);
  VisitButton(column.button, grid.cellButtonDefault, f);
  f(kTooltip, column.displayToolTip, grid.displayToolTipDefault);
}

// Applies items to the fields a visitor reaches; later items win.
class Applier {
 public:
  explicit Applier(const std::vector<Item>& items) : items_(items) {}

  template <class T>
  void operator()(Prop prop, T& field, const T&) {
    for (const Item& item : items_) {
      if (item.prop == prop) Apply(kProps[prop].kind, item.value, &field);
    }
  }

 private:
  const std::vector<Item>& items_;
};

class Writer {
 public:
  explicit Writer(bool differencesOnly) : differencesOnly_(differencesOnly) {}

  template <class T>
  void operator()(Prop prop, const T& value, const T& base) {
    if (differencesOnly_ && value == base) return;
    text_.append(kProps[prop].name);
    text_.push_back(':');
    text_.append(ValueText(kProps[prop].kind, value));
    text_.push_back(';');
  }

  std::string Take() { return std::move(text_); }

 private:
  bool differencesOnly_;
  std::string text_;
};

const GridStyle& TableDefaults() {
  static const GridStyle defaults;
  return defaults;
}

template <class Target, class Visit>
void ParseInto(std::string_view style, Target* target, Visit visit) {
  if (style.empty()) return;
  std::vector<Item> items = SplitStyle(style);
  if (items.empty()) return;
  Applier applier(items);
  visit(*target, applier);
}

}  // namespace

void ParseDefaultHeaderStyle(std::string_view style, GridStyle* grid) {
  ParseInto(style, grid, [](GridStyle& g, Applier& f) { VisitDefaultHeader(g, g, f); });
}

std::string WriteDefaultHeaderStyle(const GridStyle& grid, bool differencesOnly) {
  Writer writer(differencesOnly);
  VisitDefaultHeader(grid, TableDefaults(), writer);
  return writer.Take();
}

void ParseDefaultDataStyle(std::string_view style, GridStyle* grid) {
  ParseInto(style, grid, [](GridStyle& g, Applier& f) { VisitDefaultData(g, g, f); });
}

std::string WriteDefaultDataStyle(const GridStyle& grid, bool differencesOnly) {
  Writer writer(differencesOnly);
  VisitDefaultData(grid, TableDefaults(), writer);
  return writer.Take();
}

void ParseRowHeaderStyle(std::string_view style, GridStyle* grid) {
  ParseInto(style, grid, [](GridStyle& g, Applier& f) { VisitRowHeader(g, g, f); });
}

std::string WriteRowHeaderStyle(const GridStyle& grid, bool differencesOnly) {
  Writer writer(differencesOnly);
  VisitRowHeader(grid, TableDefaults(), writer);
  return writer.Take();
}

void ParseColumnHeaderStyle(std::string_view style, CGridColumn* column) {
  ParseInto(style, column, [](CGridColumn& c, Applier& f) { VisitColumnHeader(c, TableDefaults(), f); });
}

std::string WriteColumnHeaderStyle(const CGridColumn& column, const GridStyle& grid,
                                   bool differencesOnly) {
  Writer writer(differencesOnly);
  VisitColumnHeader(column, grid, writer);
  return writer.Take();
}

void ParseColumnDataStyle(std::string_view style, CGridColumn* column) {
  ParseInto(style, column, [](CGridColumn& c, Applier& f) { VisitColumnData(c, TableDefaults(), f); });
}

std::string WriteColumnDataStyle(const CGridColumn& column, const GridStyle& grid,
                                 bool differencesOnly) {
  Writer writer(differencesOnly);
  VisitColumnData(column, grid, writer);
  return writer.Take();
}

}  // namespace maltrove
