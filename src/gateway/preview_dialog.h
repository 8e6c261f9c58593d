// CPreviewDlg: shows up to 100 rows of a query with its condition, which the
// user may edit (when the query names a condition) before running it.
//
// A host without windows answers the dialog with "cancel", "ok" (keep the
// condition) or "condition=<text>" (the edited condition, then OK). With a
// display the dialog is a form whose clicks reach the same state.
#pragma once

#include <string>
#include <vector>

#include "gateway/gateway_xml_parser.h"
#include "platform/dialog_form.h"

namespace maltrove {

namespace platform {
class UserInterface;
}

inline constexpr char kPreviewCaption[] = "미리 보기";
inline constexpr char kConditionLabel[] = "추가 조건 :";
inline constexpr int kPreviewRowLimit = 100;

class CPreviewDlg : public platform::DialogForm {
 public:
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;
  static constexpr int kIdConditionLabel = 201;
  static constexpr int kIdCondition = 202;
  static constexpr int kIdRun = 203;
  static constexpr int kIdList = 204;

  CPreviewDlg(std::string connection, std::string query, std::string condition,
              bool conditionEditable, const std::vector<CDBGFieldInfo>& columns)
      : connection_(std::move(connection)),
        query_(std::move(query)),
        condition_(std::move(condition)),
        conditionEditable_(conditionEditable),
        columns_(columns) {}

  // Runs the preview and the dialog; true for OK.
  bool DoModal(platform::UserInterface* ui);

  // The preview rows for the current condition (button "미리 보기").
  void RunPreview();

  const std::string& condition() const { return condition_; }
  const std::vector<std::vector<std::string>>& rows() const { return rows_; }
  const std::string& error() const { return error_; }

  std::string FormCaption() const override { return kPreviewCaption; }
  std::vector<platform::FormControl> FormControls() const override;
  void OnFormChange(int id, int selection, const std::string& text, bool checked) override;
  bool OnFormButton(int id) override;

 private:
  std::string Describe() const;

  std::string connection_;
  std::string query_;
  std::string condition_;
  bool conditionEditable_;
  const std::vector<CDBGFieldInfo>& columns_;
  std::vector<std::vector<std::string>> rows_;
  std::string error_;
  bool accepted_ = false;
};

}  // namespace maltrove
