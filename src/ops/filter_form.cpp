// The filter dialog as a form for a windowed host.
#include <cstdio>

#include "model/ole_date.h"
#include "ops/filter_dialog.h"

namespace maltrove {

namespace {

using platform::FormControl;
using platform::FormKind;
using platform::MakeControl;

constexpr int kColumnIds[3] = {1006, 1009, 1012};
constexpr int kOperatorIds[3] = {1007, 1010, 1013};
constexpr int kEditIds[3] = {1003, 1004, 1005};
constexpr int kValueComboIds[3] = {217, 218, 219};
constexpr int kCheckIds[3] = {220, 221, 222};
constexpr int kDateIds[3] = {223, 224, 225};
constexpr int kJoinIds[2] = {1008, 1011};
constexpr int kLabelIdBase = 400;
constexpr int kHeadingIdBase = 410;

std::string DateText(double serial) {
  DateParts parts{};
  if (serial <= 0 || !OleDateToParts(serial, &parts)) return {};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts.year, parts.month, parts.day);
  return text;
}

// yyyy-MM-dd as a serial; 0 when the text is no date.
double DateSerial(const std::string& text) {
  int year = 0, month = 0, day = 0;
  double serial = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d", &year, &month, &day) != 3) return 0;
  return OleDateFromParts(year, month, day, 0, 0, 0, &serial) ? serial : 0;
}

}  // namespace

std::vector<FormControl> CGridFilterDlg::FormControls() const {
  std::vector<FormControl> controls;
  controls.push_back(MakeControl(kHeadingIdBase, FormKind::kLabel, "", 0));
  for (int h = 0; h < 4; ++h) {
    controls.push_back(MakeControl(kHeadingIdBase + 1 + h, FormKind::kLabel, kFilterHeadingLabels[h], 0));
  }
  for (int k = 0; k < 3; ++k) {
    const Condition& c = conditions_[k];
    const int line = k + 1;
    controls.push_back(MakeControl(kLabelIdBase + k, FormKind::kLabel, kFilterConditionLabels[k], line));
    FormControl column = MakeControl(kColumnIds[k], FormKind::kCombo, "", line);
    for (const ColumnItem& item : c.columns) column.items.push_back(item.label);
    column.selection = c.columnSelection;
    controls.push_back(column);
    FormControl op = MakeControl(kOperatorIds[k], FormKind::kCombo, "", line);
    op.items = operatorLabels(k);
    op.selection = c.operatorSelection;
    controls.push_back(op);
    FormControl edit = MakeControl(kEditIds[k], FormKind::kEdit, c.editText, line);
    edit.visible = c.visible == FilterValueControl::kEdit || c.visible == FilterValueControl::kNone;
    edit.enabled = c.visible == FilterValueControl::kEdit;
    controls.push_back(edit);
    FormControl values = MakeControl(kValueComboIds[k], FormKind::kCombo, "", line);
    values.items = c.valueItems;
    values.selection = c.valueSelection;
    values.visible = c.visible == FilterValueControl::kCombo;
    controls.push_back(values);
    FormControl check = MakeControl(kCheckIds[k], FormKind::kCheck, c.checkCaption, line);
    check.checked = c.checked;
    check.visible = c.visible == FilterValueControl::kCheck;
    controls.push_back(check);
    const std::string shown = dateDrafts_[k].empty() ? DateText(c.date) : dateDrafts_[k];
    FormControl date = MakeControl(kDateIds[k], FormKind::kEdit, shown, line);
    date.visible = c.visible == FilterValueControl::kDate;
    controls.push_back(date);
    FormControl join = MakeControl(k < 2 ? kJoinIds[k] : kLabelIdBase + 9, k < 2 ? FormKind::kCombo : FormKind::kLabel, "", line);
    if (k < 2) {
      join.items = {kFilterJoinLabels[0], kFilterJoinLabels[1]};
      join.selection = joinSelections_[k];
    }
    controls.push_back(join);
  }
  FormControl ok = MakeControl(kIdOk, FormKind::kButton, "확인", 4);
  ok.isDefault = true;
  controls.push_back(ok);
  FormControl cancel = MakeControl(kIdCancel, FormKind::kButton, "취소", 4);
  cancel.isCancel = true;
  controls.push_back(cancel);
  return controls;
}

void CGridFilterDlg::OnFormChange(int id, int selection, const std::string& text, bool checked) {
  for (int k = 0; k < 3; ++k) {
    if (id == kColumnIds[k]) SelectColumnItem(k, selection);
    if (id == kOperatorIds[k] && selection >= 0 &&
        selection < static_cast<int>(conditions_[k].operators.size())) {
      SelectOperatorCode(k, conditions_[k].operators[selection]);
    }
    if (id == kEditIds[k]) SetEditText(k, text);
    if (id == kValueComboIds[k] && selection >= 0 &&
        selection < static_cast<int>(conditions_[k].valueItems.size())) {
      SelectValueLabel(k, conditions_[k].valueItems[selection]);
    }
    if (id == kCheckIds[k]) SetChecked(k, checked);
    if (id == kDateIds[k]) {
      const double serial = DateSerial(text);
      dateDrafts_[k] = text;
      if (serial > 0) SetDate(k, serial);
    }
  }
  for (int j = 0; j < 2; ++j) {
    if (id == kJoinIds[j]) SelectJoin(j, selection);
  }
}

bool CGridFilterDlg::OnFormButton(int id) {
  if (id == kIdCancel) {
    result_ = kIdCancel;
    return true;
  }
  if (id != kIdOk || !Ok()) return false;
  result_ = kIdOk;
  return true;
}

}  // namespace maltrove
