// The sheet-selection dialog as a form: the sheet list, the preview with
// its mapping row, the options and the row range.
#include <algorithm>

#include "io/excel_sheet_dialog.h"
#include "model/grid_messages.h"

namespace maltrove {

namespace {

using platform::FormControl;
using platform::FormKind;
using platform::MakeCheck;
using platform::MakeControl;

constexpr int kSheetLabelId = 901;
constexpr int kPreviewLabelId = 902;
constexpr int kMappingLabelId = 903;
constexpr int kRangeLabelId = 904;
constexpr int kRangeSeparatorId = 905;
constexpr int kNumberColumnWidth = 60;
constexpr char kMappingTitle[] = "항목 지정";

// The edit's text as typed while it still reads as `value`.
std::string RangeText(const std::string& typed, int value) {
  return ParseWholeNumber(typed).value_or(0) == value ? typed : std::to_string(value);
}

}  // namespace

FormControl CSelectExcelSheet::PreviewList() const {
  FormControl list = MakeControl(kIdPreviewList, FormKind::kTable, "", 3);
  list.columns.push_back("");
  list.widths.push_back(kNumberColumnWidth);
  for (int c : fillable_) {
    list.columns.push_back(grid_->column(c)->label);
    list.widths.push_back(grid_->column(c)->width);
  }
  std::vector<std::string> mapping{kMappingTitle};
  for (const std::string& name : mappingRow()) mapping.push_back(name);
  list.rows.push_back(std::move(mapping));
  list.rows.insert(list.rows.end(), preview_.begin(), preview_.end());
  return list;
}

void CSelectExcelSheet::AddMappingBoxes(std::vector<FormControl>* controls, int line) const {
  controls->push_back(MakeControl(kMappingLabelId, FormKind::kLabel, kMappingTitle, line));
  for (size_t k = 0; k < fillable_.size(); ++k) {
    FormControl box = MakeControl(kIdMapping + static_cast<int>(k) + 1, FormKind::kCombo, "", line);
    box.items = names_;
    const int t = settings_.columnMap[static_cast<size_t>(fillable_[k])];
    box.selection = t > 0 && static_cast<size_t>(t) < names_.size() ? t : 0;
    controls->push_back(box);
  }
}

void CSelectExcelSheet::AddRange(std::vector<FormControl>* controls, int line) const {
  controls->push_back(MakeControl(kRangeLabelId, FormKind::kLabel, "가져올 행 범위 :", line));
  controls->push_back(MakeControl(kIdFrom, FormKind::kEdit, RangeText(fromText_, settings_.from), line));
  controls->push_back(MakeControl(kRangeSeparatorId, FormKind::kLabel, "~", line));
  controls->push_back(MakeControl(kIdTo, FormKind::kEdit, RangeText(toText_, settings_.to), line));
  controls->push_back(
      MakeControl(kIdTotal, FormKind::kLabel, "총 " + std::to_string(total_) + " 건", line));
}

std::vector<FormControl> CSelectExcelSheet::FormControls() const {
  std::vector<FormControl> controls;
  controls.push_back(MakeControl(kSheetLabelId, FormKind::kLabel, "워크시트 목록", 0));
  FormControl sheets = MakeControl(kIdSheets, FormKind::kCombo, "", 1);
  sheets.items = sheets_;
  const auto found = std::find(sheets_.begin(), sheets_.end(), settings_.sheetName);
  sheets.selection = found == sheets_.end() ? -1 : static_cast<int>(found - sheets_.begin());
  controls.push_back(sheets);
  controls.push_back(MakeControl(kPreviewLabelId, FormKind::kLabel,
                             "데이터 미리보기 (최대 100건 까지만 미리보기가 가능합니다.)", 2));
  controls.push_back(PreviewList());
  AddMappingBoxes(&controls, 4);
  controls.push_back(
      MakeCheck(kIdHeader, "첫행이 항목명인 경우 첫행을 제외하고 가져옵니다.", 5, settings_.header));
  AddRange(&controls, 6);
  controls.push_back(
      MakeCheck(kIdClear, "기존 그리드 데이터를 모두 삭제하고 가져옵니다.", 7, settings_.clearRows));
  FormControl ok = MakeControl(kIdOk, FormKind::kButton, "확인", 8);
  ok.isDefault = true;
  controls.push_back(ok);
  FormControl cancel = MakeControl(kIdCancel, FormKind::kButton, "취소", 8);
  cancel.isCancel = true;
  controls.push_back(cancel);
  return controls;
}

void CSelectExcelSheet::OnFormChange(int id, int selection, const std::string& text,
                                     bool checked) {
  const int k = id - kIdMapping;
  if (k >= 1 && static_cast<size_t>(k) <= fillable_.size()) SetMapping(k, selection);
  if (id == kIdSheets && selection >= 0 && static_cast<size_t>(selection) < sheets_.size()) {
    SelectSheet(sheets_[static_cast<size_t>(selection)]);
  }
  if (id == kIdHeader) {
    settings_.header = checked;
    if (!settings_.sheetName.empty()) SelectSheet(settings_.sheetName);
  }
  if (id == kIdClear) settings_.clearRows = checked;
  if (id == kIdFrom) {
    fromText_ = text;
    settings_.from = ParseWholeNumber(text).value_or(0);
  }
  if (id == kIdTo) {
    toText_ = text;
    settings_.to = ParseWholeNumber(text).value_or(0);
  }
}

// A refused OK (the range message, or no to the duplicate question) keeps
// the dialog open.
bool CSelectExcelSheet::OnFormButton(int id) {
  if (id == kIdCancel) return true;
  if (id != kIdOk || !OnOK()) return false;
  accepted_ = true;
  return true;
}

}  // namespace maltrove
