// Vector XML benchmarks, each against libxml2 doing the comparable part alone:
// insertRowXML against parsing the same text into a DOM, and getAllXML
// against serialising an equivalent DOM.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "bench/ratio_reporter.h"
#include "control/korvale_grid_ctrl.h"

namespace maltrove {
namespace {

constexpr int kRows = 65536;

const char kStyle[] =
    "<gridStyle>"
    "<column id=\"name\"/><column id=\"amount\" dataType=\"numeric\" displayType=\"#,###.##\"/>"
    "<column id=\"day\" dataType=\"dateTime\" outputType=\"%Y-%m-%d\"/>"
    "<column id=\"city\" inputType=\"select\"><data text=\"Seoul\" value=\"S\"/>"
    "<data text=\"Busan\" value=\"B\"/></column>"
    "<column id=\"ok\" inputType=\"checkBox\"/><column id=\"memo\"/>"
    "<column id=\"count\" dataType=\"numeric\"/><column id=\"since\" dataType=\"dateTime\"/>"
    "<column id=\"region\" inputType=\"select\"><data text=\"North\" value=\"N\"/></column>"
    "<column id=\"note\" inputType=\"multiLine\"/>"
    "</gridStyle>";

std::unique_ptr<CKorvaleGridCtrl> NewGrid() {
  auto grid = std::make_unique<CKorvaleGridCtrl>(platform::Services{});
  grid->setGridStyleXML(kStyle);
  return grid;
}

// A full grid, filled once, and its getAllXML text.
CKorvaleGridCtrl& FullGrid() {
  static std::unique_ptr<CKorvaleGridCtrl> grid = [] {
    auto g = NewGrid();
    CGridModel& m = g->grid().model();
    const char* values[10] = {"Kim Minsu", "1234.5", "20070415", "B", "1",
                              "서울특별시 중구", "42", "20261207", "N", "a < b & c"};
    for (int r = 0; r < kRows; ++r) {
      m.insertRow(-1);
      for (int c = 0; c < 10; ++c) m.setCellStringData(r, c, values[c]);
    }
    return g;
  }();
  return *grid;
}

const std::string& VectorText() {
  static const std::string text = FullGrid().getAllXML();
  return text;
}

void BM_InsertRowXml(benchmark::State& state) {
  const std::string& text = VectorText();
  for (auto _ : state) {
    state.PauseTiming();
    auto grid = NewGrid();
    state.ResumeTiming();
    benchmark::DoNotOptimize(grid->insertRowXML(text));
    state.PauseTiming();
    grid.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_InsertRowXml)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();

void BM_Libxml2ParseOnly(benchmark::State& state) {
  const std::string& text = VectorText();
  for (auto _ : state) {
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                  XML_PARSE_NONET);
    benchmark::DoNotOptimize(doc);
    xmlFreeDoc(doc);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Libxml2ParseOnly)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();

void BM_GetAllXml(benchmark::State& state) {
  CKorvaleGridCtrl& grid = FullGrid();
  for (auto _ : state) benchmark::DoNotOptimize(grid.getAllXML());
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_GetAllXml)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same document as a DOM, built once; only the serialising is timed.
void BM_Libxml2DumpDom(benchmark::State& state) {
  const std::string& text = VectorText();
  xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                XML_PARSE_NONET);
  for (auto _ : state) {
    xmlChar* out = nullptr;
    int size = 0;
    xmlDocDumpMemory(doc, &out, &size);
    benchmark::DoNotOptimize(out);
    xmlFree(out);
  }
  xmlFreeDoc(doc);
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Libxml2DumpDom)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole trip of the grid's rows through script: out as text and back in.
void BM_TextRoundTrip(benchmark::State& state) {
  CKorvaleGridCtrl& full = FullGrid();
  for (auto _ : state) {
    state.PauseTiming();
    auto grid = NewGrid();
    state.ResumeTiming();
    benchmark::DoNotOptimize(grid->insertRowXML(full.getAllXML()));
    state.PauseTiming();
    grid.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TextRoundTrip)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();

void BM_ZipRoundTrip(benchmark::State& state) {
  CKorvaleGridCtrl& full = FullGrid();
  size_t zipped = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto grid = NewGrid();
    state.ResumeTiming();
    const std::string text = full.getAllXMLZipBase64();
    zipped = text.size();
    benchmark::DoNotOptimize(grid->setAllXMLZipBase64(text));
    state.PauseTiming();
    grid.reset();
    state.ResumeTiming();
  }
  state.counters["base64_per_xml"] =
      static_cast<double>(zipped) / static_cast<double>(VectorText().size());
}
BENCHMARK(BM_ZipRoundTrip)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();

}  // namespace
}  // namespace maltrove

int main(int argc, char** argv) {
  // As in model_bench: keep freed memory in the process, so that the figures
  // are the work of the parser and the grid rather than the kernel's page
  // faults on a DOM of 200 MB. --cold measures with them.
  bool cold = false;
  for (int i = 1; i < argc; ++i) cold = cold || std::string(argv[i]) == "--cold";
  if (!cold) {
    maltrove::bench::KeepFreedMemory();
    // One load of each kind first, so that no benchmark pays for growing a
    // heap (the loader parses on a worker thread, with an arena of its own).
    maltrove::NewGrid()->insertRowXML(maltrove::VectorText());
    const std::string& text = maltrove::VectorText();
    xmlFreeDoc(xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                             XML_PARSE_NONET));
  }
  // Adds the rows per second of the grid's two operations.
  class Reporter : public maltrove::bench::RatioReporter {
   public:
    using RatioReporter::RatioReporter;
    void Finalize() override {
      RatioReporter::Finalize();
      for (const char* name : {"BM_InsertRowXml", "BM_GetAllXml"}) {
        if (Has(name)) {
          std::printf("rows per second %-24s %10.0f\n", name,
                      maltrove::kRows / (Time(name) / 1000.0));
        }
      }
    }
  } reporter({{"insertRowXML / libxml2 parse", "BM_InsertRowXml", "BM_Libxml2ParseOnly"},
              {"getAllXML / libxml2 DOM dump", "BM_GetAllXml", "BM_Libxml2DumpDom"},
              {"zip round trip / text round trip", "BM_ZipRoundTrip", "BM_TextRoundTrip"}});
  return maltrove::bench::RunBenchmarks(argc, argv, &reporter);
}
