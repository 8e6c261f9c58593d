#include "formats/grid_style_xml.h"

#include <optional>

#include "formats/style_string.h"
#include "formats/xml_settings.h"
#include "model/text_util.h"
#include "shared/xml_escape.h"
#include "shared/xml_parser.h"

namespace maltrove {

namespace {

constexpr char kLineEnd[] = "\r\n";
const char* const kDataTypes[] = {"string", "numeric", "dateTime"};
const char* const kInputTypes[] = {"text", "multiLine", "select", "radio",
                                   "checkBox", "calendar", "button"};

std::string CodeName(int code, const char* const names[], int count) {
  return code >= 1 && code <= count ? names[code - 1] : "";
}

int NameCode(const std::string& name, const char* const names[], int count) {
  for (int i = 0; i < count; ++i) {
    if (name == names[i]) return i + 1;
  }
  return 1;
}

void Attribute(std::string* out, const char* name, std::string_view value) {
  out->push_back(' ');
  out->append(name);
  out->append("=\"");
  AppendXmlEscaped(out, value);
  out->push_back('"');
}

// The effective flag of a resize switch that falls back on the row-and-column
// switch when not set.
bool EffectiveOn(int flag, int fallback) {
  const int value = flag != -1 ? flag : fallback;
  return value != -1 && value != 0;
}

void AppendGridAttributes(const CGridModel& grid, std::string* out) {
  const GridStyle& s = grid.style();
  Attribute(out, "id", grid.rowElementName);
  if (grid.outputCodePage != 0) Attribute(out, "characterSet", grid.characterSet);
  if (s.fixedColumnCount >= 1) Attribute(out, "fixedColumnCount", std::to_string(s.fixedColumnCount));
  if (s.readOnly == 1) Attribute(out, "readOnly", "true");
  if (s.columnHeaderVisible == 0) Attribute(out, "columnHeaderVisible", "false");
  if (s.rowHeaderVisible == 0) Attribute(out, "rowHeaderVisible", "false");
  if (s.columnHeaderHeight != 20) {
    Attribute(out, "columnHeaderHeight", std::to_string(s.columnHeaderHeight));
  }
  if (s.cellHeightDefault != 20) Attribute(out, "cellHeightDefault", std::to_string(s.cellHeightDefault));
  if (s.rowHeaderWidth != 60) Attribute(out, "rowHeaderWidth", std::to_string(s.rowHeaderWidth));
  const std::string rowHeader = WriteRowHeaderStyle(s, true);
  const std::string header = WriteDefaultHeaderStyle(s, true);
  const std::string data = WriteDefaultDataStyle(s, true);
  if (!rowHeader.empty()) Attribute(out, "rowHeaderStyle", rowHeader);
  if (!header.empty()) Attribute(out, "defaultHeaderStyle", header);
  if (!data.empty()) Attribute(out, "defaultDataStyle", data);
  if (s.enableRowColumnResize == 1) Attribute(out, "enableRowColumnResize", "true");
  if (EffectiveOn(s.enableRowResize, s.enableRowColumnResize)) {
    Attribute(out, "enableRowResize", "true");
  }
  if (EffectiveOn(s.enableColumnResize, s.enableRowColumnResize)) {
    Attribute(out, "enableColumnResize", "true");
  }
  if (s.contextMenuLevel > 0) Attribute(out, "contextMenu", "all");
  if (s.contextMenuLevel < 0) Attribute(out, "contextMenu", "disable");
}

void AppendColumn(const CGridModel& grid, const CGridColumn& c, std::string* out) {
  out->append("\t<column");
  Attribute(out, "id", c.fieldName);
  Attribute(out, "name", c.label);
  Attribute(out, "width", std::to_string(c.declaredWidth));
  Attribute(out, "dataType", CodeName(c.dataType, kDataTypes, 3));
  Attribute(out, "inputType", CodeName(c.inputType, kInputTypes, 7));
  if (!c.outputType.empty()) Attribute(out, "outputType", c.outputType);
  if (!c.displayType.empty()) Attribute(out, "displayType", c.displayType);
  if (c.readOnly == 1) Attribute(out, "readOnly", "true");
  if (!c.defaultValue.empty()) Attribute(out, "defaultValue", c.defaultValue);
  if (!c.isVisible()) Attribute(out, "visible", "false");
  if (c.inputLimit >= 1) Attribute(out, "inputLimit", std::to_string(c.inputLimit));
  if (!c.allowChar.empty()) Attribute(out, "allowChar", c.allowChar);
  if (!c.ignoreChar.empty()) Attribute(out, "ignoreChar", c.ignoreChar);
  if (!c.selectMatchMethod.empty()) Attribute(out, "selectMatchMethod", c.selectMatchMethod);
  if (c.enableResize != -1 && c.enableResize != 0) Attribute(out, "enableResize", "true");
  if (c.defaultChecked != 0) Attribute(out, "checked", "true");
  const std::string header = WriteColumnHeaderStyle(c, grid.style(), true);
  const std::string data = WriteColumnDataStyle(c, grid.style(), true);
  if (!header.empty()) Attribute(out, "headerStyle", header);
  if (!data.empty()) Attribute(out, "dataStyle", data);

  if (c.inputType != kInputSelect || c.comboDatas.empty()) {
    out->append("/>");
    out->append(kLineEnd);
    return;
  }
  out->push_back('>');
  out->append(kLineEnd);
  std::vector<std::string_view> texts = SplitList(c.comboDatas);
  std::vector<std::string_view> values = SplitList(c.comboValues);
  for (size_t i = 0; i < texts.size(); ++i) {
    out->append("\t\t<data");
    Attribute(out, "text", texts[i]);
    if (i < values.size()) Attribute(out, "value", values[i]);
    out->append("/>");
    out->append(kLineEnd);
  }
  out->append("\t</column>");
  out->append(kLineEnd);
}

std::optional<std::string> Read(XML_PARSER& node, const char* name) {
  if (!node.Find_Attribute(name)) return std::nullopt;
  return node.Get_Attribute_Value();
}

// "true" 1, "false" 0, anything else leaves the flag as it is.
void ReadTriState(XML_PARSER& node, const char* name, int* flag) {
  std::optional<std::string> value = Read(node, name);
  if (value == "true") *flag = 1;
  if (value == "false") *flag = 0;
}

}  // namespace

std::string GridStyleXml(const CGridModel& grid) {
  std::string out = "<gridStyle";
  AppendGridAttributes(grid, &out);
  out.push_back('>');
  out.append(kLineEnd);
  for (int c = 0; c < grid.getColumnCount(); ++c) AppendColumn(grid, *grid.column(c), &out);
  out.append("</gridStyle>");
  out.append(kLineEnd);
  return out;
}

void ReadGridStyleElement(XML_PARSER& node, CGridModel* grid) {
  GridStyle& s = grid->style();
  int number = 0;
  if (auto v = Read(node, "id")) grid->rowElementName = *v;
  if (auto v = Read(node, "characterSet")) grid->characterSet = *v;
  if (auto v = Read(node, "fixedColumnCount"); v && ReadDecimal(*v, &number)) {
    grid->setFixedColumnCount(number);
  }
  ReadTriState(node, "readOnly", &s.readOnly);
  if (auto v = Read(node, "columnHeaderVisible")) grid->setColumnHeaderVisible(*v == "false" ? 0 : 1);
  if (auto v = Read(node, "rowHeaderVisible")) grid->setRowHeaderVisible(*v == "false" ? 0 : 1);
  if (auto v = Read(node, "columnHeaderHeight"); v && ReadDecimal(*v, &number)) {
    grid->setColumnHeaderHeight(number);
  }
  if (auto v = Read(node, "cellHeightDefault"); v && ReadDecimal(*v, &number)) {
    grid->setCellHeightDefault(number);
  }
  if (auto v = Read(node, "rowHeaderWidth"); v && ReadDecimal(*v, &number)) {
    grid->setRowHeaderWidth(number);
  }
  if (auto v = Read(node, "rowHeaderStyle")) ParseRowHeaderStyle(*v, &s);
  if (auto v = Read(node, "defaultHeaderStyle")) ParseDefaultHeaderStyle(*v, &s);
  if (auto v = Read(node, "defaultDataStyle")) ParseDefaultDataStyle(*v, &s);
  ReadTriState(node, "enableRowColumnResize", &s.enableRowColumnResize);
  ReadTriState(node, "enableRowResize", &s.enableRowResize);
  ReadTriState(node, "enableColumnResize", &s.enableColumnResize);
  if (auto v = Read(node, "contextMenu")) {
    s.contextMenuLevel = *v == "all" ? 1 : *v == "disable" ? -1 : 0;
  }
  SetCharacterSet(grid, grid->characterSet);
}

int ReadColumnElement(XML_PARSER& node, CGridModel* grid) {
  const std::string name = Read(node, "name").value_or("");
  const std::string id = Read(node, "id").value_or("");
  int width = 100;
  if (auto v = Read(node, "width")) ReadDecimal(*v, &width);
  const int dataType = NameCode(Read(node, "dataType").value_or(""), kDataTypes, 3);
  const int inputType = NameCode(Read(node, "inputType").value_or(""), kInputTypes, 7);
  const std::string outputType = Read(node, "outputType").value_or("");
  const std::string displayType = Read(node, "displayType").value_or("");
  const std::optional<std::string> readOnly = Read(node, "readOnly");
  const int readOnlyFlag = readOnly == "true" ? 1 : readOnly == "false" ? 0 : -1;
  const std::string defaultValue = Read(node, "defaultValue").value_or("");
  const bool hidden = Read(node, "visible") == "false";

  const int col = grid->insertColumn(-1, name, width, id, dataType, inputType, outputType,
                                     displayType, readOnlyFlag, defaultValue);
  if (col < 0) return -1;
  CGridColumn* column = grid->column(col);
  if (hidden) grid->setColumnVisible(col, 0);
  int number = 0;
  if (auto v = Read(node, "inputLimit"); v && ReadDecimal(*v, &number)) column->inputLimit = number;
  if (auto v = Read(node, "allowChar")) column->allowChar = *v;
  if (auto v = Read(node, "ignoreChar")) column->ignoreChar = *v;
  if (auto v = Read(node, "selectMatchMethod")) column->selectMatchMethod = *v;
  if (auto v = Read(node, "headerStyle")) ParseColumnHeaderStyle(*v, column);
  if (auto v = Read(node, "dataStyle")) ParseColumnDataStyle(*v, column);
  if (auto v = Read(node, "enableResize")) column->enableResize = *v == "false" ? 0 : 1;
  if (auto v = Read(node, "checked")) column->defaultChecked = *v == "true" ? 1 : 0;
  return col;
}

void ReadSelectItem(XML_PARSER& node, CGridModel* grid, int col) {
  CGridColumn* column = grid->column(col);
  if (column == nullptr) return;
  if (auto text = Read(node, "text")) column->comboDatas += *text + ";";
  if (auto value = Read(node, "value")) column->comboValues += *value + ";";
}

}  // namespace maltrove
