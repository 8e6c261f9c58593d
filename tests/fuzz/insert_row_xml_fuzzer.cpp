// Vector XML as script hands it to insertRowXML, into a grid with every
// column type. What the grid then writes must load back whole.
#include "fuzz/fuzz_support.h"

using maltrove::automation::Variant;
using namespace maltrove::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzHost host;
  auto grid = host.NewGrid();
  const std::string xml(reinterpret_cast<const char*>(data), size);
  if (Call(*grid, "insertRowXML", {xml}) != Variant(1)) return 0;
  Call(*grid, "getEditedXML");
  Call(*grid, "getInsertedXML");
  Call(*grid, "getAllData", {1});
  const Variant written = Call(*grid, "getAllXML");
  const Variant rows = Call(*grid, "getRowCount");

  auto again = host.NewGrid();
  Require(Call(*again, "insertRowXML", {written}) == Variant(1), "the grid's own vector XML does not load");
  Require(Call(*again, "getRowCount") == rows, "rows lost on the way through the grid's own XML");
  return 0;
}
