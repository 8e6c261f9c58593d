// Excel export: the grid's rows, or two SQL statements, written into a new
// Excel 97-2003 workbook (the statements through WorkbookDatabase, the rows
// straight into the worksheet as its tables store them), and the three automation
// members that start it behind a save dialog and a progress dialog.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/grid_model.h"

namespace maltrove {

namespace platform {
class ProgressDialog;
struct Services;
}  // namespace platform

// The sheet column name of a grid column: its label, or its field name when
// the label is empty, "." replaced by "_", in brackets ("]" doubled so that
// it stays part of the name).
std::string WorkbookColumnName(const CGridColumn& column);

// "CREATE TABLE Sheet1 ( [a] numeric, [b] text)" for the given columns.
std::string GridTableStatement(const CGridModel& grid, const std::vector<int>& columns);

// The INSERT of one row of the rows in use: display texts (displayText) or
// output texts, trimmed; an empty numeric value is NULL; apostrophes doubled.
std::string GridInsertStatement(const CGridModel& grid, const std::vector<int>& columns, int row,
                                bool displayText);

// Replaces the file with a workbook whose Sheet1 holds the columns
// ListedColumns gives and every row in use, as GridTableStatement and one
// GridInsertStatement per row would store them, stepping the progress bar
// once per row (when given). False when the workbook cannot be written or
// the table statement fails (a column name used twice). A sheet holds at
// most 65,535 rows below its header, so a grid of 65,536 rows fails after
// writing all but the last.
bool ExportGridToWorkbook(const CGridModel& grid, const std::string& path, bool hidden,
                          bool checkButton, bool displayText, platform::ProgressDialog* progress,
                          std::string* error);

// Deletes the file, runs `sixth` then `fifth` on the new workbook and writes
// it (also what was done before a failing statement).
bool ExportStatementsToWorkbook(const std::string& path, const std::string& fifth,
                                const std::string& sixth, std::string* error);

// The members saveXLSDialog, saveXLSDialogAutoOpen and saveXLSQueryAutoOpen:
// 1 when the workbook was written, else 0 (also when the save dialog was
// cancelled). After a successful export the user is asked whether to open
// the file.
int32_t SaveXlsDialogMember(CGridModel* grid, const platform::Services& services,
                            const std::string& fileName, int32_t nHidden, int32_t nCheckButton,
                            int32_t nType);
// The export of saveXLSDialog to a path already chosen (saveDialog).
int32_t SaveXlsFile(CGridModel* grid, const platform::Services& services, const std::string& path,
                    int32_t nHidden, int32_t nCheckButton, int32_t nType);
int32_t SaveXlsDialogAutoOpenMember(CGridModel* grid, const platform::Services& services,
                                    const std::string& fileName, int32_t nHidden,
                                    int32_t nCheckButton, int32_t nType);
int32_t SaveXlsQueryAutoOpenMember(CGridModel* grid, const platform::Services& services,
                                   const std::string& fileName, int32_t nHidden,
                                   int32_t nCheckButton, int32_t nType, const std::string& fifth,
                                   const std::string& sixth);

}  // namespace maltrove
