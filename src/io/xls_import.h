// Excel import: a worksheet read as the two rowsets the import works on
// (typed values, and the text each cell shows in the General format), the
// value rules, the worker that fills the grid, and the openXLSDialog member.
//
// The sheet's rows run from its first row (the first row is data) to the
// last row holding a value, its columns from A to the last column holding a
// value, whatever the sheet's declared dimensions say.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "io/xls/workbook_reader.h"
#include "model/grid_model.h"
#include "platform/services.h"

namespace maltrove {

namespace platform {
class ProgressDialog;
class UserInterface;
}  // namespace platform

inline constexpr char kExcelFileFilter[] =
    "Microsoft Excel Files (*.xls)|*.xls|All Files (*.*)|*.*||";
inline constexpr char kTypeGuessRows[] = "TypeGuessRows";
inline constexpr char kJet35ExcelKey[] = "SOFTWARE\\Microsoft\\Jet\\3.5\\Engines\\Excel";
inline constexpr char kJet40ExcelKey[] = "SOFTWARE\\Microsoft\\Jet\\4.0\\Engines\\Excel";
// Written back when TypeGuessRows did not exist before: the engines' default.
inline constexpr uint32_t kDefaultTypeGuessRows = 8;

// A value of the typed rowset. Booleans, errors and empty cells are kEmpty.
struct ExcelValue {
  enum Kind { kEmpty, kDouble, kDate, kText };
  Kind kind = kEmpty;
  double number = 0;
  int year = 0, month = 0, day = 0;
  std::string text;
};

// Why a sheet could not be opened; the numbers are the message codes.
enum class ExcelOpenError { kNone = 0, kTextBook = 1, kTypedBook = 2, kSheet = 3, kSheetList = 4 };

// "Excel 파일 처리에 필요한 ... [ERROR-000N]" for an error.
std::string ExcelErrorMessage(ExcelOpenError error);

// One worksheet read twice: text mode from the workbook, typed mode from
// its working copy (the same file when no copy is given).
class ExcelRowsets {
 public:
  ExcelOpenError Open(const std::string& workbookPath, const std::string& copyPath,
                      const std::string& sheetName);

  uint32_t rows() const { return rows_; }
  uint32_t columns() const { return columns_; }
  ExcelValue Typed(uint32_t row, uint32_t col) const;
  std::string Text(uint32_t row, uint32_t col) const;

  // The value a cell gives a grid column (nullptr: preview and names):
  // the typed value as text, trimmed; a text in exponent notation is taken
  // from the text rowset instead.
  std::string CellValue(uint32_t row, uint32_t col, const CGridColumn* column) const;

 private:
  xls::Sheet typed_;
  xls::Sheet text_;
  bool typedDate1904_ = false;
  uint32_t rows_ = 0;
  uint32_t columns_ = 0;
};

// The sheet worksheets of a workbook, as the dialog lists them.
bool ListExcelSheets(const std::string& workbookPath, std::vector<std::string>* names);

// A number as the General format shows it: at most 11 characters besides
// the sign, else in exponent form ("15000000000", "1.5E+11", "1E-05").
std::string GeneralNumberText(double value);
// A typed value as text for a grid column (nullptr for none).
std::string TypedValueText(const ExcelValue& value, const CGridColumn* column);
// Digits, an optional "." with digits, E or e, an optional sign and digits;
// at least five characters ("1.5E+10").
bool IsExponentNotation(const std::string& text);

// The settings the sheet dialog hands the worker.
struct ExcelImportSettings {
  std::string workbookPath;
  std::string copyPath;
  std::string sheetName;
  bool header = false;
  bool clearRows = false;
  bool hidden = false;
  bool checkButton = false;
  bool skipEmpty = false;
  int from = 1;
  int to = 0;
  std::vector<int> columnMap;  // per grid column: 1-based sheet column, 0 none, -1 unset
};

// The result of positioning the rowsets: the first data row and the sheet
// column names ("(지정 안함)" first). Unset map entries get their defaults.
struct ExcelPosition {
  uint32_t firstRow = 0;
  std::vector<std::string> names;
};
ExcelPosition PositionRowsets(const ExcelRowsets& rowsets, bool header, bool skipEmpty,
                              const std::vector<int>& fillable, std::vector<int>* columnMap);

// The worker: appends the rows from..to of the sheet. false (nothing
// changed) when the workbook or sheet cannot be opened; the message is shown.
bool ImportExcelRows(CGridModel* grid, const ExcelImportSettings& settings,
                     platform::UserInterface* ui, platform::ProgressDialog* progress);

// "%sMG_Temp_%d.xls" in the temporary folder with the first free counter,
// holding a byte copy of `source`; "" when it cannot be made.
std::string MakeWorkingCopy(const std::string& source);

bool IsExcelPath(const std::string& path);

// The import of a chosen workbook (openXLSDialog after its file dialog, and
// openDialog for a .xls file): 1 when the sheet dialog ended with OK or the
// in-use question with Cancel; 0 for a missing file, a working copy that
// cannot be made, or a cancelled sheet dialog.
int32_t OpenXlsFile(CGridModel* grid, const platform::Services& services, const std::string& path,
                    int32_t nHeader, int32_t nAppend, int32_t nHidden, int32_t nCheckButton,
                    int32_t nSkipEmpty);

// openXLSDialog: the file dialog, then OpenXlsFile; 0 when it is cancelled.
int32_t OpenXlsDialogMember(CGridModel* grid, const platform::Services& services,
                            int32_t nHeader, int32_t nAppend, int32_t nHidden,
                            int32_t nCheckButton, int32_t nSkipEmpty);

}  // namespace maltrove
