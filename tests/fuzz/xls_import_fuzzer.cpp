// An Excel 97-2003 workbook opened through openXLSDialog and imported from
// the sheet the dialog offers first.
#include "fuzz/fuzz_support.h"

using maltrove::automation::Variant;
using namespace maltrove::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = WriteInputFile("input.xls", data, size);
  FuzzHost host;
  auto grid = host.NewGrid();
  host.ui().QueueAnswer(path);  // the file dialog
  host.ui().QueueAnswer("ok");  // the sheet dialog: first sheet, every row
  const Variant done = Call(*grid, "openXLSDialog", {1, 0, 0, 0, 1});
  if (done == Variant(1)) Call(*grid, "getAllXML");
  return 0;
}
