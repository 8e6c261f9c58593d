// A separated-value file opened through openDSVDialog. Input: one byte of
// member options (delimiter, header, quotes, empty lines), then the file.
#include "fuzz/fuzz_support.h"

using maltrove::automation::Variant;
using namespace maltrove::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char* const kDelimiters[] = {",", "\\t", ";", "|"};
  const uint8_t options = data[0];
  const std::string path = WriteInputFile("input.csv", data + 1, size - 1);
  FuzzHost host;
  auto grid = host.NewGrid();
  host.ui().QueueAnswer(path);  // the file dialog
  host.ui().QueueAnswer("ok");  // the import dialog as the options set it
  const int32_t header = options >> 2 & 1, removeQuotes = options >> 3 & 1,
                skipEmpty = options >> 4 & 1, hidden = options >> 5 & 1,
                checkButton = options >> 6 & 1;
  const Variant done = Call(*grid, "openDSVDialog",
                            {kDelimiters[options & 3], header, 0, hidden, checkButton,
                             removeQuotes, skipEmpty});
  if (done == Variant(1)) Call(*grid, "getAllXML");
  return 0;
}
