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
// answered no, the dialog asks again with the next answer. With a display
// the dialog is a form and a person's clicks reach the same state.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "io/xls_import.h"
#include "platform/dialog_form.h"

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

// A whole decimal number (blanks around it allowed), or nothing.
std::optional<int> ParseWholeNumber(const std::string& text);

class CSelectExcelSheet : public platform::DialogForm {
 public:
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;
  static constexpr int kIdSheets = 202;
  static constexpr int kIdPreviewList = 203;
  static constexpr int kIdHeader = 208;
  static constexpr int kIdFrom = 209;
  static constexpr int kIdTotal = 210;
  static constexpr int kIdTo = 211;
  static constexpr int kIdClear = 212;
  // The mapping box of the K-th fillable grid column (K from 1) is kIdMapping + K.
  static constexpr int kIdMapping = 1100;

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

  std::string FormCaption() const override { return kSheetDialogCaption; }
  std::vector<platform::FormControl> FormControls() const override;
  void OnFormChange(int id, int selection, const std::string& text, bool checked) override;
  bool OnFormButton(int id) override;

 private:
  bool Apply(const std::string& text);
  platform::FormControl PreviewList() const;
  void AddMappingBoxes(std::vector<platform::FormControl>* controls, int line) const;
  void AddRange(std::vector<platform::FormControl>* controls, int line) const;

  CGridModel* grid_;
  platform::UserInterface* ui_ = nullptr;
  ExcelImportSettings settings_;
  std::vector<int> fillable_;
  std::vector<std::string> sheets_;
  std::vector<std::string> names_;
  std::vector<std::vector<std::string>> preview_;
  int total_ = 0;
  // The range edits as typed; shown while they still read as the range.
  std::string fromText_;
  std::string toText_;
  bool accepted_ = false;
};

}  // namespace maltrove
