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
#pragma once

#include <string>
#include <vector>

#include "io/dsv_format.h"
#include "io/dsv_transfer.h"
#include "model/grid_messages.h"

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

class CSaveSeparatedValueDlg {
 public:
  explicit CSaveSeparatedValueDlg(const DsvDialogSettings& settings);
  // True for OK; the chosen options are then in the arguments.
  bool DoModal(platform::UserInterface* ui, DsvExportOptions* options);

  const std::vector<std::string>& delimiterItems() const { return items_; }

 private:
  DsvDialogSettings settings_;
  std::vector<std::string> items_;
};

class COpenSeparatedValueDlg {
 public:
  COpenSeparatedValueDlg(const CGridModel& grid, const std::string& text,
                         const DsvDialogSettings& settings, const std::vector<int>& columns,
                         bool clearRows, bool skipEmpty);

  // Builds the mapping items and the preview for the delimiter in the box.
  void Preview();
  bool DoModal(platform::UserInterface* ui, DsvImportOptions* options);

  const std::vector<std::string>& mappingItems() const { return mappingItems_; }
  const std::vector<std::string>& mapping() const { return mapping_; }
  const std::vector<std::vector<std::string>>& previewRows() const { return preview_; }
  bool firstLineIsHeader() const { return header_; }

 private:
  std::string Describe() const;
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
};

}  // namespace maltrove
