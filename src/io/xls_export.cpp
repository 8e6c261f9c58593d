#include "io/xls_export.h"

#include <unistd.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string_view>

#include "io/date_memo.h"
#include "io/dsv_format.h"
#include "io/numeric_affinity.h"
#include "io/xls/workbook_writer.h"
#include "io/workbook_database.h"
#include "model/cell_value.h"
#include "model/text_util.h"
#include "platform/progress_dialog.h"
#include "io/file_names.h"
#include "model/grid_messages.h"
#include "platform/progress_operation.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/user_interface.h"

namespace maltrove {

namespace {

constexpr char kFilter[] = "Microsoft Excel Files (*.xls)|*.xls||";
constexpr char kSaveCaption[] = "다른 이름으로 저장";
constexpr char kSavingMessage[] = "엑셀 파일을 저장 중입니다.";
constexpr char kOpenQuestion[] = "저장한 엑셀 파일을 실행하시겠습니까?";
constexpr char kTable[] = "Sheet1";

std::string CellText(const CGridModel& grid, int row, int col, bool displayText) {
  const CGridColumn& column = *grid.column(col);
  const CGridCell& cell = *grid.cell(row, col);
  return displayText ? grid.displayText(row, col) : OutputText(column, cell);
}

// CellText into `text`, whose buffer is kept from row to row.
void ReadCellText(const CGridModel& grid, int row, int col, bool displayText, std::string* text) {
  if (displayText) {
    *text = grid.displayText(row, col);
    return;
  }
  text->clear();
  AppendOutputText(*grid.column(col), *grid.cell(row, col), text);
}

std::string ColumnList(const CGridModel& grid, const std::vector<int>& columns) {
  std::string list;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) list += ", ";
    list += WorkbookColumnName(*grid.column(columns[i]));
  }
  return list;
}

// The file-save dialog with the default extension "xls".
std::optional<std::string> ChooseWorkbook(platform::UserInterface* ui, const std::string& name) {
  std::optional<std::string> path = ui->ChooseFile({true, kSaveCaption, name, kFilter, "xls"});
  if (!path) return path;
  return WithDefaultExtension(*path, ".xls");
}

using ExportWork = std::function<bool(const std::string&, platform::ProgressDialog&)>;

// The export to a chosen path under the progress dialog, then the question
// whether to open the saved file.
int32_t RunExportTo(const platform::Services& services, const std::string& path,
                    const ExportWork& work) {
  platform::UserInterface* ui = services.ui;
  const bool ok = platform::RunModalOperation(
      ui, kSavingMessage, [&](platform::ProgressDialog& dialog) { return work(path, dialog); });
  if (!ok) return 0;
  if (ui != nullptr &&
      ui->ShowMessage(kGridCaption, kOpenQuestion, platform::MessageBoxButtons::kYesNo) ==
          platform::MessageBoxAnswer::kYes &&
      services.shell != nullptr) {
    services.shell->Open(path);
  }
  return 1;
}

int32_t RunExport(const platform::Services& services, const std::string& fileName,
                  const ExportWork& work) {
  platform::UserInterface* ui = services.ui;
  if (ui == nullptr) return 0;
  const std::optional<std::string> path = ChooseWorkbook(ui, fileName);
  if (!path) return 0;
  return RunExportTo(services, *path, work);
}

}  // namespace

std::string WorkbookColumnName(const CGridColumn& column) {
  std::string name = column.label.empty() ? column.fieldName : column.label;
  for (char& c : name) {
    if (c == '.') c = '_';
  }
  return WorkbookDatabase::BracketName(name);
}

std::string GridTableStatement(const CGridModel& grid, const std::vector<int>& columns) {
  std::string sql = std::string("CREATE TABLE ") + kTable + " ( ";
  for (size_t i = 0; i < columns.size(); ++i) {
    const CGridColumn& column = *grid.column(columns[i]);
    if (i > 0) sql += ", ";
    sql += WorkbookColumnName(column);
    sql += column.dataType == kDataNumeric ? " numeric" : " text";
  }
  return sql + ")";
}

std::string GridInsertStatement(const CGridModel& grid, const std::vector<int>& columns, int row,
                                bool displayText) {
  std::string sql = std::string("INSERT INTO ") + kTable + " (" + ColumnList(grid, columns) +
                    ") VALUES (";
  for (size_t i = 0; i < columns.size(); ++i) {
    const bool numeric = grid.column(columns[i])->dataType == kDataNumeric;
    const std::string text = CellText(grid, row, columns[i], displayText);
    std::string value(TrimBlanks(text));
    if (numeric && value.empty()) value = "NULL";
    std::string quoted;
    for (char c : value) {
      quoted.push_back(c);
      if (c == '\'') quoted.push_back('\'');
    }
    if (i > 0) sql += ", ";
    sql += numeric && quoted == "NULL" ? quoted : "'" + quoted + "'";
  }
  sql += ")";
  return Trim(sql);
}

