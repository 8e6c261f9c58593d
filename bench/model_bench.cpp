// Grid model benchmarks. The figures that matter are ratios measured in one
// run: filling cells through setCellStringData against copying the same texts
// into a vector, and per-operation times at 1,000 and 65,536 rows.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "model/grid_model.h"

namespace maltrove {
namespace {

constexpr int kRows = 65536;
constexpr int kColumns = 10;

// Ten columns mixing every kind of value the loaders store.
void AddMixedColumns(CGridModel& g) {
  const int types[kColumns][2] = {
      {kDataString, kInputText},     {kDataNumeric, kInputText},   {kDataDateTime, kInputText},
      {kDataString, kInputSelect},   {kDataString, kInputCheckBox}, {kDataString, kInputText},
      {kDataNumeric, kInputText},    {kDataDateTime, kInputCalendar},
      {kDataString, kInputSelect},   {kDataString, kInputMultiLine}};
  for (int c = 0; c < kColumns; ++c) {
    g.insertColumn(-1, "", 80, "", types[c][0], types[c][1], "", "", 0, "");
    if (types[c][1] == kInputSelect) g.setColumnCombo(c, "Seoul;Busan;Daegu", "S;B;D");
  }
  g.setColumnDisplayType(1, "#,###.##");
}

std::vector<std::string> CellTexts() {
  const char* samples[kColumns] = {"Kim Minsu", "1234.5",   "20070415", "Busan", "1",
                                   "서울특별시", "-77.125", "20261207", "D",     "line"};
  std::vector<std::string> texts;
  texts.reserve(static_cast<size_t>(kRows) * kColumns);
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) texts.push_back(samples[c] + std::string());
  }
  return texts;
}

const std::vector<std::string>& Texts() {
  static const std::vector<std::string> texts = CellTexts();
  return texts;
}

void BM_FillGridThroughSetCellStringData(benchmark::State& state) {
  const std::vector<std::string>& texts = Texts();
  for (auto _ : state) {
    CGridModel g;
    AddMixedColumns(g);
    size_t i = 0;
    for (int r = 0; r < kRows; ++r) {
      g.insertRow(-1);
      for (int c = 0; c < kColumns; ++c) g.setCellStringData(r, c, texts[i++]);
    }
    benchmark::DoNotOptimize(g.getRowCount());
  }
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}
BENCHMARK(BM_FillGridThroughSetCellStringData)->Unit(benchmark::kMillisecond);

void BM_FillRows(benchmark::State& state) {
  const std::vector<std::string>& texts = Texts();
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    CGridModel g;
    AddMixedColumns(g);
    size_t i = 0;
    for (int r = 0; r < rows; ++r) {
      g.insertRow(-1);
      for (int c = 0; c < kColumns; ++c) g.setCellStringData(r, c, texts[i++]);
    }
    benchmark::DoNotOptimize(g.getRowCount());
  }
  state.SetItemsProcessed(state.iterations() * rows * kColumns);
}
BENCHMARK(BM_FillRows)->Unit(benchmark::kMicrosecond)->Arg(kRows)->Arg(1000);

