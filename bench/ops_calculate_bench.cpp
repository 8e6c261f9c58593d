// calculate("sum") over a numeric column of 65,536 rows x 10 columns against
// a plain loop summing the same doubles from a vector; the ratio is printed
// at the end of the run.
#include <benchmark/benchmark.h>

#include "bench/ratio_reporter.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "model/grid_model.h"
#include "ops/grid_calculate.h"

namespace maltrove {
namespace {

constexpr int kRows = 65536;
constexpr int kColumns = 10;
constexpr int kNumberColumn = 3;

CGridModel& Grid(int rows = kRows) {
  static std::map<int, CGridModel*> grids;
  CGridModel*& g = grids[rows];
  if (g == nullptr) {
    auto* grid = new CGridModel;
    for (int c = 0; c < kColumns; ++c) {
      grid->insertColumn(-1, "", 80, "", c == kNumberColumn ? kDataNumeric : kDataString,
                         kInputText, "", "", 0, "");
    }
    char number[32];
    for (int r = 0; r < rows; ++r) {
      grid->insertRow(-1);
      // Amounts with cents, some negative, as a ledger holds them.
      const int cents = (r * 7919) % 2000003 - 500000;
      std::snprintf(number, sizeof number, "%s%d.%02d", cents < 0 ? "-" : "",
                    (cents < 0 ? -cents : cents) / 100, (cents < 0 ? -cents : cents) % 100);
      for (int c = 0; c < kColumns; ++c) {
        grid->setCellStringData(r, c, c == kNumberColumn ? number : "row " + std::to_string(r));
      }
      grid->setCellStringData(r, 0, r % 3 == 0 ? "A" : "B");
    }
    g = grid;
  }
  return *g;
}

const std::vector<double>& Numbers() {
  static const std::vector<double> numbers = [] {
    std::vector<double> v;
    for (int r = 0; r < kRows; ++r) {
      v.push_back(LeadingNumber(Grid().getCellStringData(r, kNumberColumn)));
    }
    return v;
  }();
  return numbers;
}

void BM_CalculateSum(benchmark::State& state) {
  const CGridModel& g = Grid(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(CalculateMember(g, kNumberColumn, "sum", -1, ""));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CalculateSum)->Unit(benchmark::kMicrosecond)->Arg(kRows)->Arg(1000);

void BM_BaselineLoopSum(benchmark::State& state) {
  const std::vector<double>& numbers = Numbers();
  for (auto _ : state) {
    double sum = 0;
    for (double v : numbers) sum += v;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BaselineLoopSum)->Unit(benchmark::kMicrosecond);

// The least a pass over the model's rows can cost: each row's number read
// straight from its cell, with none of calculate's rules.
void BM_FloorReadCellNumbers(benchmark::State& state) {
  const CGridModel& g = Grid();
  for (auto _ : state) {
    double sum = 0;
    for (int r = 0; r < kRows; ++r) sum += g.cell(r, kNumberColumn)->number;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FloorReadCellNumbers)->Unit(benchmark::kMicrosecond);

// The column's cells read in row order straight from its block: the memory
// traffic of a 40-byte cell against an 8-byte double.
void BM_FloorColumnNumbers(benchmark::State& state) {
  const CGridModel& g = Grid();
  const CellColumn& cells = *g.columnCells(kNumberColumn);
  for (auto _ : state) {
    double sum = 0;
    for (uint32_t id : g.rowIds()) sum += cells[id].number;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FloorColumnNumbers)->Unit(benchmark::kMicrosecond);

// For scale only: a text condition reads one output text per row.
void BM_CalculateSumWithTextCondition(benchmark::State& state) {
  const CGridModel& g = Grid();
  for (auto _ : state) {
    benchmark::DoNotOptimize(CalculateMember(g, kNumberColumn, "sum", 0, "A"));
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_CalculateSumWithTextCondition)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace maltrove

int main(int argc, char** argv) {
  // Both sides must add up the same numbers.
  double loop = 0;
  for (double v : maltrove::Numbers()) loop += v;
  const double sum = maltrove::CalculateMember(maltrove::Grid(), maltrove::kNumberColumn, "sum",
                                               -1, "");
  if (sum != loop) {
    std::fprintf(stderr, "calculate sum %.17g differs from the loop's %.17g\n", sum, loop);
    return 1;
  }
  maltrove::bench::KeepFreedMemory();
  maltrove::bench::RatioReporter reporter({
      {"calculate sum / plain loop", "BM_CalculateSum/65536", "BM_BaselineLoopSum"},
      {"floor: cell numbers read through rows / plain loop", "BM_FloorReadCellNumbers", "BM_BaselineLoopSum"},
      {"calculate sum / floor", "BM_CalculateSum/65536", "BM_FloorReadCellNumbers"},
      {"floor: one column's cell numbers / plain loop", "BM_FloorColumnNumbers", "BM_BaselineLoopSum"},
      maltrove::bench::ScaleRatio("calculate sum per row 65536 / 1000 rows", "BM_CalculateSum"),
      {"sum with text condition / plain loop", "BM_CalculateSumWithTextCondition", "BM_BaselineLoopSum"}});
  return maltrove::bench::RunBenchmarks(argc, argv, &reporter);
}