namespace {

// The grid's rows, row 1 on, as a "numeric"/"text" table of the workbook
// database stores them; false with `problem` set when the sheet is full.
bool WriteGridRows(const CGridModel& grid, const std::vector<int>& columns, bool displayText,
                   platform::ProgressDialog* progress, xls::WorkbookWriter& writer, int sheet,
                   std::string* problem) {
  const size_t width = std::min<size_t>(columns.size(), WorkbookDatabase::kMaxColumns);
  std::vector<bool> numeric;
  std::vector<bool> plainDate;  // its text is the date's digits, nothing to trim
  for (size_t i = 0; i < width; ++i) {
    const CGridColumn& column = *grid.column(columns[i]);
    numeric.push_back(column.dataType == kDataNumeric);
    plainDate.push_back(!displayText && column.dataType == kDataDateTime &&
                        column.outputType.empty());
  }
  std::vector<DateMemo> dates(width);
  NumericAffinity affinity;
  std::string text;
  const int rows = grid.getRowCount();
  for (int r = 0; r < rows; ++r) {
    if (r >= WorkbookDatabase::kMaxDataRows) {
      *problem = std::string("table ") + kTable + " has more than 65535 rows";
      return false;
    }
    const auto sheetRow = static_cast<uint32_t>(r + 1);
    for (size_t i = 0; i < width; ++i) {
      const auto sheetColumn = static_cast<uint32_t>(i);
      if (plainDate[i]) {
        const CGridCell& cell = *grid.cell(r, columns[i]);
        if (!cell.isNull) writer.SetText(sheet, sheetRow, sheetColumn, dates[i].TextOf(cell.number));
        continue;
      }
      ReadCellText(grid, r, columns[i], displayText, &text);
      const std::string_view trimmed = TrimBlanks(text);
      if (!numeric[i]) {
        writer.SetText(sheet, sheetRow, sheetColumn, trimmed);
        continue;
      }
      if (trimmed.empty() || trimmed == "NULL") continue;  // stored as NULL
      const NumericAffinity::Value value = affinity.Apply(trimmed);
      if (value.isNumber) writer.SetNumber(sheet, sheetRow, sheetColumn, value.number);
      else writer.SetText(sheet, sheetRow, sheetColumn, value.text);
    }
    if (progress != nullptr) progress->Step();
  }
  return true;
}

}  // namespace

bool ExportGridToWorkbook(const CGridModel& grid, const std::string& path, bool hidden,
                          bool checkButton, bool displayText, platform::ProgressDialog* progress,
                          std::string* error) {
  // The table statement runs on the workbook database, which refuses what
  // the driver refuses (a column name used twice); the rows then go straight
  // into the worksheet, each value stored as that table would store it. A
  // fresh workbook replaces the file only once it is complete, so a failed
  // export keeps the earlier file.
  const std::vector<int> columns = ListedColumns(grid, hidden, checkButton);
  WorkbookDatabase database;
  std::vector<std::string> names;
  if (!database.OpenEmpty(path, error) ||
      !database.Execute(GridTableStatement(grid, columns), error) ||
      !database.ColumnNames(kTable, &names, error)) {
    return false;
  }
  std::string problem;
  if (names.size() > WorkbookDatabase::kMaxColumns) {
    problem = std::string("table ") + kTable + " has more than 256 columns";
    names.resize(WorkbookDatabase::kMaxColumns);
  }
  xls::WorkbookWriter writer;
  const int sheet = writer.AddSheet(kTable);
  for (size_t c = 0; c < names.size(); ++c) {
    writer.SetText(sheet, 0, static_cast<uint32_t>(c), names[c]);
  }
  if (progress != nullptr) {
    progress->SetRange(grid.getRowCount());
    progress->SetPosition(0);
  }
  std::string rowProblem;
  if (!WriteGridRows(grid, columns, displayText, progress, writer, sheet, &rowProblem) &&
      problem.empty()) {
    problem = rowProblem;
  }
  std::string reason;
  if (!writer.Save(path, &reason)) {
    if (error != nullptr) *error = reason;
    return false;
  }
  if (!problem.empty()) {
    if (error != nullptr) *error = problem;
    return false;
  }
  return true;
}

bool ExportStatementsToWorkbook(const std::string& path, const std::string& fifth,
                                const std::string& sixth, std::string* error) {
  WorkbookDatabase database;
  if (!database.OpenEmpty(path, error)) return false;
  const bool ok = database.Execute(sixth, error) && database.Execute(fifth, error);
  std::string closeError;
  const bool closed = database.Close(ok ? error : &closeError);
  return ok && closed;
}

int32_t SaveXlsDialogMember(CGridModel* grid, const platform::Services& services,
                            const std::string& fileName, int32_t nHidden, int32_t nCheckButton,
                            int32_t nType) {
  if (grid == nullptr) return 0;
  return RunExport(services, fileName, [&](const std::string& path, platform::ProgressDialog& d) {
    std::string error;
    return ExportGridToWorkbook(*grid, path, nHidden != 0, nCheckButton != 0, nType != 0, &d,
                                &error);
  });
}

int32_t SaveXlsFile(CGridModel* grid, const platform::Services& services, const std::string& path,
                    int32_t nHidden, int32_t nCheckButton, int32_t nType) {
  if (grid == nullptr) return 0;
  return RunExportTo(services, path, [&](const std::string& target, platform::ProgressDialog& d) {
    std::string error;
    return ExportGridToWorkbook(*grid, target, nHidden != 0, nCheckButton != 0, nType != 0, &d,
                                &error);
  });
}

int32_t SaveXlsDialogAutoOpenMember(CGridModel* grid, const platform::Services& services,
                                    const std::string& fileName, int32_t nHidden,
                                    int32_t nCheckButton, int32_t nType) {
  return SaveXlsDialogMember(grid, services, fileName, nHidden, nCheckButton, nType);
}

int32_t SaveXlsQueryAutoOpenMember(CGridModel* grid, const platform::Services& services,
                                   const std::string& fileName, int32_t, int32_t, int32_t,
                                   const std::string& fifth, const std::string& sixth) {
  if (grid == nullptr) return 0;
  return RunExport(services, fileName, [&](const std::string& path, platform::ProgressDialog&) {
    std::string error;
    return ExportStatementsToWorkbook(path, fifth, sixth, &error);
  });
}

}  // namespace maltrove