void BM_BaselineCopyTextsIntoVector(benchmark::State& state) {
  const std::vector<std::string>& texts = Texts();
  for (auto _ : state) {
    std::vector<std::string> copy;
    copy.reserve(texts.size());
    for (const std::string& t : texts) copy.push_back(t);
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}
BENCHMARK(BM_BaselineCopyTextsIntoVector)->Unit(benchmark::kMillisecond);

// The same copy into a vector that grows as it goes, as a loader that does
// not know the row count would fill one.
void BM_BaselineCopyTextsIntoGrowingVector(benchmark::State& state) {
  const std::vector<std::string>& texts = Texts();
  for (auto _ : state) {
    std::vector<std::string> copy;
    for (const std::string& t : texts) copy.push_back(t);
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}
BENCHMARK(BM_BaselineCopyTextsIntoGrowingVector)->Unit(benchmark::kMillisecond);

// Resident memory of the process in bytes.
size_t ResidentBytes() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return static_cast<size_t>(resident) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

double g_residentBytesPerCell = 0;

void BM_MemoryPerCell(benchmark::State& state) {
  const int columns = 20;
  for (auto _ : state) {
    malloc_trim(0);
    const size_t before = mallinfo2().uordblks;
    const size_t residentBefore = ResidentBytes();
    {
      CGridModel g;
      for (int c = 0; c < columns; ++c) {
        g.insertColumn(-1, "", 80, "", kDataString, kInputText, "", "", 0, "");
      }
      for (int r = 0; r < kRows; ++r) {
        g.insertRow(-1);
        for (int c = 0; c < columns; ++c) g.setCellStringData(r, c, "abcdefgh");
      }
      const size_t after = mallinfo2().uordblks;
      const double cells = static_cast<double>(kRows) * columns;
      state.counters["bytes_per_cell"] = static_cast<double>(after - before) / cells;
      g_residentBytesPerCell = static_cast<double>(ResidentBytes() - residentBefore) / cells;
      state.counters["resident_bytes_per_cell"] = g_residentBytesPerCell;
    }
  }
}
BENCHMARK(BM_MemoryPerCell)->Unit(benchmark::kMillisecond)->Iterations(1);

CGridModel* GridWithRows(int rows) {
  static std::map<int, CGridModel*> grids;
  CGridModel*& g = grids[rows];
  if (g == nullptr) {
    g = new CGridModel;
    AddMixedColumns(*g);
    for (int r = 0; r < rows; ++r) g->insertRow(-1);
  }
  return g;
}

void BM_GetRowCount(benchmark::State& state) {
  CGridModel* g = GridWithRows(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(g->getRowCount());
}
BENCHMARK(BM_GetRowCount)->Arg(1000)->Arg(kRows);

// Row after row, as painting and the writers walk the table.
void BM_CellLookup(benchmark::State& state) {
  CGridModel* g = GridWithRows(static_cast<int>(state.range(0)));
  const int rows = static_cast<int>(state.range(0));
  int r = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(g->cell(r, 5));
    if (++r == rows) r = 0;
  }
}
BENCHMARK(BM_CellLookup)->Arg(1000)->Arg(kRows);

// Scattered rows: the same work, plus the cache misses of a larger table.
void BM_CellLookupScattered(benchmark::State& state) {
  CGridModel* g = GridWithRows(static_cast<int>(state.range(0)));
  const int rows = static_cast<int>(state.range(0));
  int r = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(g->cell(r, 5));
    r = (r + 7919) % rows;
  }
}
BENCHMARK(BM_CellLookupScattered)->Arg(1000)->Arg(kRows);

// An insert at the end, undone by removing the last row, on a grid that
// holds `rows` rows in between.
void BM_InsertRowAtEnd(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  CGridModel* g = GridWithRows(rows - 1);
  for (auto _ : state) {
    g->insertRow(-1);
    g->removeRow(rows - 1);
  }
}
BENCHMARK(BM_InsertRowAtEnd)->Arg(1000)->Arg(kRows);

}  // namespace
}  // namespace maltrove

int main(int argc, char** argv) {
  // --cold measures with the kernel's page faults of returned memory too.
  bool cold = false;
  for (int i = 1; i < argc; ++i) cold = cold || std::string(argv[i]) == "--cold";
  if (!cold) maltrove::bench::KeepFreedMemory();
  maltrove::bench::RatioReporter reporter({
      {"setCellStringData fill / vector copy", "BM_FillGridThroughSetCellStringData",
       "BM_BaselineCopyTextsIntoVector"},
      {"setCellStringData fill / growing vector copy", "BM_FillGridThroughSetCellStringData",
       "BM_BaselineCopyTextsIntoGrowingVector"},
      {"getRowCount 65536 / 1000 rows", "BM_GetRowCount/65536", "BM_GetRowCount/1000"},
      {"cell lookup 65536 / 1000 rows", "BM_CellLookup/65536", "BM_CellLookup/1000"},
      {"scattered cell lookup 65536 / 1000 rows", "BM_CellLookupScattered/65536",
       "BM_CellLookupScattered/1000"},
      {"insertRow at end 65536 / 1000 rows", "BM_InsertRowAtEnd/65536", "BM_InsertRowAtEnd/1000"},
      maltrove::bench::ScaleRatio("fill per row 65536 / 1000 rows", "BM_FillRows")});
  const int status = maltrove::bench::RunBenchmarks(argc, argv, &reporter);
  if (maltrove::g_residentBytesPerCell > 0) {
    std::printf("ratio %-50s %8.2f\n", "memory: bytes per cell, 65536 x 20 cells of 8 characters",
                maltrove::g_residentBytesPerCell);
  }
  return status;
}
