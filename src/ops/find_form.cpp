// The find dialog as a form for a windowed host.
#include "ops/find_dialog.h"

namespace maltrove {

namespace {

using platform::FormControl;
using platform::FormKind;
using platform::MakeControl;

enum FindControlId {
  kFindNextId = 1,
  kCancelId = 2,
  kLabelId = 500,
  kEditId = 1003,
  kGroupId = 501,
  kUpId = 1004,
  kDownId = 1005,
  kCaseId = 1015,
  kWholeId = 213,
};

}  // namespace

std::vector<FormControl> CGridFindDlg::FormControls() const {
  std::vector<FormControl> controls;
  controls.push_back(MakeControl(kLabelId, FormKind::kLabel, "찾을 문자열(&K) :", 0));
  FormControl edit = MakeControl(kEditId, FormKind::kEdit, "", 0);
  edit.text = text_;
  controls.push_back(edit);
  controls.push_back(MakeControl(kGroupId, FormKind::kGroup, "검색방법", 1));
  FormControl up = MakeControl(kUpId, FormKind::kRadio, "위로(&U)", 0, kGroupId);
  up.checked = direction_ == kDirectionUp;
  controls.push_back(up);
  FormControl down = MakeControl(kDownId, FormKind::kRadio, "아래로(&D)", 0, kGroupId);
  down.checked = direction_ != kDirectionUp;
  controls.push_back(down);
  FormControl matchCase = MakeControl(kCaseId, FormKind::kCheck, "대/소문자  구분(&H)", 2);
  matchCase.checked = caseChecked_;
  controls.push_back(matchCase);
  FormControl whole = MakeControl(kWholeId, FormKind::kCheck, "전체 셀 내용 일치(&C)", 3);
  whole.checked = wholeCell_;
  controls.push_back(whole);
  FormControl next = MakeControl(kFindNextId, FormKind::kButton, "다음 찾기", 4);
  next.isDefault = true;
  next.enabled = IsFindNextEnabled();
  controls.push_back(next);
  FormControl cancel = MakeControl(kCancelId, FormKind::kButton, "취소", 4);
  cancel.isCancel = true;
  controls.push_back(cancel);
  return controls;
}

void CGridFindDlg::OnFormChange(int id, int, const std::string& text, bool checked) {
  switch (id) {
    case kEditId: SetText(text); break;
    case kUpId: SetDirection(kDirectionUp); break;
    case kDownId: SetDirection(kDirectionDown); break;
    case kCaseId: SetCaseChecked(checked); break;
    case kWholeId: SetWholeCell(checked); break;
    default: break;
  }
}

bool CGridFindDlg::OnFormButton(int id) {
  if (id == kFindNextId && IsFindNextEnabled()) FindNext();
  if (id == kCancelId) Cancel();
  return closed_;
}

}  // namespace maltrove
