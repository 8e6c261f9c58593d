// The export dialog CSaveSeparatedValueDlg ("구분자 파일 저장") and the import
// dialog COpenSeparatedValueDlg ("구분자 파일 가져오기") as dialog models.
//
// A host without windows answers them with "cancel" or with name=value pairs
// separated by ";" (then OK):
//   export: delim=<item: "," "Tab" ":" ... or "semicolon">, header=0|1, quotes=0|1
//   import: delim=..., header=0|1 (first line holds field names), clear=0|1
//           (delete the grid's rows first), quotes=0|1, mapK=<item> for the
//           K-th listed column, counted from 1 (an item of the mapping row:
//           "(지정 안함)", a letter such as "B", or a header field)
//
// With a display both are forms: a person's clicks reach the same state.
#pragma once

#include <string>
#include <vector>

#include "io/dsv_format.h"
#include "io/dsv_transfer.h"
#include "model/grid_messages.h"
#include "platform/dialog_form.h"

namespace maltrove {

namespace platform {
class UserInterface;
}

inline constexpr char kExportDialogCaption[] = "구분자 파일 저장";
inline constexpr char kImportDialogCaption[] = "구분자 파일 가져오기";
inline constexpr int kPreviewLines = 100;

struct DsvDialogSettings {
  std::string delimiterSetting;  // the control's delimiter candidates
  std::string delimiter;         // the box's text to start with
  int header = 0;
  bool removeQuotes = false;
};

class CSaveSeparatedValueDlg : public platform::DialogForm {
 public:
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;
  static constexpr int kIdDelimiter = 1006;
  static constexpr int kIdHeader = 226;
  static constexpr int kIdQuotes = 228;

  explicit CSaveSeparatedValueDlg(const DsvDialogSettings& settings);
  // True for OK; the chosen options are then in the arguments.
  bool DoModal(platform::UserInterface* ui, DsvExportOptions* options);

  const std::vector<std::string>& delimiterItems() const { return items_; }

  std::string FormCaption() const override { return kExportDialogCaption; }
  std::vector<platform::FormControl> FormControls() const override;
  void OnFormChange(int id, int selection, const std::string& text, bool checked) override;
  bool OnFormButton(int id) override;

 private:
  void Fill(DsvExportOptions* options) const;

  DsvDialogSettings settings_;
  std::vector<std::string> items_;
  std::string delimiter_;
  bool header_;
  bool removeQuotes_;
  bool accepted_ = false;
};

class COpenSeparatedValueDlg : public platform::DialogForm {
 public:
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;
  static constexpr int kIdPreviewList = 203;
  static constexpr int kIdHeader = 208;
  static constexpr int kIdClear = 212;
  static constexpr int kIdDelimiter = 1006;
  static constexpr int kIdPreview = 228;
  static constexpr int kIdQuotes = 226;
  // The mapping box of the K-th listed column (K from 1) is kIdMapping + K.
  static constexpr int kIdMapping = 1100;

  COpenSeparatedValueDlg(const CGridModel& grid, const std::string& text,
                         const DsvDialogSettings& settings, const std::vector<int>& columns,
                         bool clearRows, bool skipEmpty);

  // Builds the mapping items and the preview for the delimiter in the box.
  void Preview();
  // Builds the preview rows for the mapping as it is.
  void PreviewRows();
  bool DoModal(platform::UserInterface* ui, DsvImportOptions* options);

  const std::vector<std::string>& mappingItems() const { return mappingItems_; }
  const std::vector<std::string>& mapping() const { return mapping_; }
  const std::vector<std::vector<std::string>>& previewRows() const { return preview_; }
  bool firstLineIsHeader() const { return header_; }

  std::string FormCaption() const override { return kImportDialogCaption; }
  std::vector<platform::FormControl> FormControls() const override;
  void OnFormChange(int id, int selection, const std::string& text, bool checked) override;
  bool OnFormButton(int id) override;

 private:
  std::string Describe() const;
  void Fill(DsvImportOptions* options) const;
  platform::FormControl PreviewList() const;
  void Apply(const std::string& name, const std::string& value);
  char delimiter() const { return DelimiterOf(delimiter_); }

  const CGridModel& grid_;
  const std::string& text_;
  DsvDialogSettings settings_;
  std::vector<int> columns_;
  std::string delimiter_;
  bool header_ = false;
  bool clearRows_;
  bool skipEmpty_;
  bool removeQuotes_;
  std::vector<std::string> mappingItems_;
  std::vector<std::string> mapping_;  // per listed column: an item text
  std::vector<std::vector<std::string>> preview_;
  bool accepted_ = false;
};

}  // namespace maltrove
