#include "ops/filter_dialog.h"

#include <charconv>
#include <cmath>
#include <ctime>
#include <optional>

#include "model/ole_date.h"
#include "model/text_util.h"
#include "platform/dialog_answer.h"

namespace maltrove {

namespace {

bool ParseInt(std::string_view s, int* value) {
  const char* end = s.data() + s.size();
  auto [ptr, ec] = std::from_chars(s.data(), end, *value);
  return !s.empty() && ec == std::errc() && ptr == end;
}

// atof without the process locale: the leading numeric part, else 0.
double LeadingNumber(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsAsciiSpace(s[i])) ++i;
  if (i < s.size() && s[i] == '+') ++i;
  double value = 0;
  std::from_chars(s.data() + i, s.data() + s.size(), value);
  return value;
}

// A new date picker shows today.
double Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  double serial = 0;
  OleDateFromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, 0, 0, 0, &serial);
  return serial;
}

bool AllDigits(std::string_view s) {
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

CGridFilterDlg::CGridFilterDlg(CGridModel* grid, platform::UserInterface* ui)
    : grid_(grid), ui_(ui) {
  const double today = Today();
  for (Condition& c : conditions_) {
    c.columns.push_back({kFilterChooseItem, -1});
    c.columns.push_back({kFilterNoneItem, -1});
    for (int col = 0, n = grid_ != nullptr ? grid_->getColumnCount() : 0; col < n; ++col) {
      const CGridColumn& column = *grid_->column(col);
      if (column.inputType == kInputRadio || column.inputType == kInputButton) continue;
      c.columns.push_back({column.label, col});
    }
    c.date = today;
  }
}

void CGridFilterDlg::SelectColumnItem(int k, int index) {
  Condition& c = conditions_[k];
  if (index < 0 || index >= static_cast<int>(c.columns.size())) return;
  c.columnSelection = index;
  ColumnChanged(k);
}

bool CGridFilterDlg::SelectColumn(int k, int col) {
  const std::vector<ColumnItem>& items = conditions_[k].columns;
  for (size_t i = 0; i < items.size(); ++i) {
    const bool none = col < 0 && items[i].label == kFilterNoneItem && items[i].column < 0;
    if (none || (col >= 0 && items[i].column == col)) {
      SelectColumnItem(k, static_cast<int>(i));
      return true;
    }
  }
  return false;
}

void CGridFilterDlg::ColumnChanged(int k) {
  Condition& c = conditions_[k];
  if (!c.promptRemoved) {
    c.columns.erase(c.columns.begin());
    c.promptRemoved = true;
    --c.columnSelection;  // the chosen item keeps its selection
  }
  if (c.columnSelection <= 0) return;
  const CGridColumn* column = grid_->column(c.columns[c.columnSelection].column);
  if (column == nullptr) return;

  c.visible = FilterValueControl::kNone;
  c.digitsOnly = c.rightAligned = false;
  switch (column->inputType) {
    case kInputText:
      c.visible = FilterValueControl::kEdit;
      c.digitsOnly = c.rightAligned = column->dataType == kDataNumeric;
      c.editText.clear();
      break;
    case kInputMultiLine:
      c.visible = FilterValueControl::kEdit;
      c.editText.clear();
      break;
    case kInputSelect:
      c.visible = FilterValueControl::kCombo;
      c.valueItems.clear();
      for (std::string_view label : SplitList(column->comboDatas)) c.valueItems.emplace_back(label);
      c.valueSelection = -1;
      break;
    case kInputCheckBox: {
      c.visible = FilterValueControl::kCheck;
      c.checkCaption = Trim(column->defaultValue);
      if (c.checkCaption.empty()) c.checkCaption = kFilterCheckCaptionDefault;
      break;
    }
    case kInputCalendar:
      c.visible = FilterValueControl::kDate;
      break;
    default:
      break;
  }

  int count = kFilterOperatorCount;
  if (column->inputType == kInputSelect || column->inputType == kInputCalendar) {
    count = kFilterLessEqual + 1;
  } else if (column->inputType == kInputCheckBox) {
    count = 1;
  }
  c.operators.clear();
  for (int code = 0; code < count; ++code) c.operators.push_back(code);
  c.operatorSelection = 0;
}

std::vector<std::string> CGridFilterDlg::operatorLabels(int k) const {
  std::vector<std::string> labels;
  for (int code : conditions_[k].operators) labels.emplace_back(kFilterOperatorLabels[code]);
  return labels;
}

bool CGridFilterDlg::SelectOperatorCode(int k, int code) {
  const std::vector<int>& codes = conditions_[k].operators;
  for (size_t i = 0; i < codes.size(); ++i) {
    if (codes[i] == code) {
      conditions_[k].operatorSelection = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

bool CGridFilterDlg::SetEditText(int k, const std::string& text) {
  Condition& c = conditions_[k];
  if (c.digitsOnly && !AllDigits(text)) return false;
  c.editText = text;
  return true;
}

bool CGridFilterDlg::SelectValueLabel(int k, const std::string& label) {
  Condition& c = conditions_[k];
  for (size_t i = 0; i < c.valueItems.size(); ++i) {
    if (c.valueItems[i] == label) {
      c.valueSelection = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

FilterRequest CGridFilterDlg::Request() const {
  FilterRequest request;
  for (size_t k = 0; k < conditions_.size(); ++k) {
    const Condition& c = conditions_[k];
    FilterCondition& out = request.conditions[k];
    out.column = c.columnSelection <= 0 ? -1 : c.columns[c.columnSelection].column;
    out.op = c.operatorSelection >= 0 ? c.operators[c.operatorSelection] : -1;
    const CGridColumn* column = grid_ != nullptr ? grid_->column(out.column) : nullptr;
    if (column == nullptr) continue;
    if (column->dataType == kDataString) {
      if (column->inputType == kInputSelect) {
        if (c.valueSelection >= 0) out.text = c.valueItems[c.valueSelection];
      } else {
        out.text = c.editText;
      }
    }
    if (column->inputType == kInputCalendar) {
      out.number = std::trunc(c.date);
    } else if (column->inputType == kInputCheckBox) {
      out.number = c.checked ? 1 : 0;
    } else {
      out.number = LeadingNumber(c.editText);
    }
  }
  request.joins = {joinSelections_[0], joinSelections_[1]};
  return request;
}

bool CGridFilterDlg::Ok() {
  if (conditions_[0].columnSelection <= 0) {
    if (ui_ != nullptr) {
      ui_->ShowMessage(kGridCaption, kFilterNoColumnMessage,
                       platform::MessageBoxButtons::kOk);
    }
    return false;
  }
  ApplyFilter(grid_, ui_, Request());
  return true;
}

void CGridFilterDlg::SetValue(int k, const std::string& value) {
  Condition& c = conditions_[k];
  switch (c.visible) {
    case FilterValueControl::kEdit:
      SetEditText(k, value);
      break;
    case FilterValueControl::kCombo:
      SelectValueLabel(k, value);
      break;
    case FilterValueControl::kCheck:
      if (value == "1" || value == "true") c.checked = true;
      if (value == "0" || value == "false") c.checked = false;
      break;
    case FilterValueControl::kDate: {
      double serial = 0;
      if (ParseDateDigits(value, &serial)) c.date = serial;
      break;
    }
    default:
      break;
  }
}

void CGridFilterDlg::ApplyAnswer(const platform::DialogAnswer& answer) {
  // Choosing a column resets its condition's controls, so columns go first.
  for (int k = 0; k < 3; ++k) {
    const std::optional<std::string> value = answer.Get(kFilterColumnNames[k]);
    int col = -1;
    if (!value) continue;
    if (*value == kFilterNoneValue) {
      SelectColumn(k, -1);
    } else if (ParseInt(*value, &col) && col >= 0) {
      SelectColumn(k, col);
    }
  }
  for (int k = 0; k < 3; ++k) {
    int code = 0;
    const std::optional<std::string> op = answer.Get(kFilterOperatorNames[k]);
    if (op && ParseInt(*op, &code)) SelectOperatorCode(k, code);
    if (const std::optional<std::string> value = answer.Get(kFilterValueNames[k])) {
      SetValue(k, *value);
    }
  }
  for (int j = 0; j < 2; ++j) {
    const std::optional<std::string> join = answer.Get(kFilterJoinNames[j]);
    if (join == kFilterOrValue) joinSelections_[j] = 0;
    if (join == kFilterAndValue) joinSelections_[j] = 1;
  }
}

int CGridFilterDlg::DoModal() {
  if (ui_ == nullptr || grid_ == nullptr) return kIdCancel;
  result_ = kIdCancel;
  if (ui_->RunForm(*this)) return result_;
  // An empty queue answers "cancel", so a refused OK cannot loop forever.
  for (;;) {
    const platform::DialogAnswer answer =
        platform::ParseDialogAnswer(ui_->RunDialog(kFilterDialogCaption, Description()));
    if (answer.cancel) return kIdCancel;
    ApplyAnswer(answer);
    if (Ok()) return kIdOk;
  }
}

std::string CGridFilterDlg::Description() const {
  std::string text;
  for (const ColumnItem& item : conditions_[0].columns) {
    if (item.column < 0) continue;
    if (!text.empty()) text += ", ";
    text += std::to_string(item.column) + ":" + item.label;
  }
  return text;
}

}  // namespace maltrove
