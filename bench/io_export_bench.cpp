// Export benchmarks. The figures that matter are ratios measured in one run:
// writing a grid of 65,536 rows (a header and 65,535 data rows, the most a
// worksheet holds) by 10 columns as .xls and as CSV against writing the same
// cell texts with one fwrite per line. Reading both files back is measured
// for information.
#include <benchmark/benchmark.h>

#include "bench/ratio_reporter.h"
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "io/dsv_format.h"
#include "io/dsv_transfer.h"
#include "io/xls/workbook_reader.h"
#include "io/xls_export.h"
#include "model/cell_value.h"
#include "model/grid_model.h"
#include "model/text_util.h"

namespace maltrove {
namespace {

constexpr int kDataRows = 65535;
constexpr int kColumns = 10;

class Scratch {
 public:
  Scratch() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/io_export_bench_XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  std::string File(const char* name) const { return dir_ + "/" + name; }

 private:
  std::string dir_;
};

Scratch& Files() {
  static Scratch scratch;
  return scratch;
}

// Ten columns mixing the kinds of value a grid holds, with labels.
const CGridModel& Grid(int rows = kDataRows) {
  static std::map<int, CGridModel*> grids;
  CGridModel*& grid = grids[rows];
  if (grid == nullptr) {
    auto* g = new CGridModel;
    const int types[kColumns][2] = {
        {kDataString, kInputText},  {kDataNumeric, kInputText},   {kDataDateTime, kInputText},
        {kDataString, kInputSelect}, {kDataString, kInputCheckBox}, {kDataString, kInputText},
        {kDataNumeric, kInputText}, {kDataDateTime, kInputCalendar},
        {kDataString, kInputSelect}, {kDataString, kInputMultiLine}};
    for (int c = 0; c < kColumns; ++c) {
      const std::string digit(1, static_cast<char>('0' + c));
      g->insertColumn(-1, std::string("col").append(digit), 80, std::string("f").append(digit),
                      types[c][0], types[c][1], "", "", 0, "");
      if (types[c][1] == kInputSelect) g->setColumnCombo(c, "Seoul;Busan;Daegu", "S;B;D");
    }
    const char* samples[kColumns] = {"Kim Minsu", "1234.5",   "20070415", "B", "1",
                                     "서울특별시", "-77.125", "20261207", "D", "O'Brien"};
    for (int r = 0; r < rows; ++r) {
      g->insertRow(-1);
      for (int c = 0; c < kColumns; ++c) {
        std::string text = samples[c];
        if (c == 0 || c == 5) text += std::to_string(r % 1000);  // some distinct strings
        if (c == 1) text = std::to_string(r) + ".25";
        g->setCellStringData(r, c, text);
      }
    }
    grid = g;
  }
  return *grid;
}

// The cell texts the exports write, as lines of the baseline.
const std::vector<std::string>& Lines() {
  static const std::vector<std::string> lines = [] {
    const CGridModel& g = Grid();
    std::vector<std::string> out;
    std::string header;
    for (int c = 0; c < kColumns; ++c) {
      if (c > 0) header.push_back(',');
      header.append(HeaderName(*g.column(c)));
    }
    out.push_back(header);
    for (int r = 0; r < g.getRowCount(); ++r) {
      std::string line;
      for (int c = 0; c < kColumns; ++c) {
        if (c > 0) line.push_back(',');
        line.append(TrimBlanks(OutputText(*g.column(c), *g.cell(r, c))));
      }
      out.push_back(std::move(line));
    }
    return out;
  }();
  return lines;
}

void BM_ExportXls(benchmark::State& state) {
  const CGridModel& g = Grid();
  const std::string path = Files().File("grid.xls");
  for (auto _ : state) {
    std::string error;
    if (!ExportGridToWorkbook(g, path, true, true, false, nullptr, &error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * (kDataRows + 1));
}
BENCHMARK(BM_ExportXls)->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State& state) {
  const CGridModel& g = Grid();
  const std::string path = Files().File("grid.csv");
  DsvExportOptions options;
  options.header = true;
  options.hidden = true;
  options.checkButton = true;
  for (auto _ : state) {
    if (!ExportSeparatedValues(g, path, options, nullptr)) {
      state.SkipWithError("csv export failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * (kDataRows + 1));
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);

void BM_ExportCsvRows(benchmark::State& state) {
  const CGridModel& g = Grid(static_cast<int>(state.range(0)));
  const std::string path = Files().File("rows.csv");
  DsvExportOptions options;
  options.header = true;
  for (auto _ : state) {
    if (!ExportSeparatedValues(g, path, options, nullptr)) {
      state.SkipWithError("csv export failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ExportCsvRows)->Unit(benchmark::kMicrosecond)->Arg(65536)->Arg(1000);

void BM_BaselineFwritePerLine(benchmark::State& state) {
  const std::vector<std::string>& lines = Lines();
  const std::string path = Files().File("baseline.txt");
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
      state.SkipWithError("cannot write the baseline file");
      break;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      std::fwrite(line.data(), 1, line.size(), f);
      if (i + 1 < lines.size()) std::fwrite("\r\n", 1, 2, f);
    }
    std::fclose(f);
  }
  state.SetItemsProcessed(state.iterations() * (kDataRows + 1));
}
BENCHMARK(BM_BaselineFwritePerLine)->Unit(benchmark::kMillisecond);

// The same lines with the texts taken from the grid inside the loop, as
// every export must take them.
void BM_BaselineGridTextsFwritePerLine(benchmark::State& state) {
  const CGridModel& g = Grid();
  const std::string path = Files().File("baseline_grid.txt");
  const std::string& header = Lines().front();
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
      state.SkipWithError("cannot write the baseline file");
      break;
    }
    std::fwrite(header.data(), 1, header.size(), f);
    std::string line;
    for (int r = 0; r < g.getRowCount(); ++r) {
      line.assign("\r\n");
      for (int c = 0; c < kColumns; ++c) {
        if (c > 0) line.push_back(',');
        line.append(TrimBlanks(OutputText(*g.column(c), *g.cell(r, c))));
      }
      std::fwrite(line.data(), 1, line.size(), f);
    }
    std::fclose(f);
  }
  state.SetItemsProcessed(state.iterations() * (kDataRows + 1));
}
BENCHMARK(BM_BaselineGridTextsFwritePerLine)->Unit(benchmark::kMillisecond);

void BM_ImportXls(benchmark::State& state) {
  const std::string path = Files().File("grid_import.xls");
  std::string error;
  if (!ExportGridToWorkbook(Grid(), path, true, true, false, nullptr, &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) {
    xls::WorkbookReader reader;
    xls::Sheet sheet;
    if (!reader.Open(path, &error) || !reader.ReadSheet(0, &sheet, &error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(sheet.cells.data());
  }
}
BENCHMARK(BM_ImportXls)->Unit(benchmark::kMillisecond);

void BM_ImportCsv(benchmark::State& state) {
  const std::string path = Files().File("grid_import.csv");
  DsvExportOptions options;
  options.header = true;
  options.hidden = true;
  options.checkButton = true;
  if (!ExportSeparatedValues(Grid(), path, options, nullptr)) {
    state.SkipWithError("csv export failed");
    return;
  }
  for (auto _ : state) {
    std::string text;
    if (!ReadTextFile(path, &text)) {
      state.SkipWithError("cannot read the csv file");
      break;
    }
    size_t fields = 0;
    for (std::string_view line : SplitLines(text)) fields += SplitFields(line, ',', false).size();
    benchmark::DoNotOptimize(fields);
  }
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace maltrove

int main(int argc, char** argv) {
  // --cold measures with the kernel's page faults of returned memory too.
  bool cold = false;
  for (int i = 1; i < argc; ++i) cold = cold || std::string(argv[i]) == "--cold";
  if (!cold) maltrove::bench::KeepFreedMemory();
  maltrove::bench::RatioReporter reporter({
      {"xls export / fwrite per line", "BM_ExportXls", "BM_BaselineFwritePerLine"},
      {"csv export / fwrite per line", "BM_ExportCsv", "BM_BaselineFwritePerLine"},
      maltrove::bench::ScaleRatio("csv export per row 65536 / 1000 rows", "BM_ExportCsvRows"),
      {"xls import / fwrite per line", "BM_ImportXls", "BM_BaselineFwritePerLine"},
      {"csv import / fwrite per line", "BM_ImportCsv", "BM_BaselineFwritePerLine"},
      {"grid texts + fwrite / fwrite per line", "BM_BaselineGridTextsFwritePerLine",
       "BM_BaselineFwritePerLine"},
      {"xls export / grid texts + fwrite", "BM_ExportXls", "BM_BaselineGridTextsFwritePerLine"},
      {"csv export / grid texts + fwrite", "BM_ExportCsv", "BM_BaselineGridTextsFwritePerLine"}});
  return maltrove::bench::RunBenchmarks(argc, argv, &reporter);
}
