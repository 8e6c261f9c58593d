// The query preview as a form: the condition with its run button, the
// preview rows, OK and Cancel.
#include "gateway/preview_dialog.h"

namespace maltrove {

namespace {

using platform::FormControl;
using platform::FormKind;

constexpr int kColumnWidth = 100;
constexpr char kRunText[] = "미리 보기";

FormControl Control(int id, FormKind kind, const std::string& text, int line, bool enabled) {
  FormControl control = platform::MakeControl(id, kind, text, line);
  control.enabled = enabled;
  return control;
}

}  // namespace

std::vector<FormControl> CPreviewDlg::FormControls() const {
  std::vector<FormControl> controls;
  controls.push_back(
      Control(kIdConditionLabel, FormKind::kLabel, kConditionLabel, 0, conditionEditable_));
  controls.push_back(Control(kIdCondition, FormKind::kEdit, condition_, 0, conditionEditable_));
  controls.push_back(Control(kIdRun, FormKind::kButton, kRunText, 0, conditionEditable_));
  FormControl list = Control(kIdList, FormKind::kTable, "", 1, true);
  for (const CDBGFieldInfo& column : columns_) {
    list.columns.push_back(column.name);
    list.widths.push_back(kColumnWidth);
  }
  list.rows = rows_;
  controls.push_back(list);
  FormControl ok = Control(kIdOk, FormKind::kButton, "확인", 2, true);
  ok.isDefault = true;
  controls.push_back(ok);
  FormControl cancel = Control(kIdCancel, FormKind::kButton, "취소", 2, true);
  cancel.isCancel = true;
  controls.push_back(cancel);
  return controls;
}

void CPreviewDlg::OnFormChange(int id, int, const std::string& text, bool) {
  if (id == kIdCondition && conditionEditable_) condition_ = text;
}

bool CPreviewDlg::OnFormButton(int id) {
  if (id == kIdRun) RunPreview();
  if (id == kIdCancel) return true;
  if (id != kIdOk) return false;
  accepted_ = true;
  return true;
}

}  // namespace maltrove
