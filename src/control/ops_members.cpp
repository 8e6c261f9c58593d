// Sort, filter, clipboard and calculation members: thin calls into ops.
#include "control/korvale_grid_ctrl.h"
#include "ops/grid_calculate.h"
#include "ops/grid_clipboard.h"
#include "ops/grid_filter.h"
#include "ops/grid_sort.h"
#include "ops/filter_dialog.h"
#include "ops/find_dialog.h"
#include "ops/sort_dialog.h"
#include "platform/clipboard.h"

namespace maltrove {

int32_t CKorvaleGridCtrl::sort(int32_t pos1, int32_t dir1, int32_t pos2, int32_t dir2,
                               int32_t pos3, int32_t dir3) {
  return SortMember(&grid_.model(), services_.ui, pos1, dir1, pos2, dir2, pos3, dir3);
}

void CKorvaleGridCtrl::applyFilter(int32_t col1, int32_t op1, const std::string& value1,
                                   int32_t join1, int32_t col2, int32_t op2,
                                   const std::string& value2, int32_t join2, int32_t col3,
                                   int32_t op3, const std::string& value3) {
  ApplyFilterMember(&grid_.model(), services_.ui, col1, op1, value1, join1, col2, op2, value2,
                    join2, col3, op3, value3);
}

void CKorvaleGridCtrl::clearFilter() { ClearFilterMember(&grid_.model()); }

void CKorvaleGridCtrl::copy() { CopyMember(&grid_.model(), services_.clipboard); }
void CKorvaleGridCtrl::cut() { CutMember(&grid_.model(), services_.clipboard); }
void CKorvaleGridCtrl::paste() { PasteMember(&grid_.model(), services_.clipboard); }
void CKorvaleGridCtrl::deleteSelectedData() { DeleteSelectedDataMember(&grid_.model()); }

void CKorvaleGridCtrl::Find() { RunFindCommand(&grid_, services_.ui); }

void CKorvaleGridCtrl::Sort() {
  if (services_.ui != nullptr) CGridSortDlg(&grid_.model(), services_.ui).DoModal();
}

void CKorvaleGridCtrl::Filter() {
  if (services_.ui != nullptr) CGridFilterDlg(&grid_.model(), services_.ui).DoModal();
}

bool CKorvaleGridCtrl::ClipboardHasText() {
  return services_.clipboard != nullptr && !services_.clipboard->GetText().empty();
}

double CKorvaleGridCtrl::calculate(int32_t col, const std::string& calculation, int32_t col2,
                                   const std::string& condition) {
  return CalculateMember(grid_.model(), col, calculation, col2, condition);
}

}  // namespace maltrove
