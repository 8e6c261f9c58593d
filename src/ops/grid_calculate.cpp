#include "ops/grid_calculate.h"

#include <locale.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "model/cell_value.h"

namespace maltrove {

namespace {

enum class Calculation { kSum, kAverage, kMax, kMin, kCount, kUnknown };

Calculation CalculationOf(const std::string& name) {
  if (name == "sum") return Calculation::kSum;
  if (name == "average") return Calculation::kAverage;
  if (name == "max") return Calculation::kMax;
  if (name == "min") return Calculation::kMin;
  if (name == "count") return Calculation::kCount;
  return Calculation::kUnknown;
}

// The value of a cell as its output text reads as a number; `number` is the
// cell's number, or 0 for an empty cell.
double CellValue(const CGridColumn& column, const CGridCell& cell, double number,
                 bool plainOutput) {
  if (plainOutput && (cell.isNull || cell.numberReadsBack)) return number == 0 ? 0 : number;
  return LeadingNumber(OutputText(column, cell));
}

// The rare cell whose number does not read back, kept out of the loop below.
[[gnu::noinline]] double FormattedCellValue(const CGridColumn& column, const CGridCell& cell) {
  return LeadingNumber(OutputText(column, cell));
}

// The values of a block of rows of a column without output pattern: the
// stored number where it reads back as its own text (nearly every cell),
// else the general rule. Adding 0.0 turns -0 into 0, as its text "0" reads.
void PlainValues(const CGridColumn& column, const CellColumn& cells, const uint32_t* ids, int n,
                 double* values) {
  for (int i = 0; i < n; ++i) {
    const CGridCell& c = cells[ids[i]];
    if (c.isNull) {
      values[i] = 0;
    } else if (c.numberReadsBack) {
      values[i] = c.number + 0.0;
    } else {
      values[i] = FormattedCellValue(column, c);
    }
  }
}

enum class ConditionKind { kNone, kCheck, kText };

}  // namespace

double LeadingNumber(std::string_view text) {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
  const std::string copy(text);  // strtod needs the terminating zero
  return strtod_l(copy.c_str(), nullptr, c_locale);
}

double CalculateMember(const CGridModel& grid, int pCol, const std::string& calculation,
                       int pCol2, const std::string& condition) {
  const Calculation kind = CalculationOf(calculation);
  if (kind == Calculation::kUnknown) return 0;
  const CGridColumn* column = grid.column(pCol);
  if (kind != Calculation::kCount && (column == nullptr || column->dataType != kDataNumeric)) {
    return 0;
  }

  ConditionKind conditionKind = ConditionKind::kNone;
  const CGridColumn* conditionColumn = nullptr;
  std::string wanted = condition;
  if (wanted == "checked") wanted = "1";
  if (wanted == "unchecked") wanted = "0";
  double wantedNumber = 0;
  if (pCol2 != -1) {
    conditionColumn = grid.column(pCol2);
    if (conditionColumn == nullptr || conditionColumn->inputType == kInputButton) return 0;
    conditionKind = conditionColumn->isCheckable() ? ConditionKind::kCheck : ConditionKind::kText;
    wantedNumber = LeadingNumber(wanted);
  }

  const int rows = grid.getRowCount();
  if (kind == Calculation::kCount && conditionKind == ConditionKind::kNone) return rows;

  const bool plainOutput = column != nullptr && column->outputType.empty();
  double sum = 0;
  double extreme = 0;
  int counted = 0;
  // Rows go in blocks: first the cell numbers, a loop that keeps many memory
  // reads in flight, then the arithmetic.
  constexpr int kBlock = 256;
  const std::vector<uint32_t>& ids = grid.rowIds();
  const CellColumn* cells = grid.columnCells(pCol);
  const CellColumn* conditionCells = grid.columnCells(pCol2);
  double numbers[kBlock];
  for (int first = 0; first < rows; first += kBlock) {
    const int n = std::min(kBlock, rows - first);
    const uint32_t* block = ids.data() + first;
    int used = 0;
    if (conditionKind == ConditionKind::kNone && plainOutput) {
      // The common case: every row counts and the stored numbers serve.
      PlainValues(*column, *cells, block, n, numbers);
      used = n;
    } else {
      if (kind != Calculation::kCount) {
        for (int i = 0; i < n; ++i) {
          const CGridCell& c = (*cells)[block[i]];
          numbers[i] = c.isNull ? 0 : c.number;
        }
      }
      for (int i = 0; i < n; ++i) {
        if (conditionKind == ConditionKind::kText) {
          if (OutputText(*conditionColumn, (*conditionCells)[block[i]]) != wanted) continue;
        } else if (conditionKind == ConditionKind::kCheck) {
          if (grid.getCellChecked(first + i, pCol2) != wantedNumber) continue;
        }
        if (kind != Calculation::kCount) {
          numbers[used] = CellValue(*column, (*cells)[block[i]], numbers[i], plainOutput);
        }
        ++used;
      }
    }
    if (kind == Calculation::kSum || kind == Calculation::kAverage) {
      // A loop of additions alone keeps the running sum in a register; the
      // order of the additions is the rows' order all the same.
      double s = sum;
      for (int i = 0; i < used; ++i) s += numbers[i];
      sum = s;
    } else if (kind != Calculation::kCount) {
      for (int i = 0; i < used; ++i) {
        const double v = numbers[i];
        if (counted + i == 0 || (kind == Calculation::kMax ? v >= extreme : v < extreme)) {
          extreme = v;
        }
      }
    }
    counted += used;
  }

  switch (kind) {
    case Calculation::kSum: return sum;
    case Calculation::kAverage: return counted == 0 ? 0 : sum / counted;
    case Calculation::kMax:
    case Calculation::kMin: return extreme;
    case Calculation::kCount: return counted;
    default: return 0;
  }
}

}  // namespace maltrove
