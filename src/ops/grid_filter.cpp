#include "ops/grid_filter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/cell_value.h"
#include "model/text_util.h"
#include "platform/progress_operation.h"

namespace maltrove {

namespace {

// The day of a date serial. Half a second is added first, as the model
// rounds serials to the second when it splits them into parts.
double DayOf(double serial) {
  if (serial < 0) return std::trunc(serial);
  return std::floor(serial + 0.5 / 86400.0);
}

// The memchr scan of std::string::find; string_view::find steps byte by
// byte, which costs more on short cell texts.
inline bool Contains(std::string_view a, std::string_view b) {
  if (b.empty()) return true;
  if (b.size() > a.size()) return false;
  const char* p = a.data();
  const char* const last = a.data() + (a.size() - b.size()) + 1;  // past the last start
  while (p < last) {
    p = static_cast<const char*>(std::memchr(p, b[0], static_cast<size_t>(last - p)));
    if (p == nullptr) return false;
    if (std::memcmp(p + 1, b.data() + 1, b.size() - 1) == 0) return true;
    ++p;
  }
  return false;
}

}  // namespace

FilterCondition ScriptFilterCondition(const CGridModel& grid, int col, int op,
                                      const std::string& value) {
  FilterCondition condition;
  condition.column = col;
  condition.op = op;
  const CGridColumn* column = grid.column(col);
  if (column == nullptr) return condition;
  CGridCell scratch;
  SetCellValue(*column, scratch, value);
  condition.text = column->inputType == kInputSelect ? DisplayText(*column, scratch)
                                                     : StorageText(*column, scratch);
  condition.number = scratch.isNull ? 0 : scratch.number;
  // Only the exact word checks; "TRUE" and "1" ask for unchecked rows.
  if (column->inputType == kInputCheckBox) condition.number = value == "true" ? 1 : 0;
  return condition;
}

FilterEvaluator::FilterEvaluator(const CGridModel& grid, const FilterRequest& request)
    : joins_(request.joins) {
  for (size_t k = 0; k < conditions_.size(); ++k) {
    const FilterCondition& in = request.conditions[k];
    Prepared& p = conditions_[k];
    p.col = in.column;
    p.op = in.op;
    p.text = in.text;
    p.number = in.number;
    if (in.column < 0) continue;  // kUnused
    p.column = grid.column(in.column);
    p.cells = grid.columnCells(in.column);
    const CGridColumn* column = p.column;
    if (column == nullptr) {
      p.kind = kNever;
    } else if (column->inputType == kInputCheckBox) {
      p.kind = kCheck;
    } else if (column->dataType == kDataNumeric || column->dataType == kDataDateTime) {
      p.kind = column->dataType == kDataNumeric ? kNumber : kDate;
      if (in.op < kFilterEqual || in.op > kFilterLessEqual) p.kind = kNever;
    } else {
      if (column->inputType == kInputSelect) {
        p.kind = kSelectText;
        std::vector<std::string_view> values = SplitList(column->comboValues);
        std::vector<std::string_view> labels = SplitList(column->comboDatas);
        for (size_t i = 0; i < values.size(); ++i) {
          p.labels.emplace_back(values[i], i < labels.size() ? labels[i] : std::string_view());
        }
      } else {
        p.kind = column->outputType.empty() ? kText : kFormattedText;
      }
      p.emptyResult = CompareText(in.op, std::string_view(), p.text);
      if (in.op < 0 || in.op >= kFilterOperatorCount) p.kind = kNever;
    }
  }
}

inline bool FilterEvaluator::CompareNumber(int op, double a, double b) {
  switch (op) {
    case kFilterEqual: return a == b;
    case kFilterNotEqual: return a != b;
    case kFilterGreater: return a > b;
    case kFilterGreaterEqual: return a >= b;
    case kFilterLess: return a < b;
    case kFilterLessEqual: return a <= b;
    default: return false;
  }
}

// Byte order of UTF-8 is code point order, case-sensitive, as the sort does.
inline bool FilterEvaluator::CompareText(int op, std::string_view a, std::string_view b) {
  switch (op) {
    case kFilterEqual: return a == b;
    case kFilterNotEqual: return a != b;
    case kFilterGreater: return a > b;
    case kFilterGreaterEqual: return a >= b;
    case kFilterLess: return a < b;
    case kFilterLessEqual: return a <= b;
    case kFilterStartsWith: return a.starts_with(b);
    case kFilterNotStartsWith: return !a.starts_with(b);
    case kFilterEndsWith: return a.ends_with(b);
    case kFilterNotEndsWith: return !a.ends_with(b);
    case kFilterContains: return Contains(a, b);
    case kFilterNotContains: return !Contains(a, b);
    default: return false;
  }
}

inline bool FilterEvaluator::Test(const Prepared& c, uint32_t rowId) const {
  if (c.cells == nullptr) return false;
  const CGridCell& cell = (*c.cells)[rowId];
  switch (c.kind) {
    case kCheck:
      return c.number > 0 ? cell.number != 0 : cell.number == 0;
    case kNumber:
      return CompareNumber(c.op, cell.isNull ? 0 : cell.number, c.number);
    case kDate:
      return CompareNumber(c.op, cell.isNull ? 0 : DayOf(cell.number), c.number);
    case kText: {
      // The null flag may lie on another cache line than the text; it is
      // read only when it could change the answer.
      const bool r = CompareText(c.op, cell.text, c.text);
      if (r == c.emptyResult || cell.text.empty() || !cell.isNull) return r;
      return c.emptyResult;
    }
    case kFormattedText:
      return CompareText(c.op, OutputText(*c.column, cell), c.text);
    case kSelectText: {
      const std::string_view value = cell.isNull ? std::string_view() : cell.text;
      std::string_view label;
      for (const auto& [v, l] : c.labels) {
        if (v == value) {
          label = l;
          break;
        }
      }
      return CompareText(c.op, label, c.text);
    }
    default:
      return false;
  }
}

bool FilterEvaluator::Matches(uint32_t row) const {
  // Left to right, "and" not binding tighter than "or"; an unused first
  // condition counts as false.
  bool r = conditions_[0].kind != kUnused && Test(conditions_[0], row);
  for (size_t k = 1; k < conditions_.size(); ++k) {
    const Prepared& c = conditions_[k];
    if (c.kind == kUnused) continue;
    if (joins_[k - 1] == 0) {
      r = r || Test(c, row);
    } else {
      r = r && Test(c, row);
    }
  }
  return r;
}

// Only the first condition used, on a text column without output pattern:
// the cell's output text is its stored text.
const FilterEvaluator::Prepared* FilterEvaluator::SinglePlainText() const {
  const Prepared& first = conditions_[0];
  if (first.kind != kText || first.cells == nullptr) return nullptr;
  for (size_t k = 1; k < conditions_.size(); ++k) {
    if (conditions_[k].kind != kUnused) return nullptr;
  }
  return &first;
}

// The text rule of Test with the operator fixed, so the loop runs over the
// stored texts with nothing else to decide.
template <typename Compare>
void FilterEvaluator::SelectText(const Prepared& c, const uint32_t* ids, size_t n,
                                 Compare compare, std::vector<uint32_t>* out) {
  const std::string_view b = c.text;
  for (size_t i = 0; i < n; ++i) {
    const CGridCell& cell = (*c.cells)[ids[i]];
    const std::string_view a = cell.text.view();
    bool r = compare(a, b);
    // A null cell's output text is empty, whatever text it still holds.
    if (r != c.emptyResult && !a.empty() && cell.isNull) r = c.emptyResult;
    if (r) out->push_back(ids[i]);
  }
}

void FilterEvaluator::SelectPlainText(const Prepared& c, const uint32_t* ids, size_t n,
                                      std::vector<uint32_t>* out) {
  using V = std::string_view;
  switch (c.op) {
    case kFilterContains:
      return SelectText(c, ids, n, [](V a, V b) { return Contains(a, b); }, out);
    case kFilterNotContains:
      return SelectText(c, ids, n, [](V a, V b) { return !Contains(a, b); }, out);
    case kFilterEqual:
      return SelectText(c, ids, n, [](V a, V b) { return a == b; }, out);
    case kFilterStartsWith:
      return SelectText(c, ids, n, [](V a, V b) { return a.starts_with(b); }, out);
    default:
      return SelectText(c, ids, n, [op = c.op](V a, V b) { return CompareText(op, a, b); }, out);
  }
}

void FilterEvaluator::Select(const uint32_t* ids, size_t n, std::vector<uint32_t>* out) const {
  if (const Prepared* text = SinglePlainText()) {
    SelectPlainText(*text, ids, n, out);
    return;
  }
  for (size_t i = 0; i < n; ++i) {
    if (Matches(ids[i])) out->push_back(ids[i]);
  }
}

std::vector<uint32_t> FilterRowIds(const CGridModel& grid, const FilterRequest& request,
                                   platform::ProgressDialog* progress) {
  const FilterEvaluator evaluator(grid, request);
  const std::vector<uint32_t>& ids = grid.allRowIds();
  const size_t count = ids.size();
  if (progress != nullptr) {
    progress->SetRange(static_cast<int>(count));
    progress->SetPosition(0);
  }
  // The bar moves in chunks: a message per row would cost more than the test.
  constexpr size_t kProgressChunk = 256;
  const size_t chunk = progress != nullptr ? kProgressChunk : count;
  // By id: the cells are read from their columns without touching the rows.
  std::vector<uint32_t> passed;
  for (size_t first = 0; first < count; first += chunk) {
    const size_t n = std::min(chunk, count - first);
    evaluator.Select(ids.data() + first, n, &passed);
    if (progress != nullptr) progress->SetPosition(static_cast<int>(first + n));
  }
  return passed;
}

void ApplyFilter(CGridModel* grid, platform::UserInterface* ui, const FilterRequest& request) {
  if (grid == nullptr) return;
  if (grid->isFiltered()) grid->showAllRows();
  std::vector<uint32_t> ids;
  bool ok = true;
  if (ui == nullptr) {
    ids = FilterRowIds(*grid, request, nullptr);
  } else {
    ok = platform::RunModalOperation(ui, kFilterProgressMessage,
                                     [&](platform::ProgressDialog& progress) {
                                       ids = FilterRowIds(*grid, request, &progress);
                                       return true;
                                     });
  }
  if (ok) grid->showFilteredIds(std::move(ids));
  grid->styleChanged();
}

void ClearFilter(CGridModel* grid) {
  if (grid == nullptr) return;
  grid->showAllRows();
  grid->styleChanged();
}

void ApplyFilterMember(CGridModel* grid, platform::UserInterface* ui, int nCol1, int nCOP1,
                       const std::string& sVal1, int nROP1, int nCol2, int nCOP2,
                       const std::string& sVal2, int nROP2, int nCol3, int nCOP3,
                       const std::string& sVal3) {
  if (grid == nullptr) return;
  FilterRequest request;
  request.conditions[0] = ScriptFilterCondition(*grid, nCol1, nCOP1, sVal1);
  request.conditions[1] = ScriptFilterCondition(*grid, nCol2, nCOP2, sVal2);
  request.conditions[2] = ScriptFilterCondition(*grid, nCol3, nCOP3, sVal3);
  request.joins = {nROP1, nROP2};
  ApplyFilter(grid, ui, request);
}

void ClearFilterMember(CGridModel* grid) { ClearFilter(grid); }

}  // namespace maltrove
