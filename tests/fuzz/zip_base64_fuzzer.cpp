// setAllXMLZipBase64: Base64 text of a zip archive holding vector XML (the
// mutator in zip_base64_mutator.cpp mutates the XML inside). A grid that
// loaded it must load its own zipped text again.
#include "fuzz/fuzz_support.h"

using maltrove::automation::Variant;
using namespace maltrove::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzHost host;
  auto grid = host.NewGrid();
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (Call(*grid, "setAllXMLZipBase64", {text}) != Variant(1)) return 0;
  const Variant zipped = Call(*grid, "getAllXMLZipBase64");
  const Variant rows = Call(*grid, "getRowCount");
  auto again = host.NewGrid();
  Require(Call(*again, "setAllXMLZipBase64", {zipped}) == Variant(1),
          "the grid's own zipped text does not load");
  Require(Call(*again, "getRowCount") == rows, "rows lost in the grid's own zipped text");
  return 0;
}
