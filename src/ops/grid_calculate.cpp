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

constexpr int kMinExponent = -30;
constexpr int kMaxExponent = 52;
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// For |x| in [2^e, 2^(e+1)): the most decimals d with |x| * 10^d below
// 10^15 (rounded down to be safe), or -1 when 10^d would not be exact.
constexpr std::array<int, kMaxExponent - kMinExponent + 1> kDecimals = [] {
  std::array<int, kMaxExponent - kMinExponent + 1> table{};
  for (int e = kMinExponent; e <= kMaxExponent; ++e) {
    const double v = 15 - (e + 1) * 0.30102999566398120 - 1e-9;
    int d = static_cast<int>(v);
    if (v < d) --d;
    table[e - kMinExponent] = d < 0 || d > 22 ? -1 : d;
  }
  return table;
}();

// Whether the output text of a numeric cell holding x (no output pattern)
// reads back as x, decided without making the text. An integral x prints
// exactly. Otherwise it holds when x is the double nearest a decimal of at
// most 15 significant digits (and not a power of two): the nearest 16-digit
// decimal, which "%.16g" prints, lies no farther from x than that one.
bool ReadsBackExactly(double x) {
  uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  const int exponent = static_cast<int>((bits >> 52) & 0x7ff) - 1023;
  if (exponent == 1024) return false;  // inf, nan
  if (exponent >= 52) return true;
  if (exponent < 0 && (bits << 1) == 0) return true;  // zero
  if (exponent >= 0 && (bits << (12 + exponent)) == 0) return true;
  if ((bits & ((uint64_t{1} << 52) - 1)) == 0) return false;
  if (exponent < kMinExponent) return false;
  const int decimals = kDecimals[exponent - kMinExponent];
  if (decimals < 0) return false;
  const double scale = kPowersOfTen[decimals];
  const double t = x * scale;
  const double m = static_cast<double>(static_cast<int64_t>(t + std::copysign(0.5, t)));
  return m / scale == x;
}

// The value of a cell as its output text reads as a number; `number` is the
// cell's number, or 0 for an empty cell.
double CellValue(const CGridColumn& column, const CGridCell& cell, double number,
                 bool plainOutput) {
  if (plainOutput && ReadsBackExactly(number)) return number == 0 ? 0 : number;
  return LeadingNumber(OutputText(column, cell));
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
  const CGridCell* cells = grid.columnCells(pCol);
  const CGridCell* conditionCells = grid.columnCells(pCol2);
  double numbers[kBlock];
  for (int first = 0; first < rows; first += kBlock) {
    const int n = std::min(kBlock, rows - first);
    const uint32_t* block = ids.data() + first;
    if (kind != Calculation::kCount) {
      for (int i = 0; i < n; ++i) {
        const CGridCell& c = cells[block[i]];
        numbers[i] = c.isNull ? 0 : c.number;
      }
    }
    for (int i = 0; i < n; ++i) {
      if (conditionKind == ConditionKind::kText) {
        if (OutputText(*conditionColumn, conditionCells[block[i]]) != wanted) continue;
      } else if (conditionKind == ConditionKind::kCheck) {
        if (grid.getCellChecked(first + i, pCol2) != wantedNumber) continue;
      }
      ++counted;
      if (kind == Calculation::kCount) continue;
      const double v = CellValue(*column, cells[block[i]], numbers[i], plainOutput);
      sum += v;
      if (counted == 1) {
        extreme = v;
      } else if (kind == Calculation::kMax ? v >= extreme : v < extreme) {
        extreme = v;
      }
    }
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
