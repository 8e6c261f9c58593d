// Grid style XML through setGridStyleXML. Once the grid has written a
// style, that text must load and write back unchanged.
#include "fuzz/fuzz_support.h"

using maltrove::automation::Variant;
using namespace maltrove::fuzz;

namespace {

std::unique_ptr<maltrove::CKorvaleGridCtrl> NewEmptyGrid(FuzzHost& host) {
  auto grid = std::make_unique<maltrove::CKorvaleGridCtrl>(host.services());
  grid->LoadProperties({});
  return grid;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzHost host;
  auto grid = NewEmptyGrid(host);
  const std::string xml(reinterpret_cast<const char*>(data), size);
  if (Call(*grid, "setGridStyleXML", {xml}) != Variant(1)) return 0;
  const Variant first = Call(*grid, "getGridStyleXML");

  auto second = NewEmptyGrid(host);
  if (Call(*second, "setGridStyleXML", {first}) != Variant(1)) return 0;
  const Variant written = Call(*second, "getGridStyleXML");
  auto third = NewEmptyGrid(host);
  Require(Call(*third, "setGridStyleXML", {written}) == Variant(1),
          "a style the grid wrote and read back does not load");
  Require(Call(*third, "getGridStyleXML") == written, "the style round trip is not stable");
  return 0;
}
