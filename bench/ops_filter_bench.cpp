// Filter benchmark: applyFilter with one "포함" (contains) condition over
// 65,536 rows of 10 columns, against a plain loop running std::string::find
// over the same texts. The figure that matters is the ratio of the two.
#include <benchmark/benchmark.h>

#include "bench/ratio_reporter.h"
#include <malloc.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "model/grid_model.h"
#include "ops/grid_filter.h"
#include "platform/headless_ui.h"

namespace maltrove {
namespace {

constexpr int kRows = 65536;
constexpr int kColumns = 10;
constexpr char kNeedle[] = "Park";  // in one name of eight

std::string NameOf(int r) {
  static const char* families[] = {"Kim", "Lee", "Choi", "Jung", "Kang", "Cho", "Yoon", "Park"};
  static const char* given[] = {"Minsu", "Jiyoung", "Seojun", "Hayoon", "Dohyun"};
  return std::string(families[r % 8]) + " " + given[(r / 8) % 5] + " " + std::to_string(100000 + r);
}

CGridModel& Grid(int rows = kRows) {
  static std::map<int, CGridModel*> grids;
  CGridModel*& grid = grids[rows];
  if (grid == nullptr) {
    auto* g = new CGridModel;
    const int types[kColumns][2] = {
        {kDataString, kInputText},     {kDataNumeric, kInputText},   {kDataDateTime, kInputText},
        {kDataString, kInputSelect},   {kDataString, kInputCheckBox}, {kDataString, kInputText},
        {kDataNumeric, kInputText},    {kDataDateTime, kInputCalendar},
        {kDataString, kInputSelect},   {kDataString, kInputMultiLine}};
    for (int c = 0; c < kColumns; ++c) {
      g->insertColumn(-1, "", 80, "", types[c][0], types[c][1], "", "", 0, "");
      if (types[c][1] == kInputSelect) g->setColumnCombo(c, "Seoul;Busan;Daegu", "S;B;D");
    }
    const char* samples[kColumns] = {"",         "1234.5",   "20070415", "Busan", "1",
                                     "서울특별시", "-77.125", "20261207", "D",     "line"};
    for (int r = 0; r < rows; ++r) {
      g->insertRow(-1);
      g->setCellStringData(r, 0, NameOf(r));
      for (int c = 1; c < kColumns; ++c) g->setCellStringData(r, c, samples[c]);
    }
    grid = g;
  }
  return *grid;
}

const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    v.reserve(kRows);
    for (int r = 0; r < kRows; ++r) v.push_back(NameOf(r));
    return v;
  }();
  return names;
}

// applyFilter from an unfiltered grid each time, with or without a progress
// dialog beside it.
void RunApplyFilter(benchmark::State& state, platform::UserInterface* ui) {
  CGridModel& g = Grid(static_cast<int>(state.range(0)));
  int kept = 0;
  for (auto _ : state) {
    ApplyFilterMember(&g, ui, 0, kFilterContains, kNeedle, 0, -1, 0, "", 0, -1, 0, "");
    kept = g.getRowCount();
    state.PauseTiming();
    ClearFilterMember(&g);
    state.ResumeTiming();
  }
  state.counters["kept"] = kept;
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The filter itself (no dialog).
void BM_ApplyFilterContains(benchmark::State& state) { RunApplyFilter(state, nullptr); }
BENCHMARK(BM_ApplyFilterContains)->Unit(benchmark::kMicrosecond)->Arg(kRows)->Arg(1000);

// The member as script calls it: the filter runs on a worker beside its
// progress dialog (the headless one, as the script host has without a display).
void BM_ApplyFilterContainsWithDialog(benchmark::State& state) {
  std::ostringstream log;
  platform::HeadlessUserInterface ui(log);
  RunApplyFilter(state, &ui);
}
BENCHMARK(BM_ApplyFilterContainsWithDialog)->Unit(benchmark::kMicrosecond)->Arg(kRows)->Arg(1000);

// The row pass alone, without the progress dialog's thread and the layout.
void BM_FilterRowsContains(benchmark::State& state) {
  CGridModel& g = Grid();
  FilterRequest request;
  request.conditions[0] = ScriptFilterCondition(g, 0, kFilterContains, kNeedle);
  for (auto _ : state) {
    std::vector<uint32_t> ids = FilterRowIds(g, request, nullptr);
    benchmark::DoNotOptimize(ids.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FilterRowsContains)->Unit(benchmark::kMicrosecond);

// The plain loop over the same strings where the grid keeps them.
void BM_BaselineFindLoop(benchmark::State& state) {
  CGridModel& g = Grid();
  for (auto _ : state) {
    std::vector<const CGridRow*> kept;
    for (int r = 0; r < kRows; ++r) {
      const CGridRow* row = g.allRow(r);
      if ((*g.columnCells(0))[row->id].text.view().find(kNeedle) != std::string::npos) {
        kept.push_back(row);
      }
    }
    benchmark::DoNotOptimize(kept.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BaselineFindLoop)->Unit(benchmark::kMicrosecond);

// The same loop over a compact copy of the strings: the memory layout's
// share.
void BM_BaselineFindLoopCompactCopy(benchmark::State& state) {
  const std::vector<std::string>& names = Names();
  for (auto _ : state) {
    std::vector<const std::string*> kept;
    for (const std::string& name : names) {
      if (name.find(kNeedle) != std::string::npos) kept.push_back(&name);
    }
    benchmark::DoNotOptimize(kept.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BaselineFindLoopCompactCopy)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace maltrove

int main(int argc, char** argv) {
  maltrove::bench::KeepFreedMemory();
  maltrove::bench::RatioReporter reporter({
      {"applyFilter contains / find loop in the grid", "BM_ApplyFilterContains/65536", "BM_BaselineFindLoop"},
      {"row pass contains / find loop in the grid", "BM_FilterRowsContains", "BM_BaselineFindLoop"},
      {"applyFilter contains / find loop on a compact copy", "BM_ApplyFilterContains/65536", "BM_BaselineFindLoopCompactCopy"},
      {"applyFilter with its dialog / find loop on a compact copy", "BM_ApplyFilterContainsWithDialog/65536", "BM_BaselineFindLoopCompactCopy"},
      maltrove::bench::ScaleRatio("applyFilter per row 65536 / 1000 rows", "BM_ApplyFilterContains")});
  return maltrove::bench::RunBenchmarks(argc, argv, &reporter);
}
