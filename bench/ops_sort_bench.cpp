// Sort benchmarks: the `sort` member on 65,536 rows × 10 columns against
// std::stable_sort of the same key values alone. Every iteration sorts the
// same unsorted order, restored outside the timing.
#include <benchmark/benchmark.h>

#include "bench/ratio_reporter.h"
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/grid_model.h"
#include "ops/grid_sort.h"

namespace maltrove {
namespace {

constexpr int kRows = 65536;
constexpr int kColumns = 10;

struct Data {
  std::vector<std::string> names;  // column 0
  std::vector<int> amounts;        // column 1, many equal values
};

const Data& SortData() {
  static const Data data = [] {
    Data d;
    std::mt19937 random(42);
    const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJ0123456789";
    for (int r = 0; r < kRows; ++r) {
      std::string name(6 + random() % 8, ' ');
      for (char& c : name) c = letters[random() % (sizeof letters - 1)];
      d.names.push_back(std::move(name));
      d.amounts.push_back(static_cast<int>(random() % 500));
    }
    return d;
  }();
  return data;
}

struct Fixture {
  CGridModel grid;
  std::vector<CGridRow*> unsorted;
};

Fixture& Grid(int rows = kRows) {
  static std::map<int, Fixture*> fixtures;
  Fixture*& fixture = fixtures[rows];
  if (fixture == nullptr) {
    auto* f = new Fixture;
    CGridModel& g = f->grid;
    for (int c = 0; c < kColumns; ++c) {
      const int type = c == 1 || c == 6 ? kDataNumeric : (c == 2 ? kDataDateTime : kDataString);
      g.insertColumn(-1, "", 80, "", type, kInputText, "", "", 0, "");
    }
    const Data& d = SortData();
    for (int r = 0; r < rows; ++r) {
      g.insertRow(-1);
      g.setCellStringData(r, 0, d.names[r]);
      g.setCellStringData(r, 1, std::to_string(d.amounts[r]));
      g.setCellStringData(r, 2, "20070415");
      for (int c = 3; c < kColumns; ++c) g.setCellStringData(r, c, c == 6 ? "12.5" : "text");
    }
    for (int r = 0; r < rows; ++r) f->unsorted.push_back(g.row(r));
    fixture = f;
  }
  return *fixture;
}

void SortGrid(benchmark::State& state, int p1, int d1, int p2, int d2, int rows = kRows) {
  Fixture& f = Grid(rows);
  for (auto _ : state) {
    state.PauseTiming();
    f.grid.setRowOrder(f.unsorted);
    state.ResumeTiming();
    benchmark::DoNotOptimize(SortMember(&f.grid, nullptr, p1, d1, p2, d2, -1, 0));
  }
  state.SetItemsProcessed(state.iterations() * rows);
}

void BM_SortOneStringKey(benchmark::State& state) { SortGrid(state, 1, 0, -1, 0); }
BENCHMARK(BM_SortOneStringKey)->Unit(benchmark::kMillisecond);

void BM_SortOneStringKeyRows(benchmark::State& state) {
  SortGrid(state, 1, 0, -1, 0, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_SortOneStringKeyRows)->Unit(benchmark::kMicrosecond)->Arg(kRows)->Arg(1000);

void BM_SortNumericThenStringKey(benchmark::State& state) { SortGrid(state, 2, 1, 1, 0); }
BENCHMARK(BM_SortNumericThenStringKey)->Unit(benchmark::kMillisecond);

void BM_BaselineStableSortStrings(benchmark::State& state) {
  const std::vector<std::string>& names = SortData().names;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> keys = names;
    state.ResumeTiming();
    std::stable_sort(keys.begin(), keys.end());
    benchmark::DoNotOptimize(keys.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BaselineStableSortStrings)->Unit(benchmark::kMillisecond);

void BM_BaselineStableSortPairs(benchmark::State& state) {
  const Data& d = SortData();
  std::vector<std::pair<double, std::string>> pairs;
  for (int r = 0; r < kRows; ++r) pairs.emplace_back(d.amounts[r], d.names[r]);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::pair<double, std::string>> keys = pairs;
    state.ResumeTiming();
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
      if (a.first != b.first) return a.first > b.first;
      return a.second < b.second;
    });
    benchmark::DoNotOptimize(keys.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BaselineStableSortPairs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace maltrove

int main(int argc, char** argv) {
  maltrove::bench::KeepFreedMemory();
  maltrove::bench::RatioReporter reporter({
      {"sort one string key / stable_sort strings", "BM_SortOneStringKey", "BM_BaselineStableSortStrings"},
      {"sort numeric + string keys / stable_sort pairs", "BM_SortNumericThenStringKey", "BM_BaselineStableSortPairs"},
      maltrove::bench::ScaleRatio("sort per row 65536 / 1000 rows", "BM_SortOneStringKeyRows")});
  return maltrove::bench::RunBenchmarks(argc, argv, &reporter);
}
