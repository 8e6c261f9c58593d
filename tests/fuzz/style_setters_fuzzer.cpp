// The style-string and colour setters, called by member name as script
// calls them. Input: commands of [setter][column or row][length][text].
// A style the grid reports must set back to itself.
#include "fuzz/fuzz_support.h"

using maltrove::automation::Variant;
using namespace maltrove::fuzz;

namespace {

struct Setter {
  const char* set;
  const char* get;
  bool indexed;  // takes a column or row first
};

constexpr Setter kSetters[] = {
    {"setHeaderStyle", nullptr, false},
    {"setCellStyle", "getCellStyle", false},
    {"setRowHeaderStyle", "getRowHeaderStyle", false},
    {"setColumnHeaderStyle", "getColumnHeaderStyle", true},
    {"setColumnCellStyle", "getColumnCellStyle", true},
    {"setColumnHeaderBackgroundColor", "getColumnHeaderBackgroundColor", true},
    {"setColumnCellBackgroundColor", "getColumnCellBackgroundColor", true},
    {"setColumnHeaderTextColor", "getColumnHeaderTextColor", true},
    {"setColumnCellTextColor", "getColumnCellTextColor", true},
    {"setColumnCellButtonFaceColor", "getColumnCellButtonFaceColor", true},
    {"setColumnCellButtonShadowColor", "getColumnCellButtonShadowColor", true},
    {"setColumnCellButtonHighlightColor", "getColumnCellButtonHighlightColor", true},
    {"setRowCellBackgroundColor", "getRowCellBackgroundColor", true},
    {"setRowCellTextColor", "getRowCellTextColor", true},
};
constexpr size_t kSetterCount = sizeof kSetters / sizeof kSetters[0];

void Apply(maltrove::CKorvaleGridCtrl& grid, const Setter& setter, int32_t index,
           const std::string& text) {
  std::vector<Variant> args;
  if (setter.indexed) args.emplace_back(index);
  args.emplace_back(text);
  Call(grid, setter.set, args);
  if (setter.get == nullptr) return;
  std::vector<Variant> where;
  if (setter.indexed) where.emplace_back(index);
  const Variant reported = Call(grid, setter.get, where);
  args.back() = reported;
  Call(grid, setter.set, args);
  Require(Call(grid, setter.get, where) == reported, setter.set);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzHost host;
  auto grid = host.NewGrid();
  Call(*grid, "insertRow", {-1});
  Call(*grid, "insertRow", {-1});
  size_t at = 0;
  while (at + 3 <= size) {
    const Setter& setter = kSetters[data[at] % kSetterCount];
    const int32_t index = static_cast<int8_t>(data[at + 1]);  // -128..127: most out of range
    const size_t length = std::min<size_t>(data[at + 2], size - at - 3);
    const std::string text(reinterpret_cast<const char*>(data + at + 3), length);
    Apply(*grid, setter, index, text);
    at += 3 + length;
  }
  for (int32_t col = -1; col <= 1; ++col) Call(*grid, "getHeaderStyle", {col});
  Call(*grid, "getGridStyleXML");
  return 0;
}
