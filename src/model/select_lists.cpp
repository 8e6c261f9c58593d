#include "model/select_lists.h"

#include "model/bank_codes.h"
#include "model/text_util.h"
#include "shared/ascii_case.h"

namespace maltrove {

std::vector<SelectListIndex::Entry> SelectListIndex::Split(std::string_view list) {
  std::vector<Entry> entries;
  for (std::string_view entry : SplitList(list)) {
    entries.push_back({static_cast<uint32_t>(entry.data() - list.data()),
                       static_cast<uint32_t>(entry.size())});
  }
  return entries;
}

void SelectListIndex::Rebuild(const CGridColumn& column) {
  values_ = column.comboValues;
  datas_ = column.comboDatas;
  method_ = column.selectMatchMethod;
  valueEntries_ = Split(values_);
  dataEntries_ = Split(datas_);
}

// The rules of MatchSelectView, step for step, on the split lists.
std::string_view SelectListIndex::Match(std::string_view input, std::string* scratch) const {
  const std::string_view method = method_;
  if (method == "bankCode") input = *scratch = std::string(BankCodeFor(input));

  if (method == "value") {
    const bool byDatas = values_.empty();
    return Find(byDatas ? datas_ : values_, byDatas ? dataEntries_ : valueEntries_, input) >= 0
               ? input
               : std::string_view();
  }
  if (values_.empty()) return {};
  if (Find(values_, valueEntries_, input) >= 0) return input;
  const int label = Find(datas_, dataEntries_, input);
  if (label >= 0 && static_cast<size_t>(label) < valueEntries_.size()) return Value(label);
  for (size_t i = 0; i < valueEntries_.size(); ++i) {
    if (EqualsIgnoringAsciiCase(Value(i), input)) return Value(i);
  }
  return {};
}

}  // namespace maltrove
