// Sorting the rows in use by up to three columns.
#pragma once

#include <cstdint>
#include <vector>

#include "model/grid_model.h"
#include "platform/progress_dialog.h"
#include "platform/user_interface.h"

namespace maltrove {

inline constexpr char kSortMemberMessage[] = "데이터를 정렬 중 입니다.";
inline constexpr char kSortDialogMessage[] = "데이터를 정렬 중입니다.";

struct SortKey {
  int position = -1;  // column index + 1; -1 when the key is not set
  int direction = 0;  // 0 ascending, any other value descending
};

// -1, 0 or 1: A against B on column `col`; 0 when `col` is not a column.
int CompareRows(const CGridModel& grid, const CGridRow& a, const CGridRow& b, int col);

// The rows in use in sorted order (a stable sort by the set keys). Reads the
// model without changing it, so it may run on a worker; steps `progress` (when given) up to
// set keys × rows, after setting that range.
std::vector<CGridRow*> SortedRowOrder(CGridModel& grid, const SortKey keys[3],
                                      platform::ProgressDialog* progress);

// The same as row ids, which the model takes without reading the rows.
std::vector<uint32_t> SortedRowIds(const CGridModel& grid, const SortKey keys[3],
                                   platform::ProgressDialog* progress);

// Sorts the rows in use and lays them out again.
void SortRows(CGridModel* grid, const SortKey keys[3], platform::ProgressDialog* progress);

// The `sort` automation member: positions count from 1; always answers 0.
int32_t SortMember(CGridModel* grid, platform::UserInterface* ui, int32_t nPos1, int32_t nDir1,
                   int32_t nPos2, int32_t nDir2, int32_t nPos3, int32_t nDir3);

}  // namespace maltrove
