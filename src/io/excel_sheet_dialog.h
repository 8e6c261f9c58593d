// The sheet-selection dialog CSelectExcelSheet ("엑셀 워크시트 선택") as a
// dialog model.
//
// A host without windows answers it with "cancel" or with name=value pairs
// separated by ";" (then OK):
//   sheet=<name>  select a worksheet (resets the range and the mapping)
//   header=0|1    the first row holds field names (rebuilds the preview)
//   clear=0|1     delete the grid's rows first
//   from=N, to=N  the data rows to read, 1-based, inclusive
//   mapK=<index>  the sheet column feeding the K-th fillable grid column
//                 (K from 1): an index into the sheet column names, 0 for
//                 "(지정 안함)"
// When OK is refused (row range message) or the duplicate question is
// answered no, the dialog asks again with the next answer.
#pragma once

#include <string>
#include <vector>

#include "io/xls_import.h"

namespace maltrove {

namespace platform {
class UserInterface;
}

inline constexpr char kSheetDialogCaption[] = "엑셀 워크시트 선택";
inline constexpr int kExcelPreviewRows = 100;

struct ExcelSheetOptions {
  bool header = false;
  bool clearRows = false;
  bool hidden = false;
  bool checkButton = false;
  bool skipEmpty = false;
};

class CSelectExcelSheet {
 public:
  CSelectExcelSheet(CGridModel* grid, const std::string& workbookPath,
                    const std::string& copyPath, const ExcelSheetOptions& options);

  // Lists the worksheets and selects the first; false (message shown) when
  // the list cannot be read.
  bool OnInitDialog(platform::UserInterface* ui);
  // Resets range, total and mapping and builds the preview of a listed sheet.
  void SelectSheet(const std::string& name);
  // Maps the k-th fillable grid column (from 1) to a sheet column name index.
  void SetMapping(int k, int index);
  // Rebuilds the preview rows under the progress dialog.
  void BuildPreview();
  // The OK button: checks, then runs the import; true when it ended with OK.
  bool OnOK();
  // The whole dialog; true when it ended with OK.
  bool DoModal(platform::UserInterface* ui);

  const std::vector<std::string>& sheets() const { return sheets_; }
  const std::string& sheet() const { return settings_.sheetName; }
  const std::vector<std::string>& columnNames() const { return names_; }
  const std::vector<int>& fillableColumns() const { return fillable_; }
  const std::vector<int>& columnMap() const { return settings_.columnMap; }
  // The mapping row: per fillable grid column, the name of its sheet column.
  std::vector<std::string> mappingRow() const;
  // Data rows: the row number, then the values of the fillable columns.
  const std::vector<std::vector<std::string>>& previewRows() const { return preview_; }
  int total() const { return total_; }
  int from() const { return settings_.from; }
  int to() const { return settings_.to; }
  bool header() const { return settings_.header; }
  bool clearRows() const { return settings_.clearRows; }
  std::string Describe() const;

 private:
  bool Apply(const std::string& text);

  CGridModel* grid_;
  platform::UserInterface* ui_ = nullptr;
  ExcelImportSettings settings_;
  std::vector<int> fillable_;
  std::vector<std::string> sheets_;
  std::vector<std::string> names_;
  std::vector<std::vector<std::string>> preview_;
  int total_ = 0;
};

}  // namespace maltrove
