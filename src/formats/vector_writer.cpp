#include "formats/vector_writer.h"

#include "model/cell_value.h"
#include "shared/xml_escape.h"

namespace maltrove {

namespace {

constexpr char kLineEnd[] = "\r\n";

void AppendInt(std::string* out, int value) { out->append(std::to_string(value)); }

// The row's own flag, as getRowReadOnly reports it.
bool IsRowReadOnly(const CGridRow& row) { return row.readOnly != -1 && row.readOnly != 0; }

// The cell elements of one row, each on its own line after `indent`.
void AppendCells(const CGridModel& grid, int r, CellForm form, const char* indent,
                 std::string* out) {
  const uint32_t id = grid.row(r)->id;
  for (int c = 0, n = grid.getColumnCount(); c < n; ++c) {
    const CGridColumn& column = *grid.column(c);
    const CGridCell& cell = (*grid.columnCells(c))[id];
    out->append(indent);
    out->push_back('<');
    AppendXmlEscaped(out, column.fieldName);
    out->append(" value=\"");
    AppendXmlEscaped(out, form == CellForm::kOutput ? OutputText(column, cell)
                                                    : DisplayText(column, cell, grid.cellCombo(r, c)));
    out->push_back('"');
    if (column.isCheckable()) {
      out->append(grid.getCellChecked(r, c) != 0 ? " checked=\"true\"" : " checked=\"false\"");
    }
    out->append("/>");
    out->append(kLineEnd);
  }
}

}  // namespace

std::string TextDeclaration(const CGridModel& grid) {
  if (grid.characterSet.empty()) return std::string("<?xml version=\"1.0\"?>") + kLineEnd;
  return "<?xml version=\"1.0\" encoding=\"" + grid.characterSet + "\"?>" + kLineEnd;
}

void AppendVectorRow(const CGridModel& grid, int r, int vectorKey, CellForm form,
                     std::string* out) {
  const CGridRow* row = grid.row(r);
  if (row == nullptr) return;
  out->append("\t<data vectorkey=\"");
  AppendInt(out, vectorKey);
  out->append("\">");
  out->append(kLineEnd);
  out->append("\t\t<");
  AppendXmlEscaped(out, grid.rowElementName);
  out->append(" size=\"");
  AppendInt(out, grid.getColumnCount());
  out->append("\" index=\"");
  AppendInt(out, r);
  out->push_back('"');
  if (IsRowReadOnly(*row)) out->append(" readOnly=\"true\"");
  out->push_back('>');
  out->append(kLineEnd);
  AppendCells(grid, r, form, "\t\t\t", out);
  out->append("\t\t</");
  AppendXmlEscaped(out, grid.rowElementName);
  out->push_back('>');
  out->append(kLineEnd);
  out->append("\t</data>");
  out->append(kLineEnd);
}

std::string SingleRowXml(const CGridModel& grid, int r) {
  const CGridRow* row = grid.row(r);
  if (row == nullptr) return {};
  std::string out = "<";
  AppendXmlEscaped(&out, grid.rowElementName);
  out.append(" size=\"");
  AppendInt(&out, grid.getColumnCount());
  out.push_back('"');
  if (IsRowReadOnly(*row)) out.append(" readOnly=\"true\"");
  out.push_back('>');
  out.append(kLineEnd);
  AppendCells(grid, r, CellForm::kOutput, "\t", &out);
  out.append("</");
  AppendXmlEscaped(&out, grid.rowElementName);
  out.push_back('>');
  out.append(kLineEnd);
  return out;
}

std::string VectorDocument(const CGridModel& grid, const VectorRows& rows, CellForm form,
                           const RowWritten& written) {
  std::string out = TextDeclaration(grid);
  // A close guess of the size saves the string's regrowth on large grids.
  out.reserve(out.size() + 64 + rows.rows.size() * (96 + 40 * grid.getColumnCount()));
  out.append("<vector result=\"");
  AppendInt(&out, rows.result);
  out.append("\">");
  out.append(kLineEnd);
  int key = 0;
  for (int r : rows.rows) {
    AppendVectorRow(grid, r, rows.sequentialKeys ? key++ : r, form, &out);
    if (written) written();
  }
  out.append("</vector>");
  return out;
}

std::vector<int> RowRange(const CGridModel& grid, int first, int last) {
  std::vector<int> rows;
  for (int r = std::max(first, 0); r <= last && r < grid.getRowCount(); ++r) rows.push_back(r);
  return rows;
}

std::vector<int> RowsByCheck(const CGridModel& grid, int col, bool checked) {
  std::vector<int> rows;
  for (int r = 0, n = grid.getRowCount(); r < n; ++r) {
    if ((grid.getCellChecked(r, col) != 0) == checked) rows.push_back(r);
  }
  return rows;
}

std::vector<int> EditedRows(const CGridModel& grid) {
  std::vector<int> rows;
  for (int r = 0, n = grid.getRowCount(); r < n; ++r) {
    if (grid.isRowEdited(r)) rows.push_back(r);
  }
  return rows;
}

std::vector<int> InsertedRows(const CGridModel& grid) {
  std::vector<int> rows;
  for (int r = 0, n = grid.getRowCount(); r < n; ++r) {
    if (grid.isRowInserted(r)) rows.push_back(r);
  }
  return rows;
}

std::vector<int> RowsToSave(const CGridModel& grid, int mode) {
  std::vector<int> rows;
  for (int r = 0, n = grid.getRowCount(); r < n; ++r) {
    const bool inserted = grid.isRowInserted(r) != 0;
    const bool edited = grid.isRowEdited(r) != 0;
    bool take = true;
    if (mode == 1) take = inserted || edited;
    if (mode == 2) take = edited;
    if (mode == 3) take = inserted;
    if (take) rows.push_back(r);
  }
  return rows;
}

}  // namespace maltrove
