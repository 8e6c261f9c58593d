// The separated-value export and import dialogs as forms: the controls a
// person sees and the changes that reach the dialogs' state.
#include <algorithm>

#include "io/dsv_dialogs.h"

namespace maltrove {

namespace {

using platform::FormControl;
using platform::FormKind;
using platform::MakeCheck;
using platform::MakeControl;

constexpr int kDelimiterLabelId = 901;
constexpr int kPreviewLabelId = 902;
constexpr int kMappingLabelId = 903;
constexpr int kNumberColumnWidth = 60;
constexpr char kDelimiterLabel[] = "필드 구분자 :";
constexpr char kQuotesText[] = "\"(큰따옴표) 제거";
constexpr char kMappingTitle[] = "항목 지정";

// The box lists the candidates; a starting text that is none of them comes first.
FormControl DelimiterBox(int id, const std::vector<std::string>& candidates,
                         const std::string& delimiter, int line) {
  FormControl box = MakeControl(id, FormKind::kCombo, "", line);
  box.items = candidates;
  auto found = std::find(box.items.begin(), box.items.end(), delimiter);
  if (found == box.items.end()) {
    box.items.insert(box.items.begin(), delimiter);
    found = box.items.begin();
  }
  box.selection = static_cast<int>(found - box.items.begin());
  return box;
}

void AddOkCancel(std::vector<FormControl>* controls, int line) {
  FormControl ok = MakeControl(1, FormKind::kButton, "확인", line);
  ok.isDefault = true;
  controls->push_back(ok);
  FormControl cancel = MakeControl(2, FormKind::kButton, "취소", line);
  cancel.isCancel = true;
  controls->push_back(cancel);
}

}  // namespace

std::vector<FormControl> CSaveSeparatedValueDlg::FormControls() const {
  std::vector<FormControl> controls;
  controls.push_back(MakeControl(kDelimiterLabelId, FormKind::kLabel, kDelimiterLabel, 0));
  controls.push_back(DelimiterBox(kIdDelimiter, items_, delimiter_, 0));
  controls.push_back(MakeCheck(kIdHeader, "칼럼 정보 저장", 1, header_));
  controls.push_back(MakeCheck(kIdQuotes, kQuotesText, 2, removeQuotes_));
  AddOkCancel(&controls, 3);
  return controls;
}

void CSaveSeparatedValueDlg::OnFormChange(int id, int, const std::string& text, bool checked) {
  if (id == kIdDelimiter) delimiter_ = text;
  if (id == kIdHeader) header_ = checked;
  if (id == kIdQuotes) removeQuotes_ = checked;
}

bool CSaveSeparatedValueDlg::OnFormButton(int id) {
  if (id == kIdCancel) return true;
  if (id != kIdOk || delimiter_.empty()) return false;  // OK does nothing without a delimiter
  accepted_ = true;
  return true;
}

FormControl COpenSeparatedValueDlg::PreviewList() const {
  FormControl list = MakeControl(kIdPreviewList, FormKind::kTable, "", 1);
  list.columns.push_back("");
  list.widths.push_back(kNumberColumnWidth);
  for (int c : columns_) {
    list.columns.push_back(grid_.column(c)->label);
    list.widths.push_back(grid_.column(c)->width);
  }
  std::vector<std::string> mappingRow{kMappingTitle};
  mappingRow.insert(mappingRow.end(), mapping_.begin(), mapping_.end());
  list.rows.push_back(std::move(mappingRow));
  list.rows.insert(list.rows.end(), preview_.begin(), preview_.end());
  return list;
}

std::vector<FormControl> COpenSeparatedValueDlg::FormControls() const {
  std::vector<FormControl> controls;
  controls.push_back(MakeControl(kPreviewLabelId, FormKind::kLabel,
                             "데이터 미리보기 (최대 100건 까지만 미리보기가 가능합니다.)", 0));
  controls.push_back(PreviewList());
  controls.push_back(MakeControl(kMappingLabelId, FormKind::kLabel, kMappingTitle, 2));
  for (size_t k = 0; k < mapping_.size(); ++k) {
    FormControl box = MakeControl(kIdMapping + static_cast<int>(k) + 1, FormKind::kCombo, "", 2);
    box.items = mappingItems_;
    const auto found = std::find(box.items.begin(), box.items.end(), mapping_[k]);
    box.selection = found == box.items.end() ? 0 : static_cast<int>(found - box.items.begin());
    controls.push_back(box);
  }
  controls.push_back(MakeCheck(kIdHeader, "첫행은 필드이름이므로 제외", 3, header_));
  controls.push_back(MakeCheck(kIdClear, "기존 그리드 데이터를 모두 삭제하고 가져옵니다.", 4, clearRows_));
  controls.push_back(MakeControl(kDelimiterLabelId, FormKind::kLabel, kDelimiterLabel, 5));
  controls.push_back(DelimiterBox(kIdDelimiter, DelimiterCandidates(settings_.delimiterSetting),
                                  delimiter_, 5));
  controls.push_back(MakeControl(kIdPreview, FormKind::kButton, "미리보기", 5));
  controls.push_back(MakeCheck(kIdQuotes, kQuotesText, 5, removeQuotes_));
  AddOkCancel(&controls, 6);
  return controls;
}

// The delimiter, header and quote options rebuild the preview at once, so
// that the mapping boxes always list the fields OK will read.
void COpenSeparatedValueDlg::OnFormChange(int id, int selection, const std::string& text,
                                          bool checked) {
  const int k = id - kIdMapping;
  if (k >= 1 && static_cast<size_t>(k) <= mapping_.size()) {
    if (selection >= 0 && static_cast<size_t>(selection) < mappingItems_.size()) {
      mapping_[static_cast<size_t>(k - 1)] = mappingItems_[static_cast<size_t>(selection)];
      PreviewRows();
    }
    return;
  }
  if (id == kIdClear) clearRows_ = checked;
  if (id == kIdDelimiter) delimiter_ = text;
  if (id == kIdHeader) settings_.header = checked ? 1 : 0;
  if (id == kIdQuotes) removeQuotes_ = checked;
  if (id == kIdDelimiter || id == kIdHeader || id == kIdQuotes) Preview();
}

bool COpenSeparatedValueDlg::OnFormButton(int id) {
  if (id == kIdCancel) return true;
  if (id == kIdPreview) Preview();
  if (id != kIdOk || delimiter_.empty()) return false;
  accepted_ = true;
  return true;
}

}  // namespace maltrove
