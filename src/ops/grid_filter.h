// Filtering: up to three conditions joined left to right by "or"/"and". A
// filter always starts from all rows and shows the rows that pass, in table
// order; clearing shows all rows again in their old order.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/grid_model.h"
#include "platform/progress_dialog.h"
#include "platform/user_interface.h"

namespace maltrove {

inline constexpr char kFilterProgressMessage[] = "데이터를 필터링 중입니다.";

// Codes 6 to 11 hold only for string columns.
enum FilterOperator {
  kFilterEqual = 0,
  kFilterNotEqual = 1,
  kFilterGreater = 2,
  kFilterGreaterEqual = 3,
  kFilterLess = 4,
  kFilterLessEqual = 5,
  kFilterStartsWith = 6,
  kFilterNotStartsWith = 7,
  kFilterEndsWith = 8,
  kFilterNotEndsWith = 9,
  kFilterContains = 10,
  kFilterNotContains = 11,
};
inline constexpr int kFilterOperatorCount = 12;

// The operator combo box's items, in code order.
inline constexpr const char* kFilterOperatorLabels[kFilterOperatorCount] = {
    "=   (같다)",     "!=  (같지 않다)", ">   (크다)",      ">=  (크거나 같다)",
    "<   (작다)",     "<=  (작거나 같다)", "시작문자",        "제외할 시작 문자",
    "끝 문자",        "제외할 끝 문자",  "포함",            "포함하지 않음"};

struct FilterCondition {
  int column = -1;  // negative: the condition is not used
  int op = kFilterEqual;
  std::string text;   // compared with string cells
  double number = 0;  // compared with numeric, date and checkBox cells
};

struct FilterRequest {
  std::array<FilterCondition, 3> conditions;
  std::array<int, 2> joins = {0, 0};  // 0 "or", any other value "and"
};

// A condition as script gives it: the value goes through a scratch cell of
// the column, so it is compared in the form the column stores.
FilterCondition ScriptFilterCondition(const CGridModel& grid, int col, int op,
                                      const std::string& value);

// The conditions prepared once for testing many rows.
class FilterEvaluator {
 public:
  FilterEvaluator(const CGridModel& grid, const FilterRequest& request);
  bool Matches(const CGridRow& row) const { return Matches(row.id); }
  bool Matches(uint32_t rowId) const;
  // The ids among ids[0, n) that pass, appended to `out` in their order.
  void Select(const uint32_t* ids, size_t n, std::vector<uint32_t>* out) const;

 private:
  enum Kind { kUnused, kNever, kCheck, kNumber, kDate, kText, kFormattedText, kSelectText };
  struct Prepared {
    Kind kind = kUnused;
    int col = -1;
    int op = 0;
    const CGridColumn* column = nullptr;
    const CellColumn* cells = nullptr;  // the column's, by row id
    std::string text;
    double number = 0;
    bool emptyResult = false;  // the text test on an empty (null) cell
    // value -> label of a select column, first entry of a value winning
    std::vector<std::pair<std::string_view, std::string_view>> labels;
  };

  // A single condition on a plain text column, which a loop over the stored
  // texts answers without the general evaluation.
  const Prepared* SinglePlainText() const;
  template <typename Compare>
  static void SelectText(const Prepared& c, const uint32_t* ids, size_t n, Compare compare,
                         std::vector<uint32_t>* out);
  static void SelectPlainText(const Prepared& c, const uint32_t* ids, size_t n,
                              std::vector<uint32_t>* out);
  bool Test(const Prepared& c, uint32_t rowId) const;
  static bool CompareText(int op, std::string_view a, std::string_view b);
  static bool CompareNumber(int op, double a, double b);

  std::array<Prepared, 3> conditions_;
  std::array<int, 2> joins_;
};

// The ids of the rows of the whole table that pass, in table order. Reads
// the model only, so it may run on a worker; `progress` (when given) gets the
// range of all rows and follows the pass.
std::vector<uint32_t> FilterRowIds(const CGridModel& grid, const FilterRequest& request,
                                   platform::ProgressDialog* progress);

// Filters under the modal progress dialog and shows the rows that pass.
// Without a user interface there is no dialog to show: the pass runs on the
// calling thread, with the same result.
void ApplyFilter(CGridModel* grid, platform::UserInterface* ui, const FilterRequest& request);
// All rows in use again, in the order they had before the filter.
void ClearFilter(CGridModel* grid);

// The automation members applyFilter and clearFilter.
void ApplyFilterMember(CGridModel* grid, platform::UserInterface* ui, int nCol1, int nCOP1,
                       const std::string& sVal1, int nROP1, int nCol2, int nCOP2,
                       const std::string& sVal2, int nROP2, int nCol3, int nCOP3,
                       const std::string& sVal3);
void ClearFilterMember(CGridModel* grid);

}  // namespace maltrove
